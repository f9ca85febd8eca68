#include "quorvance/tarvik/ZRCurrentUnits.h"

using namespace tarvik::units;

std::vector<ZRAttribute*> ZRCurrentUnits::Observed(const TarvikUnitSubjects& s) const {
    return {s.currentLabel, s.displayedUnits};
}

std::string ZRCurrentUnits::GetUnits() {
    if (!IsConnected())
        return {};
    return System() == kUser ? Text(Subjects().currentLabel) : "Amps";
}
