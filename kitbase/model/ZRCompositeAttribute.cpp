#include "kitbase/model/ZRCompositeAttribute.h"

ZRCompositeAttribute::ZRCompositeAttribute(ZRDevice*& device) : ZRStringAttribute(device, 0, Verbatim, ' ') {}

ZRCompositeAttribute::~ZRCompositeAttribute() {
    NotifyDestroying();
}

std::string ZRCompositeAttribute::GetFieldAsString(short start, short length) {
    if (start < 0 || length <= 0 || static_cast<size_t>(start) >= m_Value.size())
        return {};
    return m_Value.substr(static_cast<size_t>(start), static_cast<size_t>(length));
}

bool ZRCompositeAttribute::SetFieldAsString(const std::string& text, short start, short length) {
    // A field must lie inside the text, and the new characters must fill it.
    if (start < 0 || length < 0 ||
        static_cast<size_t>(start) + static_cast<size_t>(length) > m_Value.size() ||
        text.size() < static_cast<size_t>(length))
        return false;
    std::string value = m_Value;
    value.replace(static_cast<size_t>(start), static_cast<size_t>(length), text, 0,
                  static_cast<size_t>(length));
    return SetAsString(value);
}
