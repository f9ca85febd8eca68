#pragma once

#include "kitbase/model/ZRChannelScale.h"
#include "quorvance/fenwa/FenwaConnectedModel.h"

// Velocities: internally RPM for rotary motors and mm/s for linear ones, shown in the displayed units.
class FenwaVelocityScale : public FenwaConnectedModel<ZRChannelScale, ZRUpdate::ValueChanged> {
public:
    explicit FenwaVelocityScale(FenwaDrive* drive) : FenwaConnectedModel(drive) {}
    ~FenwaVelocityScale() override;

    int GetPrecision() override;
    bool GetScaleFactor(double& factor) override;

protected:
    std::vector<ZRAttribute*> Observed(const FenwaScaleInputs& in) const override;
};
