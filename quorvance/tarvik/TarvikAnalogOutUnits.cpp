#include "quorvance/tarvik/TarvikAnalogOutUnits.h"

using namespace tarvik::units;

std::vector<ZRAttribute*> TarvikAnalogOutUnits::Observed(const TarvikUnitSubjects& s) const {
    return {s.signal, s.motorType, s.displayedUnits, s.velocityLabel, s.positionLabel};
}

std::string TarvikAnalogOutUnits::GetUnits() {
    if (!IsConnected())
        return {};
    const TarvikUnitSubjects& s = Subjects();
    bool user = System() == kUser;
    switch (GroupOf(OptionValue(s.signal))) {
    case SignalGroup::Position: return user ? PerVolt(Text(s.positionLabel)) : "Counts/Volt";
    case SignalGroup::Velocity: {
        if (user)
            return PerVolt(Text(s.velocityLabel));
        std::string units = VelocityText(Text(s.motorType), System());
        return units.empty() ? units : PerVolt(units);
    }
    case SignalGroup::Current: return "Amps/Volt";
    default: return {};
    }
}
