#include "quorvance/fenwa/FenwaPreset.h"

#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaIds.h"

FenwaPreset::FenwaPreset() {
    SetClass(fenwa::kPresetType);
    SetVersion(fenwa::kObjectVersion);
}

FenwaPreset::~FenwaPreset() = default;

void FenwaPreset::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kPresetType, "");
}
