#include "quorvance/fenwa/FenwaVelocityUserUnits.h"

using namespace fenwa::units;

FenwaVelocityUserUnits::~FenwaVelocityUserUnits() = default;

std::vector<ZRAttribute*> FenwaVelocityUserUnits::Observed(const FenwaScaleInputs& in) const {
    return {in.motorType};
}

std::string FenwaVelocityUserUnits::GetUnits() {
    if (!IsConnected())
        return {};
    if (IsLinear(Inputs().motorType))
        return "m/s per User Units";
    return IsRotary(Inputs().motorType) ? "RPM per User Units" : "";
}
