#pragma once

#include "kitbase/model/ZRChannelScale.h"
#include "quorvance/fenwa/FenwaConnectedModel.h"

// Positions: counts, or the user's units through "Position Scale".
class FenwaPositionScale : public FenwaConnectedModel<ZRChannelScale, ZRUpdate::ValueChanged> {
public:
    explicit FenwaPositionScale(FenwaDrive* drive) : FenwaConnectedModel(drive) {}
    ~FenwaPositionScale() override;

    int GetPrecision() override;
    bool GetScaleFactor(double& factor) override;

protected:
    std::vector<ZRAttribute*> Observed(const FenwaScaleInputs& in) const override;
};
