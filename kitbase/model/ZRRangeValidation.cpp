#include "kitbase/model/ZRRangeValidation.h"

#include "platform/core/Text.h"

#include <cstdio>

using platform::core::Format;

double ZRRangeValidation::GetMax() const {
    return m_max;
}

double ZRRangeValidation::GetMin() const {
    return m_min;
}

void ZRRangeValidation::SetMax(double maximum) {
    m_max = maximum;
}

void ZRRangeValidation::SetMin(double minimum) {
    m_min = minimum;
}

ZRRangeValidation::Bound ZRRangeValidation::Check(double value) const {
    double minimum = GetMin();
    double maximum = GetMax();
    if (m_bInclusiveMin ? value < minimum : value <= minimum)
        return m_bInclusiveMin ? Bound::BelowMin : Bound::AtOrBelowMin;
    if (m_bInclusiveMax ? value > maximum : value >= maximum)
        return m_bInclusiveMax ? Bound::AboveMax : Bound::AtOrAboveMax;
    return Bound::None;
}

bool ZRRangeValidation::Test(std::string& message) {
    double value = 0.0;
    if (std::sscanf(GetCandidate().c_str(), "%lf", &value) != 1) {
        message = "Invalid Entry";
        return false;
    }
    switch (Check(value)) {
    case Bound::None:
        return true;
    case Bound::BelowMin:
        message = Format("Value cannot be less than %g", GetMin());
        break;
    case Bound::AtOrBelowMin:
        message = Format("Value must be greater than %g", GetMin());
        break;
    case Bound::AboveMax:
        message = Format("Value cannot be more than %g", GetMax());
        break;
    case Bound::AtOrAboveMax:
        message = Format("Value must be less than %g", GetMax());
        break;
    }
    return false;
}
