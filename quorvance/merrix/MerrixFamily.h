#pragma once

class ZRFamilyRegistry;

// Registers the Merrix object kinds and grid-row rules, those of its programming tree included.
void RegisterMerrix(ZRFamilyRegistry& families);
