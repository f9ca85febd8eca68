#pragma once

#include "quorvance/tarvik/TarvikConnectedModel.h"

// Analog output units per volt of the signal the output shows.
class TarvikAnalogOutUnits : public TarvikUnitsModel {
public:
    using TarvikUnitsModel::TarvikConnectedModel;

    std::string GetUnits() override;

protected:
    std::vector<ZRAttribute*> Observed(const TarvikUnitSubjects& s) const override;
};
