#include "quorvance/fenwa/FenwaAccelScale.h"

using namespace fenwa::units;

FenwaAccelScale::~FenwaAccelScale() = default;

std::vector<ZRAttribute*> FenwaAccelScale::Observed(const FenwaScaleInputs& in) const {
    return {in.motorType, in.maximumSpeedLinear, in.maximumSpeedRpm, in.displayedUnits, in.accelerationScale};
}

int FenwaAccelScale::GetPrecision() {
    return IsLinear(Inputs().motorType) ? 3 : 2;
}

bool FenwaAccelScale::GetScaleFactor(double& factor) {
    factor = 1.0;
    if (!IsConnected())
        return true;
    const FenwaScaleInputs& in = Inputs();
    const bool rotary = IsRotary(in.motorType);
    const bool linear = IsLinear(in.motorType);
    // A maximum speed of 0 gives no factor ("Scaling Error"), never a division by 0.
    const double rpm = Number(in.maximumSpeedRpm);
    const double metersPerSecond = Number(in.maximumSpeedLinear);
    const double user = Number(in.accelerationScale, 1.0);
    switch (Units()) {
    case kMetric:
        if (rotary)
            return Checked(60.0 / rpm, factor);
        return linear ? Checked(1.0 / metersPerSecond, factor) : true;
    case kEnglish:
        if (rotary)
            return Checked(60.0 / rpm, factor);
        return linear ? Checked(0.0254 / metersPerSecond, factor) : true;
    case kUser:
        if (rotary)
            return Checked(60.0 * user / rpm, factor);
        return Checked(linear ? user / metersPerSecond : user, factor);
    default:
        if (rotary)
            return Checked(1.0 / rpm, factor);
        return linear ? Checked(1.0 / metersPerSecond, factor) : true;
    }
}
