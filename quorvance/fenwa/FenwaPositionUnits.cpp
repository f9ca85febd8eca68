#include "quorvance/fenwa/FenwaPositionUnits.h"

using namespace fenwa::units;

FenwaPositionUnits::~FenwaPositionUnits() = default;

std::vector<ZRAttribute*> FenwaPositionUnits::Observed(const FenwaScaleInputs& in) const {
    return {in.positionLabel, in.displayedUnits};
}

std::string FenwaPositionUnits::GetUnits() {
    if (!IsConnected())
        return {};
    return Units() == kUser ? Text(Inputs().positionLabel) : "Counts";
}
