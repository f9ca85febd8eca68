#include "quorvance/tarvik/ZRFBPositionScale.h"

using namespace tarvik::units;

std::vector<ZRAttribute*> ZRFBPositionScale::Observed(const TarvikUnitSubjects& s) const {
    return {s.positionScale, s.positionPrecision, s.displayedUnits, s.auxPositionScale, s.feedbackSource};
}

int ZRFBPositionScale::GetPrecision() {
    return IsConnected() ? Precision(Subjects().positionPrecision, 0) : 0;
}

bool ZRFBPositionScale::GetScaleFactor(double& factor) {
    if (!IsConnected() || System() != kUser) {
        factor = 1.0;
        return true;
    }
    const TarvikUnitSubjects& s = Subjects();
    return Checked(Number(AuxSource(s) ? s.auxPositionScale : s.positionScale, 1.0), factor);
}
