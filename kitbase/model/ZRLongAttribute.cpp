#include "kitbase/model/ZRLongAttribute.h"

#include "platform/core/Text.h"

using platform::core::Format;

ZRLongAttribute::ZRLongAttribute(ZRDevice*& device, int dataSize) : ZRTypedValAttribute(device, dataSize) {}

ZRLongAttribute::~ZRLongAttribute() {
    NotifyDestroying();
}

std::string ZRLongAttribute::GetAsString() {
    return FormatInternal(m_Value);
}

std::string ZRLongAttribute::GetFormattedString(int format) {
    if (m_pFormat)
        return GetAsString();
    return FormattedAs(format, m_Value, static_cast<uint32_t>(m_Value));
}

bool ZRLongAttribute::SetAsString(const std::string& text) {
    // The unchanged display text writes the stored value again, so rounding cannot alter it.
    if (text == GetAsString())
        return SetInternalValue(m_Value);
    double d = 0;
    return ParseEntry(text, false, d) && SetValue(d);
}

bool ZRLongAttribute::CheckTestString(std::string& message) {
    double v = 0, lo = 0, hi = 0;
    if (!ReadTestValue(v, SizeLimits(lo, hi), message))
        return false;
    if (v < lo)
        message = DoScale(lo) ? Format("Value cannot be less than %g", lo) : "Scaling Error";
    else if (v > hi)
        message = DoScale(hi) ? Format("Value cannot be more than %g", hi) : "Scaling Error";
    else
        return true;
    return false;
}
