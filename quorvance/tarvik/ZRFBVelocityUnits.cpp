#include "quorvance/tarvik/ZRFBVelocityUnits.h"

using namespace tarvik::units;

std::vector<ZRAttribute*> ZRFBVelocityUnits::Observed(const TarvikUnitSubjects& s) const {
    return {s.displayedUnits, s.motorType, s.velocityLabel, s.auxVelocityLabel, s.feedbackSource, s.auxType};
}

std::string ZRFBVelocityUnits::GetUnits() {
    if (!IsConnected())
        return {};
    const TarvikUnitSubjects& s = Subjects();
    bool aux = AuxSource(s);
    if (System() == kUser)
        return Text(aux ? s.auxVelocityLabel : s.velocityLabel);
    return VelocityText(Text(aux ? s.auxType : s.motorType), System());
}
