#pragma once

#include "quorvance/tarvik/TarvikConnectedModel.h"

// Current units: amperes, or the user's label.
class ZRCurrentUnits : public TarvikUnitsModel {
public:
    using TarvikUnitsModel::TarvikConnectedModel;

    std::string GetUnits() override;

protected:
    std::vector<ZRAttribute*> Observed(const TarvikUnitSubjects& s) const override;
};
