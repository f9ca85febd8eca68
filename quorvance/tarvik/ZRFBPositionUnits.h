#pragma once

#include "quorvance/tarvik/TarvikConnectedModel.h"

// Position units of the position feedback source.
class ZRFBPositionUnits : public TarvikUnitsModel {
public:
    using TarvikUnitsModel::TarvikConnectedModel;

    std::string GetUnits() override;

protected:
    std::vector<ZRAttribute*> Observed(const TarvikUnitSubjects& s) const override;
};
