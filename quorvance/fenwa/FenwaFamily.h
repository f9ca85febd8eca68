#pragma once

#include "quorvance/shell/ZRRowRules.h"

class ZRFamilyRegistry;

// Registers the Fenwa object kinds and grid-row rules.
void RegisterFenwa(ZRFamilyRegistry& families);

// Rules of the blocks the Zelna family builds after the Fenwa design, with the same attribute ids.
// inputRow: the row of a named input assignment.
ZRRowChoice FenwaDigInRow(const ZRRowQuery& q, ZRRowKind inputRow);
ZRRowChoice FenwaDigOutRow(const ZRRowQuery& q);
ZRRowChoice FenwaEncoderRow(const ZRRowQuery& q);
ZRRowChoice FenwaFaultsRow(const ZRRowQuery& q);
// firstSignal: the id of the first of the two signal choices; the two scales follow them.
ZRRowChoice FenwaAnalogOutRow(const ZRRowQuery& q, int32_t firstSignal);
