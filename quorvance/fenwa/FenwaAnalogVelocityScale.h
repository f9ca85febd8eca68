#pragma once

#include "quorvance/fenwa/FenwaVelocityScale.h"

// Velocities per volt of an analog input: ten times the velocity factor.
class FenwaAnalogVelocityScale : public FenwaVelocityScale {
public:
    using FenwaVelocityScale::FenwaVelocityScale;
    ~FenwaAnalogVelocityScale() override;

    bool GetScaleFactor(double& factor) override;
};
