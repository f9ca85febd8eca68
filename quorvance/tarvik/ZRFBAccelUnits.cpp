#include "quorvance/tarvik/ZRFBAccelUnits.h"

using namespace tarvik::units;

std::vector<ZRAttribute*> ZRFBAccelUnits::Observed(const TarvikUnitSubjects& s) const {
    return {s.displayedUnits, s.motorType, s.accelerationLabel, s.auxAccelerationLabel, s.feedbackSource, s.auxType};
}

std::string ZRFBAccelUnits::GetUnits() {
    if (!IsConnected())
        return {};
    const TarvikUnitSubjects& s = Subjects();
    bool aux = AuxSource(s);
    if (System() == kUser)
        return Text(aux ? s.auxAccelerationLabel : s.accelerationLabel);
    return AccelText(Text(aux ? s.auxType : s.motorType), System());
}
