#pragma once

#include "kitbase/model/ZRObject.h"

// The root folder of a project's off-line part. It is built as a plain folder (kFolderType); its
// owner and the object factory give it kOffLineRootType. Its name, the project's, is stored under
// its own attribute id.
class ZRNoxelFolder : public ZRObject {
public:
    static constexpr int32_t kNameAttribute = -1000;

    ZRNoxelFolder();

    void Init() override;
};
