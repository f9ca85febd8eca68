#include "quorvance/tarvik/ZRPositionScale.h"

using namespace tarvik::units;

std::vector<ZRAttribute*> ZRPositionScale::Observed(const TarvikUnitSubjects& s) const {
    return {s.positionScale, s.positionPrecision, s.displayedUnits};
}

int ZRPositionScale::GetPrecision() {
    return IsConnected() ? Precision(Subjects().positionPrecision, 0) : 0;
}

bool ZRPositionScale::GetScaleFactor(double& factor) {
    if (!IsConnected() || System() != kUser) {
        factor = 1.0;
        return true;
    }
    return Checked(Number(Subjects().positionScale, 1.0), factor);
}
