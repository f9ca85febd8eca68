#include "quorvance/fenwa/FenwaAccelUserUnits.h"

using namespace fenwa::units;

FenwaAccelUserUnits::~FenwaAccelUserUnits() = default;

std::vector<ZRAttribute*> FenwaAccelUserUnits::Observed(const FenwaScaleInputs& in) const {
    return {in.motorType};
}

std::string FenwaAccelUserUnits::GetUnits() {
    if (!IsConnected())
        return {};
    if (IsLinear(Inputs().motorType))
        return "m/s^2 per User Units";
    return IsRotary(Inputs().motorType) ? "Revs/s^2 per User Units" : "";
}
