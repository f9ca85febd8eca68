#include "quorvance/fenwa/FenwaPositionScale.h"

using namespace fenwa::units;

FenwaPositionScale::~FenwaPositionScale() = default;

std::vector<ZRAttribute*> FenwaPositionScale::Observed(const FenwaScaleInputs& in) const {
    return {in.positionScale, in.displayedUnits};
}

int FenwaPositionScale::GetPrecision() {
    return Units() == kUser ? 2 : 0;
}

bool FenwaPositionScale::GetScaleFactor(double& factor) {
    factor = 1.0;
    if (IsConnected() && Units() == kUser)
        Checked(Number(Inputs().positionScale, 1.0), factor);
    return true;
}
