#include "quorvance/online/ZRBrokenDrive.h"

#include "kitbase/model/ZRStringAttribute.h"

void ZRBrokenDrive::Init() {
    ZRObject::Init();
    GetName().Define(kNoAttribute);
}
