#include "wirelink/ZRCommError.h"

#include "platform/core/SystemError.h"

#include <cerrno>

ZRCommError::ZRCommError(CommError code) : m_code(code), m_message(platform::core::ErrnoText(errno)) {}

ZRCommError::ZRCommError(CommError code, std::string message) : m_code(code), m_message(std::move(message)) {}

ZRCommError::~ZRCommError() = default;
