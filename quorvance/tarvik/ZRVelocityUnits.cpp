#include "quorvance/tarvik/ZRVelocityUnits.h"

using namespace tarvik::units;

std::vector<ZRAttribute*> ZRVelocityUnits::Observed(const TarvikUnitSubjects& s) const {
    return {s.displayedUnits, s.motorType, s.velocityLabel};
}

std::string ZRVelocityUnits::GetUnits() {
    if (!IsConnected())
        return {};
    const TarvikUnitSubjects& s = Subjects();
    return System() == kUser ? Text(s.velocityLabel) : VelocityText(Text(s.motorType), System());
}
