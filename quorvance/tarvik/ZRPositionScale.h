#pragma once

#include "quorvance/tarvik/TarvikConnectedModel.h"

// Positions: counts, or the user's factor.
class ZRPositionScale : public TarvikScaleModel {
public:
    using TarvikScaleModel::TarvikConnectedModel;

    int GetPrecision() override;
    bool GetScaleFactor(double& factor) override;

protected:
    std::vector<ZRAttribute*> Observed(const TarvikUnitSubjects& s) const override;
};
