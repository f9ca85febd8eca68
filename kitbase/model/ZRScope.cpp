#include "kitbase/model/ZRScope.h"

#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRIndexSelection.h"

#include "platform/core/Text.h"

#include <cmath>

namespace {
constexpr int kDataPoints = 128;
// Spans below a float's resolution are drawn as a flat line in a fixed window.
constexpr double kFlatSpan = 1.1920928955078125e-07;
} // namespace

ZRScope::ZRScope() : m_pArmTrigger(std::make_unique<ZRCommand>(GetDevice())) {
    m_pArmTrigger->SetObject(this);
    for (auto& selection : m_ScaleTypes) {
        selection = std::make_unique<ZRIndexSelection>(GetDevice());
        selection->SetObject(this);
    }
}

ZRScope::~ZRScope() = default;

void ZRScope::Init() {
    ZRObject::Init();
    m_bRunContinuous = false;
    m_bArmed = false;
}

void ZRScope::ArmTrigger() {
    m_bArmed = true;
    m_pArmTrigger->Execute(true);
}

std::string ZRScope::GetChannelLegend(int channel) {
    return platform::core::Format("Channel %c", 'A' + channel);
}

double ZRScope::GetChannelOffset(int) {
    return 0.0;
}

double ZRScope::GetChannelScale(int) {
    return 0.0;
}

int ZRScope::GetNumDataPoints() {
    return kDataPoints;
}

void ZRScope::Idle() {}

std::string ZRScope::GetScaleType(int channel) {
    ZRIndexSelection* selection = GetChnScaleType(channel);
    return selection ? selection->GetAsString() : std::string();
}

ZRIndexSelection* ZRScope::GetChnScaleType(int channel) const {
    if (channel < 0 || channel >= kMaxChannels)
        return nullptr;
    return m_ScaleTypes[static_cast<size_t>(channel)].get();
}

void ZRScope::SetChannelsNum(int count) {
    m_ChannelCount = count < 0 ? 0 : (count > kMaxChannels ? kMaxChannels : count);
}

void CollectScopeCapture(ZRScope& scope) {
    for (int channel = 0; channel < scope.GetChannelsNum(); ++channel) {
        if (scope.ChannelEnabled(channel))
            scope.ReadChannel(channel);
    }
    if (scope.GetRunContinuous())
        scope.ArmTrigger();
    else
        scope.Idle();
}

ZRScopeAxis ZRScopeAxes::FitToValues(double lowest, double highest) {
    double span = highest - lowest;
    if (!std::isfinite(span))
        return {-1.0, 1.0, 0.5};
    if (span < kFlatSpan)
        return {lowest - 1.0, lowest + 1.0, 0.5};
    double unit = std::pow(10.0, std::floor(std::log10(span)) - 1.0);
    // The test holds once four steps exceed the span, well within a few dozen rounds; the bound
    // only guards against arithmetic that never gets there.
    ZRScopeAxis axis;
    for (int n = 4; n <= 4000; n += 4) {
        axis.step = n * unit / 4.0;
        // A quotient a rounding error above a whole number would lift the axis a full step.
        axis.maximum = std::ceil(highest / axis.step - 1e-9) * axis.step;
        axis.minimum = axis.maximum - 4.0 * axis.step;
        if (axis.minimum < lowest)
            return axis;
    }
    return axis;
}

ZRScopeAxis ZRScopeAxes::Manual(double offset, double scale) {
    return {offset - 2.0 * scale, offset + 2.0 * scale, scale};
}

ZRScopeAxis ZRScopeAxes::Fit(int channel, const std::string& scaleType, int scaleValue, double scale,
                             double offset, double lowest, double highest) {
    ZRScopeAxis axis;
    bool fitted = false;
    if (scaleType == "Manual" && scale != 0.0) {
        axis = Manual(offset, scale);
        fitted = true;
    } else if (scaleType != "Auto" && scaleType != "Manual" && scaleValue >= ZRScope::kSameAsChA) {
        int source = scaleValue - ZRScope::kSameAsChA;
        if (source < channel && source < ZRScope::kMaxChannels && m_Axes[static_cast<size_t>(source)]) {
            axis = *m_Axes[static_cast<size_t>(source)];
            fitted = true;
        }
    }
    // "Auto", and every reference with no axis behind it yet.
    if (!fitted)
        axis = FitToValues(lowest, highest);
    if (channel >= 0 && channel < ZRScope::kMaxChannels)
        m_Axes[static_cast<size_t>(channel)] = axis;
    return axis;
}

std::string FormatScopeLabel(const std::string& legend, double step, const std::string& units) {
    return platform::core::Format("%s: %g %s/grid", legend.c_str(), step, units.c_str());
}
