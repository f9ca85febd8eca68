#include "quorvance/tarvik/TarvikAuxPositionUnits.h"

using namespace tarvik::units;

std::vector<ZRAttribute*> TarvikAuxPositionUnits::Observed(const TarvikUnitSubjects& s) const {
    return {s.displayedUnits, s.auxPositionLabel};
}

std::string TarvikAuxPositionUnits::GetUnits() {
    if (!IsConnected())
        return {};
    return System() == kUser ? Text(Subjects().auxPositionLabel) : "Counts";
}
