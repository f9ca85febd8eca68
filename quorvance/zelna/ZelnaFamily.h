#pragma once

class ZRFamilyRegistry;

// Registers the Zelna object kinds and grid-row rules.
void RegisterZelna(ZRFamilyRegistry& families);
