#include "quorvance/fenwa/FenwaCurrentScale.h"

using namespace fenwa::units;

FenwaCurrentScale::~FenwaCurrentScale() = default;

std::vector<ZRAttribute*> FenwaCurrentScale::Observed(const FenwaScaleInputs& in) const {
    return {in.continuousCurrent};
}

bool FenwaCurrentScale::GetScaleFactor(double& factor) {
    factor = 1.0;
    if (!IsConnected())
        return true;
    // A motor without a continuous current gives no factor: "Scaling Error" rather than a division by 0.
    return Checked(1.0 / (Number(Inputs().continuousCurrent) * 0.001), factor);
}
