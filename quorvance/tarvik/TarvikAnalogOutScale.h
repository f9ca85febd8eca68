#pragma once

#include "quorvance/tarvik/TarvikConnectedModel.h"

// Analog output: drive units per volt of the signal the output shows.
class TarvikAnalogOutScale : public TarvikScaleModel {
public:
    using TarvikScaleModel::TarvikConnectedModel;

    int GetPrecision() override;
    bool GetScaleFactor(double& factor) override;

protected:
    std::vector<ZRAttribute*> Observed(const TarvikUnitSubjects& s) const override;
};
