#pragma once

#include "quorvance/tarvik/TarvikConnectedModel.h"

// Accelerations of the auxiliary encoder.
class TarvikAuxAccelScale : public TarvikScaleModel {
public:
    using TarvikScaleModel::TarvikConnectedModel;

    int GetPrecision() override;
    bool GetScaleFactor(double& factor) override;

protected:
    std::vector<ZRAttribute*> Observed(const TarvikUnitSubjects& s) const override;
};
