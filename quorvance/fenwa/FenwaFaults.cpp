#include "quorvance/fenwa/FenwaFaults.h"

#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaIds.h"

FenwaFaults::FenwaFaults() {
    SetClass(fenwa::kFaultsType);
    SetVersion(fenwa::kObjectVersion);
}

FenwaFaults::~FenwaFaults() = default;

void FenwaFaults::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kFaultsType, "");
}
