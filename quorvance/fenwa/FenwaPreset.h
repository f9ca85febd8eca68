#pragma once

#include "kitbase/model/ZRObject.h"

// A Fenwa drive block: the seven preset velocities.
class FenwaPreset : public ZRObject {
public:
    FenwaPreset();
    ~FenwaPreset() override;

    void Init() override;
};
