#pragma once

#include "kitbase/model/ZRChannelScale.h"
#include "quorvance/tarvik/TarvikConnectedModel.h"

// The scales of the scope's analog signals whose factor follows the drive: raw samples divided by
// the factor give the signal in the drive's display units. Bound like the drive's own scale models
// (Connect once the drive's blocks exist); without a drive each answers false with factor 1.0.
using TarvikChannelScaleModel = TarvikConnectedModel<ZRChannelScale, ZRUpdate::ValueChanged>;

// Currents: 8191 counts at the smaller of the drive's peak rating and the motor's intermittent
// current, the latter never taken below about two thirds of the rating.
class ZRNoxelCurrentChannelScale : public TarvikChannelScaleModel {
public:
    using TarvikChannelScaleModel::TarvikConnectedModel;
    int GetPrecision() override;
    bool GetScaleFactor(double& factor) override;

protected:
    std::vector<ZRAttribute*> Observed(const TarvikUnitSubjects& s) const override;
};

// Positions: 1.0, or in "User" units the user's position scale that the class picks.
class TarvikUserPositionChannelScale : public TarvikChannelScaleModel {
public:
    using TarvikChannelScaleModel::TarvikConnectedModel;
    int GetPrecision() override;
    bool GetScaleFactor(double& factor) override;

protected:
    virtual ZRAttribute* UserScale(const TarvikUnitSubjects& s) const = 0;
};

// Positions of one encoder, whose user scale is the subject named.
template <ZRAttribute* TarvikUnitSubjects::*Scale>
class TarvikEncoderPositionChannelScale : public TarvikUserPositionChannelScale {
public:
    using TarvikUserPositionChannelScale::TarvikUserPositionChannelScale;

protected:
    std::vector<ZRAttribute*> Observed(const TarvikUnitSubjects& s) const override {
        return {s.*Scale, s.positionPrecision, s.displayedUnits};
    }
    ZRAttribute* UserScale(const TarvikUnitSubjects& s) const override { return s.*Scale; }
};

// Positions of the motor encoder.
using ZRNoxelPositionChannelScale = TarvikEncoderPositionChannelScale<&TarvikUnitSubjects::positionScale>;
// Positions of the auxiliary encoder.
using TarvikAuxPositionChannelScale =
    TarvikEncoderPositionChannelScale<&TarvikUnitSubjects::auxPositionScale>;

// Positions of the position-loop feedback: the scale of the encoder that closes the loop.
class ZRNoxelFBPositionChannelScale : public TarvikUserPositionChannelScale {
public:
    using TarvikUserPositionChannelScale::TarvikUserPositionChannelScale;

protected:
    std::vector<ZRAttribute*> Observed(const TarvikUnitSubjects& s) const override;
    ZRAttribute* UserScale(const TarvikUnitSubjects& s) const override;
};

// Velocities: 16383 counts at the motor's maximum speed, in the drive's display units.
class ZRNoxelVelocityChannelScale : public TarvikChannelScaleModel {
public:
    using TarvikChannelScaleModel::TarvikConnectedModel;
    int GetPrecision() override;
    bool GetScaleFactor(double& factor) override;

protected:
    std::vector<ZRAttribute*> Observed(const TarvikUnitSubjects& s) const override;
};

// Temperatures in percent of a rating the drive reports (its reference attribute, not owned).
class ZRNoxelTempChannelScale : public ZRChannelScale {
public:
    void SetReference(ZRAttribute* reference) { m_pReference = reference; }
    bool GetScaleFactor(double& factor) override;

private:
    ZRAttribute* m_pReference = nullptr;
};
