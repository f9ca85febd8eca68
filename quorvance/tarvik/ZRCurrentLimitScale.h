#pragma once

#include "quorvance/tarvik/TarvikConnectedModel.h"

// Current limits: the drive keeps a percentage of the smaller of the motor's intermittent
// current and the drive's peak current; the display is in amperes.
class ZRCurrentLimitScale : public TarvikScaleModel {
public:
    using TarvikScaleModel::TarvikConnectedModel;

    int GetPrecision() override;
    bool GetScaleFactor(double& factor) override;

protected:
    std::vector<ZRAttribute*> Observed(const TarvikUnitSubjects& s) const override;
};
