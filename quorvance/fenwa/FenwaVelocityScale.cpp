#include "quorvance/fenwa/FenwaVelocityScale.h"

using namespace fenwa::units;

FenwaVelocityScale::~FenwaVelocityScale() = default;

std::vector<ZRAttribute*> FenwaVelocityScale::Observed(const FenwaScaleInputs& in) const {
    return {in.motorType, in.displayedUnits, in.velocityScale};
}

int FenwaVelocityScale::GetPrecision() {
    if (Units() == kUser)
        return 2;
    return IsLinear(Inputs().motorType) ? 3 : 0;
}

bool FenwaVelocityScale::GetScaleFactor(double& factor) {
    factor = 1.0;
    if (!IsConnected())
        return true;
    const bool linear = IsLinear(Inputs().motorType);
    switch (Units()) {
    case kMetric:
        return Checked(linear ? 1.0 / 0.001 : 1.0, factor);
    case kEnglish:
        return Checked(linear ? 1.0 / 0.03937 : 1.0, factor);
    case kUser: {
        // The user's factor is divided in single precision, as the drive's tools do.
        const float perUser = 1.0f / static_cast<float>(Number(Inputs().velocityScale, 1.0));
        const double inverse = static_cast<double>(perUser);
        return Checked(1.0 / (linear ? inverse * 0.001 : inverse), factor);
    }
    default:
        return true;
    }
}
