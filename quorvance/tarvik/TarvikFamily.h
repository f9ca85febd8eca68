#pragma once

class ZRFamilyRegistry;

// Registers the Tarvik object kinds and grid-row rules, and the rule of owners no family lists.
void RegisterTarvik(ZRFamilyRegistry& families);
