#include "quorvance/tarvik/ZRNoxelFolder.h"

#include "kitbase/model/ZRStringAttribute.h"
#include "quorvance/shell/QuorvanceTypeIds.h"

ZRNoxelFolder::ZRNoxelFolder() {
    SetClass(kFolderType);
    SetVersion(1);
}

void ZRNoxelFolder::Init() {
    ZRObject::Init();
    GetName().Define(kNameAttribute);
}
