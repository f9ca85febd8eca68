#include "quorvance/tarvik/TarvikAuxAccelScale.h"

using namespace tarvik::units;

std::vector<ZRAttribute*> TarvikAuxAccelScale::Observed(const TarvikUnitSubjects& s) const {
    return {s.auxType, s.auxLinesMeter, s.auxLinesRevolution, s.displayedUnits, s.accelerationPrecision, s.auxAccelerationScale};
}

int TarvikAuxAccelScale::GetPrecision() {
    return IsConnected() ? Precision(Subjects().accelerationPrecision, 0) : 0;
}

bool TarvikAuxAccelScale::GetScaleFactor(double& factor) {
    if (!IsConnected()) {
        factor = 1.0;
        return true;
    }
    // The auxiliary encoder has no interpolation: an unknown type counts plain counts.
    const TarvikUnitSubjects& s = Subjects();
    if (System() == kUser)
        return Checked(Number(s.auxAccelerationScale, 1.0), factor);
    Feedback feedback = AuxFeedback(s);
    if (feedback.type != "Rotary" && feedback.type != "Linear") {
        factor = 1.0;
        return true;
    }
    return Checked(AccelFactor(feedback, System()), factor);
}
