#pragma once

#include "quorvance/tarvik/TarvikConnectedModel.h"

// Accelerations: counts per second squared per display unit.
class TarvikAccelScale : public TarvikScaleModel {
public:
    using TarvikScaleModel::TarvikConnectedModel;

    int GetPrecision() override;
    bool GetScaleFactor(double& factor) override;

    // The acceleration factor of the motor encoder or, with auxiliary, of the auxiliary encoder.
    static bool Factor(const TarvikUnitSubjects& s, int32_t system, bool auxiliary, double& factor);

protected:
    std::vector<ZRAttribute*> Observed(const TarvikUnitSubjects& s) const override;
};
