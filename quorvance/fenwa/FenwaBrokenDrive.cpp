#include "quorvance/fenwa/FenwaBrokenDrive.h"

#include "kitbase/model/ZRStringAttribute.h"
#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaIds.h"

FenwaBrokenDrive::FenwaBrokenDrive() {
    SetClass(fenwa::kBrokenDriveType);
    SetVersion(fenwa::kObjectVersion);
}

FenwaBrokenDrive::~FenwaBrokenDrive() = default;

void FenwaBrokenDrive::Init() {
    ZRObject::Init();
    GetName().Define(kNoAttribute);
}
