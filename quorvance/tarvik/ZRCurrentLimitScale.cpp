#include "quorvance/tarvik/ZRCurrentLimitScale.h"

#include <algorithm>

using namespace tarvik::units;

std::vector<ZRAttribute*> ZRCurrentLimitScale::Observed(const TarvikUnitSubjects& s) const {
    return {s.intermittentCurrent, s.driveSize, s.currentPrecision};
}

int ZRCurrentLimitScale::GetPrecision() {
    return IsConnected() ? Precision(Subjects().currentPrecision, 1) : 1;
}

bool ZRCurrentLimitScale::GetScaleFactor(double& factor) {
    const TarvikUnitSubjects& s = Subjects();
    if (!IsConnected() || !s.intermittentCurrent || !s.driveSize) {
        factor = 1.0;
        return true;
    }
    double base = std::min(Number(s.intermittentCurrent), PeakCurrent(OptionValue(s.driveSize)));
    return Checked(100.0 / base, factor);
}
