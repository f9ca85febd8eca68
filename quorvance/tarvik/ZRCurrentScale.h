#pragma once

#include "quorvance/tarvik/TarvikConnectedModel.h"

// Currents: the drive counts 1/128 ampere whatever the unit system.
class ZRCurrentScale : public TarvikScaleModel {
public:
    using TarvikScaleModel::TarvikConnectedModel;

    int GetPrecision() override;
    bool GetScaleFactor(double& factor) override;

protected:
    std::vector<ZRAttribute*> Observed(const TarvikUnitSubjects& s) const override;
};
