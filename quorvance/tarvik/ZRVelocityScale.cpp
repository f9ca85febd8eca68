#include "quorvance/tarvik/ZRVelocityScale.h"

using namespace tarvik::units;

std::vector<ZRAttribute*> ZRVelocityScale::Observed(const TarvikUnitSubjects& s) const {
    return {s.motorType, s.encoder, s.linesRevolution, s.linesMeter, s.interpolation, s.displayedUnits, s.velocityScale, s.velocityPrecision};
}

int ZRVelocityScale::GetPrecision() {
    return IsConnected() ? Precision(Subjects().velocityPrecision, 0) : 0;
}

bool ZRVelocityScale::GetScaleFactor(double& factor) {
    if (!IsConnected()) {
        factor = 1.0;
        return true;
    }
    return Factor(Subjects(), System(), false, factor);
}

bool ZRVelocityScale::Factor(const TarvikUnitSubjects& s, int32_t system, bool auxiliary, double& factor) {
    if (system == kUser)
        return Checked(Number(auxiliary ? s.auxVelocityScale : s.velocityScale, 1.0), factor);
    Feedback feedback = AuxFeedback(s);
    if (!auxiliary && !MotorFeedback(s, feedback))
        return Checked(0.0, factor);
    return Checked(VelocityFactor(feedback, system), factor);
}
