#include "quorvance/tarvik/TarvikAuxAccelUnits.h"

using namespace tarvik::units;

std::vector<ZRAttribute*> TarvikAuxAccelUnits::Observed(const TarvikUnitSubjects& s) const {
    return {s.displayedUnits, s.auxAccelerationLabel, s.auxType};
}

std::string TarvikAuxAccelUnits::GetUnits() {
    if (!IsConnected())
        return {};
    const TarvikUnitSubjects& s = Subjects();
    return System() == kUser ? Text(s.auxAccelerationLabel) : AccelText(Text(s.auxType), System());
}
