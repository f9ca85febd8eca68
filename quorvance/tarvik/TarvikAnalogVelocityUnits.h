#pragma once

#include "quorvance/tarvik/ZRVelocityUnits.h"

// Analog velocity input: velocity units per volt.
class TarvikAnalogVelocityUnits : public ZRVelocityUnits {
public:
    using ZRVelocityUnits::ZRVelocityUnits;

    std::string GetUnits() override;
};
