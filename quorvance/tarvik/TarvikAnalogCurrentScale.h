#pragma once

#include "quorvance/tarvik/ZRCurrentLimitScale.h"

// Analog current input: the current-limit scale per tenth, one decimal finer.
class TarvikAnalogCurrentScale : public ZRCurrentLimitScale {
public:
    using ZRCurrentLimitScale::ZRCurrentLimitScale;

    int GetPrecision() override;
    bool GetScaleFactor(double& factor) override;
};
