#pragma once

#include "kitbase/model/ZRUnits.h"
#include "quorvance/fenwa/FenwaConnectedModel.h"

// Velocity units by the motor type and the displayed units, or the user's label.
class FenwaVelocityUnits : public FenwaConnectedModel<ZRUnits, ZRUpdate::UnitsChanged> {
public:
    explicit FenwaVelocityUnits(FenwaDrive* drive) : FenwaConnectedModel(drive) {}
    ~FenwaVelocityUnits() override;

    std::string GetUnits() override;

protected:
    std::vector<ZRAttribute*> Observed(const FenwaScaleInputs& in) const override;
};
