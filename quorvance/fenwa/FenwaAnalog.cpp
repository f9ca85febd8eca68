#include "quorvance/fenwa/FenwaAnalog.h"

#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaIds.h"

FenwaAnalog::FenwaAnalog() {
    SetClass(fenwa::kAnalogInType);
    SetVersion(fenwa::kObjectVersion);
}

FenwaAnalog::~FenwaAnalog() = default;

void FenwaAnalog::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kAnalogInType, "");
}
