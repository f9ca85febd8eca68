#include "quorvance/fenwa/FenwaMotor.h"

#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaIds.h"

FenwaMotor::FenwaMotor() {
    SetClass(fenwa::kMotorType);
    SetVersion(fenwa::kObjectVersion);
}

FenwaMotor::~FenwaMotor() = default;

void FenwaMotor::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kMotorType, "");
}
