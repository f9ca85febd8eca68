#pragma once

#include "kitbase/model/ZRUnits.h"
#include "quorvance/fenwa/FenwaConnectedModel.h"

// The units of the drive's "Velocity Scale": by the motor type alone.
class FenwaVelocityUserUnits : public FenwaConnectedModel<ZRUnits, ZRUpdate::UnitsChanged> {
public:
    explicit FenwaVelocityUserUnits(FenwaDrive* drive) : FenwaConnectedModel(drive) {}
    ~FenwaVelocityUserUnits() override;

    std::string GetUnits() override;

protected:
    std::vector<ZRAttribute*> Observed(const FenwaScaleInputs& in) const override;
};
