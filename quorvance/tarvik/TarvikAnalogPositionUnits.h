#pragma once

#include "quorvance/tarvik/ZRFBPositionUnits.h"

// Analog position input: feedback position units per volt.
class TarvikAnalogPositionUnits : public ZRFBPositionUnits {
public:
    using ZRFBPositionUnits::ZRFBPositionUnits;

    std::string GetUnits() override;
};
