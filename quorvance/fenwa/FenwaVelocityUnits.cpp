#include "quorvance/fenwa/FenwaVelocityUnits.h"

using namespace fenwa::units;

FenwaVelocityUnits::~FenwaVelocityUnits() = default;

std::vector<ZRAttribute*> FenwaVelocityUnits::Observed(const FenwaScaleInputs& in) const {
    return {in.displayedUnits, in.motorType, in.velocityLabel};
}

std::string FenwaVelocityUnits::GetUnits() {
    if (!IsConnected())
        return {};
    const FenwaScaleInputs& in = Inputs();
    switch (const int32_t units = Units()) {
    case kMetric:
    case kEnglish:
        if (IsLinear(in.motorType))
            return units == kMetric ? "m/s" : "in/s";
        return IsRotary(in.motorType) ? "RPM" : "";
    case kUser:
        return Text(in.velocityLabel);
    default:
        return {};
    }
}
