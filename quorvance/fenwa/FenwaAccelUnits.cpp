#include "quorvance/fenwa/FenwaAccelUnits.h"

using namespace fenwa::units;

FenwaAccelUnits::~FenwaAccelUnits() = default;

std::vector<ZRAttribute*> FenwaAccelUnits::Observed(const FenwaScaleInputs& in) const {
    return {in.displayedUnits, in.motorType, in.accelerationLabel};
}

std::string FenwaAccelUnits::GetUnits() {
    if (!IsConnected())
        return {};
    const FenwaScaleInputs& in = Inputs();
    switch (const int32_t units = Units()) {
    case kMetric:
    case kEnglish:
        if (IsLinear(in.motorType))
            return units == kMetric ? "m/s^2" : "in/s^2";
        return IsRotary(in.motorType) ? "Revs/s^2" : "";
    case kUser:
        return Text(in.accelerationLabel);
    default:
        return {};
    }
}
