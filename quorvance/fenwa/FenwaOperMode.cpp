#include "quorvance/fenwa/FenwaOperMode.h"

#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaIds.h"

FenwaOperMode::FenwaOperMode() {
    SetClass(fenwa::kOperModeType);
    SetVersion(fenwa::kObjectVersion);
}

FenwaOperMode::~FenwaOperMode() = default;

void FenwaOperMode::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kOperModeType, "");
}
