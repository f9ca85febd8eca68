#include "quorvance/fenwa/FenwaAnalogOut.h"

#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaIds.h"

FenwaAnalogOut::FenwaAnalogOut() {
    SetClass(fenwa::kAnalogOutType);
    SetVersion(fenwa::kObjectVersion);
}

FenwaAnalogOut::~FenwaAnalogOut() = default;

void FenwaAnalogOut::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kAnalogOutType, "");
}
