#pragma once

#include "quorvance/tarvik/TarvikConnectedModel.h"

// Analog velocity input: counts per second per volt relative to the motor's maximum speed.
class TarvikAnalogVelocityScale : public TarvikScaleModel {
public:
    using TarvikScaleModel::TarvikConnectedModel;

    int GetPrecision() override;
    bool GetScaleFactor(double& factor) override;

    // The motor's maximum speed in display units; 0 when it cannot be given.
    static double FullScaleSpeed(const TarvikUnitSubjects& s, int32_t system);

protected:
    std::vector<ZRAttribute*> Observed(const TarvikUnitSubjects& s) const override;
};
