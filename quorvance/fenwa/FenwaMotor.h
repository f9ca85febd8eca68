#pragma once

#include "kitbase/model/ZRObject.h"

// A Fenwa drive block: the motor and its database choice.
class FenwaMotor : public ZRObject {
public:
    FenwaMotor();
    ~FenwaMotor() override;

    void Init() override;
};
