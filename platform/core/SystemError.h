#pragma once

#include <stdexcept>
#include <string>

namespace platform::core {

// A failed system call: errno and its text.
class SystemError : public std::runtime_error {
public:
    SystemError(int code, const std::string& what) : std::runtime_error(what), m_code(code) {}
    int Code() const { return m_code; }

    // Throws SystemError for the current errno, prefixing the text with context.
    [[noreturn]] static void ThrowErrno(const std::string& context);

private:
    int m_code;
};

// strerror text for an errno value.
std::string ErrnoText(int code);

} // namespace platform::core
