#include "quorvance/tarvik/TarvikAnalogVelocityScale.h"

using namespace tarvik::units;

std::vector<ZRAttribute*> TarvikAnalogVelocityScale::Observed(const TarvikUnitSubjects& s) const {
    return {s.motorType, s.encoder, s.linesRevolution, s.linesMeter, s.interpolation, s.displayedUnits, s.velocityScale, s.velocityPrecision, s.maximumSpeed, s.maximumSpeedLinear};
}

int TarvikAnalogVelocityScale::GetPrecision() {
    return IsConnected() ? Precision(Subjects().velocityPrecision, 0) + 1 : 1;
}

bool TarvikAnalogVelocityScale::GetScaleFactor(double& factor) {
    if (!IsConnected()) {
        factor = 1000.0;
        return true;
    }
    return Checked(1000.0 / FullScaleSpeed(Subjects(), System()), factor);
}

double TarvikAnalogVelocityScale::FullScaleSpeed(const TarvikUnitSubjects& s, int32_t system) {
    Feedback feedback;
    if (!MotorFeedback(s, feedback))
        return 0.0;
    double speed = MaximumSpeed(s, feedback.type);
    if (system == kUser)
        return speed * feedback.interpolation * SpeedResolution(feedback) / Number(s.velocityScale, 1.0);
    if (system == kEnglish && feedback.type == "Linear")
        return speed * kInchesPerMeter;
    return speed;
}
