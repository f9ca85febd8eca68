#include "quorvance/tarvik/ZRNoxelFolder.h"

#include "kitbase/model/ZRStringAttribute.h"
#include "quorvance/shell/QuorvanceTypeIds.h"

ZRNoxelFolder::ZRNoxelFolder() {
    SetClass(kFolderType);
}

void ZRNoxelFolder::Init() {
    ZRObject::Init();
    GetName().Define(kNameAttribute);
}
