#include "quorvance/tarvik/TarvikAuxPositionScale.h"

using namespace tarvik::units;

std::vector<ZRAttribute*> TarvikAuxPositionScale::Observed(const TarvikUnitSubjects& s) const {
    return {s.positionPrecision, s.displayedUnits, s.auxPositionScale};
}

int TarvikAuxPositionScale::GetPrecision() {
    return IsConnected() ? Precision(Subjects().positionPrecision, 0) : 0;
}

bool TarvikAuxPositionScale::GetScaleFactor(double& factor) {
    if (!IsConnected() || System() != kUser) {
        factor = 1.0;
        return true;
    }
    return Checked(Number(Subjects().auxPositionScale, 1.0), factor);
}
