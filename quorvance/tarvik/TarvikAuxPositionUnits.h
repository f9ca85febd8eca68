#pragma once

#include "quorvance/tarvik/TarvikConnectedModel.h"

// Position units of the auxiliary encoder.
class TarvikAuxPositionUnits : public TarvikUnitsModel {
public:
    using TarvikUnitsModel::TarvikConnectedModel;

    std::string GetUnits() override;

protected:
    std::vector<ZRAttribute*> Observed(const TarvikUnitSubjects& s) const override;
};
