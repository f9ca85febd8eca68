#pragma once

#include "kitbase/model/ZRObject.h"

// A Fenwa drive block: the follower and its gear ratio.
class FenwaFollower : public ZRObject {
public:
    FenwaFollower();
    ~FenwaFollower() override;

    void Init() override;
};
