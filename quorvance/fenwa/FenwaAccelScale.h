#pragma once

#include "kitbase/model/ZRScale.h"
#include "quorvance/fenwa/FenwaConnectedModel.h"

// Accelerations: internally units of the motor's maximum speed per second.
class FenwaAccelScale : public FenwaConnectedModel<ZRScale, ZRUpdate::ValueChanged> {
public:
    explicit FenwaAccelScale(FenwaDrive* drive) : FenwaConnectedModel(drive) {}
    ~FenwaAccelScale() override;

    int GetPrecision() override;
    bool GetScaleFactor(double& factor) override;

protected:
    std::vector<ZRAttribute*> Observed(const FenwaScaleInputs& in) const override;
};
