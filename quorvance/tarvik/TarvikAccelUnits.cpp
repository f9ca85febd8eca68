#include "quorvance/tarvik/TarvikAccelUnits.h"

using namespace tarvik::units;

std::vector<ZRAttribute*> TarvikAccelUnits::Observed(const TarvikUnitSubjects& s) const {
    return {s.displayedUnits, s.motorType, s.accelerationLabel};
}

std::string TarvikAccelUnits::GetUnits() {
    if (!IsConnected())
        return {};
    const TarvikUnitSubjects& s = Subjects();
    return System() == kUser ? Text(s.accelerationLabel) : AccelText(Text(s.motorType), System());
}
