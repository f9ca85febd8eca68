#pragma once

#include "quorvance/tarvik/TarvikConnectedModel.h"

// Acceleration units by the motor type, or the user's label.
class TarvikAccelUnits : public TarvikUnitsModel {
public:
    using TarvikUnitsModel::TarvikConnectedModel;

    std::string GetUnits() override;

protected:
    std::vector<ZRAttribute*> Observed(const TarvikUnitSubjects& s) const override;
};
