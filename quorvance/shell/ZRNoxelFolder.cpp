#include "quorvance/shell/ZRNoxelFolder.h"

#include "kitbase/model/ZRStringAttribute.h"

ZRNoxelFolder::ZRNoxelFolder() {
    SetClass(kFolderType);
}

void ZRNoxelFolder::Init() {
    ZRObject::Init();
    GetName().Define(kNameAttribute);
}
