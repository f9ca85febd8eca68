#pragma once

#include "quorvance/tarvik/TarvikConnectedModel.h"

// Velocity units of the position feedback source.
class ZRFBVelocityUnits : public TarvikUnitsModel {
public:
    using TarvikUnitsModel::TarvikConnectedModel;

    std::string GetUnits() override;

protected:
    std::vector<ZRAttribute*> Observed(const TarvikUnitSubjects& s) const override;
};
