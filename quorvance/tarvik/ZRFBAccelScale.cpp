#include "quorvance/tarvik/ZRFBAccelScale.h"

#include "quorvance/tarvik/TarvikAccelScale.h"

using namespace tarvik::units;

std::vector<ZRAttribute*> ZRFBAccelScale::Observed(const TarvikUnitSubjects& s) const {
    return {s.motorType, s.encoder, s.linesRevolution, s.linesMeter, s.interpolation, s.displayedUnits, s.accelerationScale, s.accelerationPrecision, s.feedbackSource, s.auxType, s.auxLinesMeter, s.auxLinesRevolution, s.auxAccelerationScale};
}

int ZRFBAccelScale::GetPrecision() {
    return IsConnected() ? Precision(Subjects().accelerationPrecision, 0) : 0;
}

bool ZRFBAccelScale::GetScaleFactor(double& factor) {
    if (!IsConnected()) {
        factor = 1.0;
        return true;
    }
    return TarvikAccelScale::Factor(Subjects(), System(), AuxSource(Subjects()), factor);
}
