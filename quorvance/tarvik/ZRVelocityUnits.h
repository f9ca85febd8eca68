#pragma once

#include "quorvance/tarvik/TarvikConnectedModel.h"

// Velocity units by the motor type, or the user's label.
class ZRVelocityUnits : public TarvikUnitsModel {
public:
    using TarvikUnitsModel::TarvikConnectedModel;

    std::string GetUnits() override;

protected:
    std::vector<ZRAttribute*> Observed(const TarvikUnitSubjects& s) const override;
};
