#include "quorvance/fenwa/FenwaAnalogVelocityUnits.h"

FenwaAnalogVelocityUnits::~FenwaAnalogVelocityUnits() = default;

std::string FenwaAnalogVelocityUnits::GetUnits() {
    if (!IsConnected())
        return {};
    // Also after an empty velocity text: an induction motor's analog velocity shows "/Volt".
    return FenwaVelocityUnits::GetUnits() + "/Volt";
}
