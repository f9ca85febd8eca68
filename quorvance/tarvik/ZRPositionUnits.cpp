#include "quorvance/tarvik/ZRPositionUnits.h"

using namespace tarvik::units;

std::vector<ZRAttribute*> ZRPositionUnits::Observed(const TarvikUnitSubjects& s) const {
    return {s.positionLabel, s.displayedUnits};
}

std::string ZRPositionUnits::GetUnits() {
    if (!IsConnected())
        return {};
    return System() == kUser ? Text(Subjects().positionLabel) : "Counts";
}
