#include "kitbase/model/ZRValStringLength.h"

#include "platform/core/Text.h"

using platform::core::Format;

ZRValStringLength::ZRValStringLength(int maximum, int minimum) : m_maxLength(maximum), m_minLength(minimum) {}

bool ZRValStringLength::Test(std::string& message) {
    // Characters are bytes: model text is code page 1252.
    long long length = static_cast<long long>(GetCandidate().size());
    if (length > m_maxLength) {
        message = Format("Cannot be more than %d characters", m_maxLength);
        return false;
    }
    if (length < m_minLength) {
        message = Format("Cannot be less than %d characters", m_minLength);
        return false;
    }
    return true;
}
