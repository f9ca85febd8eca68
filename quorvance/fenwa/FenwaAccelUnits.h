#pragma once

#include "kitbase/model/ZRUnits.h"
#include "quorvance/fenwa/FenwaConnectedModel.h"

// Acceleration units by the motor type and the displayed units, or the user's label.
class FenwaAccelUnits : public FenwaConnectedModel<ZRUnits, ZRUpdate::UnitsChanged> {
public:
    explicit FenwaAccelUnits(FenwaDrive* drive) : FenwaConnectedModel(drive) {}
    ~FenwaAccelUnits() override;

    std::string GetUnits() override;

protected:
    std::vector<ZRAttribute*> Observed(const FenwaScaleInputs& in) const override;
};
