#pragma once

#include "quorvance/tarvik/ZRFBPositionScale.h"

// Analog position input: feedback positions per volt, one decimal finer.
class TarvikAnalogPositionScale : public ZRFBPositionScale {
public:
    using ZRFBPositionScale::ZRFBPositionScale;

    int GetPrecision() override;
};
