#include "quorvance/tarvik/TarvikAnalogVelocityUnits.h"

using namespace tarvik::units;

std::string TarvikAnalogVelocityUnits::GetUnits() {
    if (!IsConnected())
        return {};
    std::string units = ZRVelocityUnits::GetUnits();
    return units.empty() && System() != kUser ? units : PerVolt(units);
}
