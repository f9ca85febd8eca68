#pragma once

#include "quorvance/tarvik/TarvikConnectedModel.h"

// Motor-side values seen through the motor's gear box: displayed as internal x N / D.
class ZRGearScale : public TarvikScaleModel {
public:
    using TarvikScaleModel::TarvikConnectedModel;

    int GetPrecision() override;
    bool GetScaleFactor(double& factor) override;

protected:
    std::vector<ZRAttribute*> Observed(const TarvikUnitSubjects& s) const override;
    // D / N, or N / D when inverse; 1.0 without a gear box.
    bool Ratio(bool inverse, double& factor);
};
