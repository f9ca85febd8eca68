#include "kitbase/ui/ZROscilloscopeScale.h"

#include "platform/core/Text.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kEmptyRange = 25.0 * 0x1p-50;
constexpr double kEpsilon = 0x1p-52;
// Far more than the four divisions; only a degenerate range could ask for more.
constexpr int kMaxLabels = 64;
} // namespace

bool ZROscilloscopeScale::CarriesText(int index, int channel, int yLabels) {
    if (yLabels < 0)
        return index == channel;
    return channel == yLabels;
}

void ZROscilloscopeScale::CreateLabels(double minimum, double maximum, double axisLength, double textHeight) {
    double range = maximum - minimum;
    if (!(std::fabs(range) > kEmptyRange)) {
        m_Labels.clear();
        return;
    }
    if (axisLength < 1.0)
        return;
    double step = range / 4.0;
    if (axisLength <= 1.2 * textHeight ||
        std::fabs(range) <= kEpsilon * std::max(std::fabs(minimum), std::fabs(maximum)))
        step = range;
    if (!(step > 0.0))
        step = 1.0;
    for (int i = 0; i < 16 && minimum + step == minimum; ++i)
        step *= 10.0;

    m_Labels.clear();
    // Values are counted from the minimum rather than summed, and the far end carries no label even
    // when rounding leaves the last value a hair below it.
    double end = maximum - step * 1e-9;
    for (int i = 0; i < kMaxLabels; ++i) {
        double value = minimum + i * step;
        if (!(value < end))
            break;
        if (std::fabs(value) < step * 0.0001)
            value = 0.0;
        std::string text = CarriesText(i, m_Channel, m_YLabels) ? platform::core::Format(" %g ", value) : "";
        m_Labels.push_back({value, std::move(text)});
    }
}
