#pragma once

#include "kitbase/model/ZRUnits.h"
#include "quorvance/fenwa/FenwaConnectedModel.h"

// The units of the drive's "Acceleration Scale": by the motor type alone.
class FenwaAccelUserUnits : public FenwaConnectedModel<ZRUnits, ZRUpdate::UnitsChanged> {
public:
    explicit FenwaAccelUserUnits(FenwaDrive* drive) : FenwaConnectedModel(drive) {}
    ~FenwaAccelUserUnits() override;

    std::string GetUnits() override;

protected:
    std::vector<ZRAttribute*> Observed(const FenwaScaleInputs& in) const override;
};
