#pragma once

#include "quorvance/fenwa/FenwaVelocityUnits.h"

// Velocity units per volt of an analog input.
class FenwaAnalogVelocityUnits : public FenwaVelocityUnits {
public:
    using FenwaVelocityUnits::FenwaVelocityUnits;
    ~FenwaAnalogVelocityUnits() override;

    std::string GetUnits() override;
};
