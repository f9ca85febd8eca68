#include "kitbase/model/ZRSpinStepper.h"

#include "platform/core/Text.h"

#include <cstdio>
#include <cstdlib>

namespace {

bool ReadDouble(const std::string& text, double& value) {
    if (text.empty())
        return false;
    value = std::atof(text.c_str());
    return true;
}

} // namespace

void ZRSpinStepper::ReadSettings(const std::string& wrap, const std::string& minimum,
                                 const std::string& maximum, const std::string& start,
                                 const std::string& increment, const std::string& precision) {
    m_bWrap = std::atoi(wrap.c_str()) != 0;
    m_bHasMin = ReadDouble(minimum, m_min);
    m_bHasMax = ReadDouble(maximum, m_max);
    m_bHasStart = ReadDouble(start, m_start);
    if (!ReadDouble(increment, m_increment))
        m_increment = 1.0;
    m_precision = precision.empty() ? -1 : std::atoi(precision.c_str());
}

double ZRSpinStepper::CurrentValue(const std::string& cellText) const {
    if (m_bHasStart && cellText.empty())
        return m_start;
    return std::atof(cellText.c_str());
}

double ZRSpinStepper::StepValue(double value, bool up) const {
    if (up) {
        if (m_bHasMax && !(value < m_max)) {
            if (m_bWrap && m_bHasMin)
                value = m_min;
        } else {
            value += m_increment;
        }
    } else {
        if (m_bHasMin && !(value > m_min)) {
            if (m_bWrap && m_bHasMax)
                value = m_max;
        } else {
            value -= m_increment;
        }
    }
    if (m_bHasMin && value < m_min)
        value = m_min;
    if (m_bHasMax && value > m_max)
        value = m_max;
    return value;
}

std::string ZRSpinStepper::FormatValue(double value) const {
    if (m_precision >= 0)
        return platform::core::Format("%.*f", m_precision, value);
    return platform::core::Format("%g", value);
}

std::string ZRSpinStepper::Step(const std::string& cellText, bool up) const {
    return FormatValue(StepValue(CurrentValue(cellText), up));
}
