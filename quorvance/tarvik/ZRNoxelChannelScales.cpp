#include "quorvance/tarvik/ZRNoxelChannelScales.h"

#include <algorithm>

using namespace tarvik::units;

namespace {

constexpr double kFullScaleCurrent = 8191.0;
constexpr double kFullScaleVelocity = 16383.0;
// The lowest motor current, as a share of the drive's rating, that the current signals scale to.
constexpr double kLeastMotorShare = 0.673187255859375;

bool NoDrive(double& factor) {
    factor = 1.0;
    return false;
}

} // namespace

std::vector<ZRAttribute*> ZRNoxelCurrentChannelScale::Observed(const TarvikUnitSubjects& s) const {
    return {s.intermittentCurrent, s.driveSize, s.currentPrecision};
}

int ZRNoxelCurrentChannelScale::GetPrecision() {
    return IsConnected() ? Precision(Subjects().currentPrecision, 1) : 1;
}

bool ZRNoxelCurrentChannelScale::GetScaleFactor(double& factor) {
    if (!IsConnected())
        return NoDrive(factor);
    const TarvikUnitSubjects& s = Subjects();
    const double rating = PeakCurrent(OptionValue(s.driveSize));
    const double motor = Number(s.intermittentCurrent);
    const double divisor = motor >= rating ? rating : std::max(motor, kLeastMotorShare * rating);
    return Checked(kFullScaleCurrent / divisor, factor);
}

int TarvikUserPositionChannelScale::GetPrecision() {
    return IsConnected() ? Precision(Subjects().positionPrecision, 0) : ZRChannelScale::GetPrecision();
}

bool TarvikUserPositionChannelScale::GetScaleFactor(double& factor) {
    if (!IsConnected())
        return NoDrive(factor);
    if (System() != kUser) {
        factor = 1.0;
        return true;
    }
    return Checked(Number(UserScale(Subjects()), 1.0), factor);
}

std::vector<ZRAttribute*> ZRNoxelFBPositionChannelScale::Observed(const TarvikUnitSubjects& s) const {
    return {s.positionScale, s.auxPositionScale, s.positionPrecision, s.displayedUnits, s.feedbackSource};
}

ZRAttribute* ZRNoxelFBPositionChannelScale::UserScale(const TarvikUnitSubjects& s) const {
    // Only the motor encoder closes the loop on the first scale; any other source on the second.
    return OptionValue(s.feedbackSource) == 0 ? s.positionScale : s.auxPositionScale;
}

std::vector<ZRAttribute*> ZRNoxelVelocityChannelScale::Observed(const TarvikUnitSubjects& s) const {
    return {s.motorType,  s.encoder,        s.linesRevolution,    s.linesMeter,
            s.interpolation, s.maximumSpeed, s.maximumSpeedLinear, s.displayedUnits,
            s.velocityScale, s.velocityPrecision};
}

int ZRNoxelVelocityChannelScale::GetPrecision() {
    return IsConnected() ? Precision(Subjects().velocityPrecision, 0) : 0;
}

bool ZRNoxelVelocityChannelScale::GetScaleFactor(double& factor) {
    if (!IsConnected())
        return NoDrive(factor);
    const TarvikUnitSubjects& s = Subjects();
    Feedback motor;
    // The interpolation only divides user units; Metric and English scale without it.
    const bool interpolationKnown = MotorFeedback(s, motor);
    const bool linear = motor.type == "Linear";
    double value = kFullScaleVelocity / MaximumSpeed(s, motor.type);
    switch (System()) {
    case kEnglish:
        if (linear)
            value *= kMetersPerInch;
        break;
    case kUser:
        if (!interpolationKnown)
            return Checked(0.0, factor);
        value /= motor.interpolation;
        if (motor.type == "Rotary")
            value = value / motor.linesRevolution * 15.0;
        else if (linear)
            value = value / motor.linesMeter * 0.25;
        value *= Number(s.velocityScale, 1.0);
        break;
    default:
        break;
    }
    return Checked(value, factor);
}

bool ZRNoxelTempChannelScale::GetScaleFactor(double& factor) {
    if (!m_pReference)
        return NoDrive(factor);
    return Checked(Number(m_pReference) * 0.01, factor);
}
