#include "quorvance/tarvik/ZRFBVelocityScale.h"

#include "quorvance/tarvik/ZRVelocityScale.h"

using namespace tarvik::units;

std::vector<ZRAttribute*> ZRFBVelocityScale::Observed(const TarvikUnitSubjects& s) const {
    return {s.motorType, s.encoder, s.linesRevolution, s.linesMeter, s.interpolation, s.displayedUnits, s.velocityScale, s.velocityPrecision, s.feedbackSource, s.auxType, s.auxLinesMeter, s.auxLinesRevolution, s.auxVelocityScale};
}

int ZRFBVelocityScale::GetPrecision() {
    return IsConnected() ? Precision(Subjects().velocityPrecision, 0) : 0;
}

bool ZRFBVelocityScale::GetScaleFactor(double& factor) {
    if (!IsConnected()) {
        factor = 1.0;
        return true;
    }
    return ZRVelocityScale::Factor(Subjects(), System(), AuxSource(Subjects()), factor);
}
