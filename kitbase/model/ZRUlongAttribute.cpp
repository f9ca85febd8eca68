#include "kitbase/model/ZRUlongAttribute.h"

#include "platform/core/Text.h"

using platform::core::Format;

ZRUlongAttribute::ZRUlongAttribute(ZRDevice*& device, int dataSize) : ZRTypedValAttribute(device, dataSize) {}

ZRUlongAttribute::~ZRUlongAttribute() {
    NotifyDestroying();
}

std::string ZRUlongAttribute::GetAsString() {
    if (m_bHex)
        return Format("0x%x", m_Value);
    return FormatInternal(m_Value);
}

std::string ZRUlongAttribute::GetFormattedString(int format) {
    return FormattedAs(format, m_Value, m_Value);
}

bool ZRUlongAttribute::SetAsString(const std::string& text) {
    if (text == GetAsString())
        return SetInternalValue(m_Value);
    // Hexadecimal text is a display value too: it is scaled like any other.
    double d = 0;
    return ParseEntry(text, m_bHex, d) && SetValue(d);
}

bool ZRUlongAttribute::CheckTestString(std::string& message) {
    double v = 0, lo = 0, hi = 0;
    if (!ReadTestValue(v, SizeLimits(lo, hi), message))
        return false;
    if (v < 0)
        message = Format("Value cannot be less than %g", 0.0);
    else if (v > hi)
        message = DoScale(hi) ? Format("Value cannot be more than %.11g", hi) : "Scaling Error";
    else
        return true;
    return false;
}
