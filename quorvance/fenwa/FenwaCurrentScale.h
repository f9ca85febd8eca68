#pragma once

#include "kitbase/model/ZRChannelScale.h"
#include "quorvance/fenwa/FenwaConnectedModel.h"

// Currents: internally tenths of a percent of the motor's continuous current, shown in amperes.
class FenwaCurrentScale : public FenwaConnectedModel<ZRChannelScale, ZRUpdate::ValueChanged> {
public:
    explicit FenwaCurrentScale(FenwaDrive* drive) : FenwaConnectedModel(drive) {}
    ~FenwaCurrentScale() override;

    int GetPrecision() override { return 2; }
    bool GetScaleFactor(double& factor) override;

protected:
    std::vector<ZRAttribute*> Observed(const FenwaScaleInputs& in) const override;
};
