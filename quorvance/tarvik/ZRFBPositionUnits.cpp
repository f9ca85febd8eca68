#include "quorvance/tarvik/ZRFBPositionUnits.h"

using namespace tarvik::units;

std::vector<ZRAttribute*> ZRFBPositionUnits::Observed(const TarvikUnitSubjects& s) const {
    return {s.positionLabel, s.displayedUnits, s.auxPositionLabel, s.feedbackSource};
}

std::string ZRFBPositionUnits::GetUnits() {
    if (!IsConnected())
        return {};
    const TarvikUnitSubjects& s = Subjects();
    if (System() != kUser)
        return "Counts";
    return Text(AuxSource(s) ? s.auxPositionLabel : s.positionLabel);
}
