#pragma once

#include "kitbase/model/ZRObject.h"

// A folder of the workspace (kFolderType): the off-line root of a project is one (kOffLineRootType, set
// by its owner).
class ZRNoxelFolder : public ZRObject {
public:
    static constexpr int32_t kNameAttribute = -1000;

    ZRNoxelFolder();

    void Init() override;
};
