#include "quorvance/fenwa/FenwaTuning.h"

#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaIds.h"

FenwaTuning::FenwaTuning() {
    SetClass(fenwa::kTuningType);
    SetVersion(fenwa::kObjectVersion);
}

FenwaTuning::~FenwaTuning() = default;

void FenwaTuning::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kTuningType, "");
}
