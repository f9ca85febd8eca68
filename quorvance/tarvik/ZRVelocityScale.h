#pragma once

#include "quorvance/tarvik/TarvikConnectedModel.h"

// Velocities: counts per second per RPM, m/s or in/s, or the user's factor.
class ZRVelocityScale : public TarvikScaleModel {
public:
    using TarvikScaleModel::TarvikConnectedModel;

    int GetPrecision() override;
    bool GetScaleFactor(double& factor) override;

    // The velocity factor of the motor encoder or, with auxiliary, of the auxiliary encoder.
    static bool Factor(const TarvikUnitSubjects& s, int32_t system, bool auxiliary, double& factor);

protected:
    std::vector<ZRAttribute*> Observed(const TarvikUnitSubjects& s) const override;
};
