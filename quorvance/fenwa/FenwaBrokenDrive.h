#pragma once

#include "kitbase/model/ZRObject.h"

// The placeholder of an on-line Fenwa drive whose firmware is too old or cannot be read: it stands
// under "On-Line Drives" with the drive's node in its name, so that new firmware can be loaded.
class FenwaBrokenDrive : public ZRObject {
public:
    FenwaBrokenDrive();
    ~FenwaBrokenDrive() override;

    // The name lives in the object only: nothing is read from a drive without usable firmware.
    void Init() override;
};
