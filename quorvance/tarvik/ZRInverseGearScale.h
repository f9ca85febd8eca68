#pragma once

#include "quorvance/tarvik/ZRGearScale.h"

// Motor-side values seen through the gear box the other way: displayed as internal x D / N.
class ZRInverseGearScale : public ZRGearScale {
public:
    using ZRGearScale::ZRGearScale;

    bool GetScaleFactor(double& factor) override;
};
