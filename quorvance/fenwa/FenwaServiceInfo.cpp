#include "quorvance/fenwa/FenwaServiceInfo.h"

#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaIds.h"

FenwaServiceInfo::FenwaServiceInfo() {
    SetClass(fenwa::kServiceInfoType);
    SetVersion(fenwa::kObjectVersion);
}

FenwaServiceInfo::~FenwaServiceInfo() = default;

void FenwaServiceInfo::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kServiceInfoType, "");
}
