#include "kitbase/model/ZRError.h"

#include "platform/core/Text.h"

std::string ZRError::GetComboMessage() const {
    if (m_Error == 0)
        return m_Message;
    return platform::core::Format("%s (error #%d)", m_Message.c_str(), m_Error);
}
