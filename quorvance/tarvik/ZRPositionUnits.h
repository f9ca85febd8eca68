#pragma once

#include "quorvance/tarvik/TarvikConnectedModel.h"

// Position units: counts, or the user's label.
class ZRPositionUnits : public TarvikUnitsModel {
public:
    using TarvikUnitsModel::TarvikConnectedModel;

    std::string GetUnits() override;

protected:
    std::vector<ZRAttribute*> Observed(const TarvikUnitSubjects& s) const override;
};
