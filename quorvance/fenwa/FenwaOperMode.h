#pragma once

#include "kitbase/model/ZRObject.h"

// A Fenwa drive block: the container of the analog, preset and follower blocks.
class FenwaOperMode : public ZRObject {
public:
    FenwaOperMode();
    ~FenwaOperMode() override;

    void Init() override;
};
