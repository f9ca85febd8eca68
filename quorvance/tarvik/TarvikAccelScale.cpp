#include "quorvance/tarvik/TarvikAccelScale.h"

using namespace tarvik::units;

std::vector<ZRAttribute*> TarvikAccelScale::Observed(const TarvikUnitSubjects& s) const {
    return {s.motorType, s.encoder, s.linesRevolution, s.linesMeter, s.interpolation, s.displayedUnits, s.accelerationScale, s.accelerationPrecision};
}

int TarvikAccelScale::GetPrecision() {
    return IsConnected() ? Precision(Subjects().accelerationPrecision, 0) : 0;
}

bool TarvikAccelScale::GetScaleFactor(double& factor) {
    if (!IsConnected()) {
        factor = 1.0;
        return true;
    }
    return Factor(Subjects(), System(), false, factor);
}

bool TarvikAccelScale::Factor(const TarvikUnitSubjects& s, int32_t system, bool auxiliary, double& factor) {
    if (system == kUser)
        return Checked(Number(auxiliary ? s.auxAccelerationScale : s.accelerationScale, 1.0), factor);
    Feedback feedback = AuxFeedback(s);
    if (!auxiliary && !MotorFeedback(s, feedback))
        return Checked(0.0, factor);
    return Checked(AccelFactor(feedback, system), factor);
}
