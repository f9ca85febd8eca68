#include "quorvance/tarvik/TarvikUnitSubjects.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRFloatAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUlongOptions.h"

#include <cmath>

namespace tarvik::units {

int32_t OptionValue(ZRAttribute* attribute) {
    auto* selection = dynamic_cast<ZRIndexSelection*>(attribute);
    if (!selection || !selection->IsValid())
        return -1;
    ZROptions* options = selection->GetOptions();
    if (auto* ulongs = dynamic_cast<ZRUlongOptions*>(options))
        return static_cast<int32_t>(ulongs->GetData(selection->GetValue()));
    if (auto* longs = dynamic_cast<ZRLongOptions*>(options))
        return longs->GetData(selection->GetValue());
    return selection->GetValue();
}

double Number(ZRAttribute* attribute, double fallback) {
    if (auto* value = dynamic_cast<ZRValAttribute*>(attribute))
        return value->GetValue();
    if (auto* real = dynamic_cast<ZRFloatAttribute*>(attribute))
        return real->GetValue();
    if (auto* flag = dynamic_cast<ZRBoolAttribute*>(attribute))
        return flag->GetValue() ? 1.0 : 0.0;
    return fallback;
}

double InternalNumber(ZRAttribute* attribute, double fallback) {
    if (auto* ulong = dynamic_cast<ZRUlongAttribute*>(attribute))
        return ulong->GetInternalValue();
    if (auto* slong = dynamic_cast<ZRLongAttribute*>(attribute))
        return slong->GetInternalValue();
    return Number(attribute, fallback);
}

std::string Text(ZRAttribute* attribute) {
    return attribute ? attribute->GetAsString() : std::string();
}

int Precision(ZRAttribute* attribute, int fallback) {
    if (!attribute)
        return fallback;
    double value = Number(attribute, fallback);
    return std::isfinite(value) ? static_cast<int>(value) : fallback;
}

double PeakCurrent(int32_t driveSize) {
    switch (driveSize) {
    case 1: return 15.0;
    case 2:
    case 3: return 30.0;
    case 4: return 75.0;
    case 5: return 150.0;
    case 6: return 14.0;
    case 7: return 22.0;
    case 8: return 46.0;
    case 9: return 68.0;
    case 10: return 94.0;
    default: return 7.5;
    }
}

bool Checked(double value, double& factor) {
    if (value == 0.0 || !std::isfinite(value)) {
        factor = 1.0;
        return false;
    }
    factor = value;
    return true;
}

bool MotorFeedback(const TarvikUnitSubjects& s, Feedback& feedback) {
    feedback.type = Text(s.motorType);
    feedback.linesRevolution = Number(s.linesRevolution);
    feedback.linesMeter = Number(s.linesMeter);
    feedback.interpolation = 1.0;
    if (Text(s.encoder) == "Incremental")
        return true;
    auto* selection = dynamic_cast<ZRIndexSelection*>(s.interpolation);
    if (!selection)
        return true;
    // Choices "x4" to "x1024"; anything else (nothing chosen, the unexpected-value entry) has no
    // multiplier to give.
    int position = selection->GetValue();
    if (position < 0 || position > 8)
        return false;
    feedback.interpolation = std::ldexp(1.0, position);
    return true;
}

Feedback AuxFeedback(const TarvikUnitSubjects& s) {
    Feedback feedback;
    feedback.type = Text(s.auxType);
    feedback.linesRevolution = Number(s.auxLinesRevolution);
    feedback.linesMeter = Number(s.auxLinesMeter);
    return feedback;
}

bool AuxSource(const TarvikUnitSubjects& s) {
    return OptionValue(s.feedbackSource) == 1;
}

double VelocityFactor(const Feedback& f, int32_t system) {
    if (system != kMetric && system != kEnglish)
        return 1.0;
    if (f.type == "Rotary")
        return f.linesRevolution * f.interpolation / 15.0;
    if (f.type == "Linear")
        return 4.0 * f.linesMeter * f.interpolation / (system == kEnglish ? kInchesPerMeter : 1.0);
    return f.interpolation;
}

double AccelFactor(const Feedback& f, int32_t system) {
    if (system != kMetric && system != kEnglish)
        return 1.0;
    if (f.type == "Rotary")
        return 4.0 * f.linesRevolution * f.interpolation;
    if (f.type == "Linear")
        return 4.0 * f.linesMeter * f.interpolation / (system == kEnglish ? kInchesPerMeter : 1.0);
    return f.interpolation;
}

double MaximumSpeed(const TarvikUnitSubjects& s, const std::string& type) {
    if (type == "Rotary")
        return Number(s.maximumSpeed);
    if (type == "Linear")
        return Number(s.maximumSpeedLinear);
    return 1.0;
}

double SpeedResolution(const Feedback& f) {
    if (f.type == "Rotary")
        return f.linesRevolution / 15.0;
    if (f.type == "Linear")
        return 4.0 * f.linesMeter;
    return 1.0;
}

std::string VelocityText(const std::string& type, int32_t system) {
    if (system != kMetric && system != kEnglish)
        return {};
    if (type == "Rotary")
        return "RPM";
    if (type == "Linear")
        return system == kMetric ? "m/s" : "in/s";
    return {};
}

std::string AccelText(const std::string& type, int32_t system) {
    if (system != kMetric && system != kEnglish)
        return {};
    if (type == "Rotary")
        return "Revs/s^2";
    if (type == "Linear")
        return system == kMetric ? "m/s^2" : "in/s^2";
    return {};
}

std::string PerVolt(const std::string& text) {
    return text + "/Volt";
}

SignalGroup GroupOf(int32_t signal) {
    switch (signal) {
    case 1:
    case 2:
    case 7: return SignalGroup::Position;
    case 22:
    case 23:
    case 24: return SignalGroup::Velocity;
    case 16:
    case 17:
    case 36: return SignalGroup::Current;
    default: return SignalGroup::Other;
    }
}

} // namespace tarvik::units
