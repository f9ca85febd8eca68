#include "quorvance/tarvik/TarvikAnalogOutScale.h"

#include "quorvance/tarvik/TarvikAnalogVelocityScale.h"

#include <algorithm>
#include <cmath>

using namespace tarvik::units;

std::vector<ZRAttribute*> TarvikAnalogOutScale::Observed(const TarvikUnitSubjects& s) const {
    return {s.signal, s.motorType, s.encoder, s.linesRevolution, s.linesMeter, s.interpolation, s.displayedUnits, s.velocityScale, s.velocityPrecision, s.positionScale, s.positionPrecision, s.currentPrecision, s.maximumSpeed, s.maximumSpeedLinear, s.intermittentCurrent, s.driveSize};
}

int TarvikAnalogOutScale::GetPrecision() {
    if (!IsConnected())
        return 1;
    const TarvikUnitSubjects& s = Subjects();
    switch (GroupOf(OptionValue(s.signal))) {
    case SignalGroup::Position: return Precision(s.positionPrecision, 0);
    case SignalGroup::Velocity: return Precision(s.velocityPrecision, 0);
    case SignalGroup::Current: return Precision(s.currentPrecision, 1);
    default: return 1;
    }
}

bool TarvikAnalogOutScale::GetScaleFactor(double& factor) {
    factor = 1.0;
    if (!IsConnected())
        return true;
    const TarvikUnitSubjects& s = Subjects();
    switch (GroupOf(OptionValue(s.signal))) {
    case SignalGroup::Position:
        return System() == kUser ? Checked(Number(s.positionScale, 1.0), factor) : true;
    case SignalGroup::Velocity:
        return Checked(16383.0 / TarvikAnalogVelocityScale::FullScaleSpeed(s, System()), factor);
    case SignalGroup::Current: {
        // 8191 full-scale steps of 1/128 A over the motor current, held within the drive's range.
        double peak = PeakCurrent(OptionValue(s.driveSize)) * 128.0;
        double current = std::clamp(InternalNumber(s.intermittentCurrent), std::floor(peak * 44118.0 / 65536.0), peak);
        return Checked(1048448.0 / current, factor);
    }
    default: return true;
    }
}
