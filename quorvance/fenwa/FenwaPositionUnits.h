#pragma once

#include "kitbase/model/ZRUnits.h"
#include "quorvance/fenwa/FenwaConnectedModel.h"

// Counts, or the user's position label.
class FenwaPositionUnits : public FenwaConnectedModel<ZRUnits, ZRUpdate::UnitsChanged> {
public:
    explicit FenwaPositionUnits(FenwaDrive* drive) : FenwaConnectedModel(drive) {}
    ~FenwaPositionUnits() override;

    std::string GetUnits() override;

protected:
    std::vector<ZRAttribute*> Observed(const FenwaScaleInputs& in) const override;
};
