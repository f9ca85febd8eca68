#pragma once

#include "kitbase/model/ZRObject.h"

// A folder of the workspace: the off-line root of a project is one (type -181, set by its owner).
class ZRNoxelFolder : public ZRObject {
public:
    static constexpr int32_t kFolderType = -200;
    static constexpr int32_t kRootType = -181;
    static constexpr int32_t kNameAttribute = -1000;

    ZRNoxelFolder();

    void Init() override;
};
