#include "platform/core/SystemError.h"

#include <cerrno>
#include <cstring>

namespace platform::core {

std::string ErrnoText(int code) {
    char buf[256];
    // GNU strerror_r may return a static string instead of filling buf.
    const char* text = strerror_r(code, buf, sizeof buf);
    return text ? text : "Unknown error";
}

void SystemError::ThrowErrno(const std::string& context) {
    int code = errno;
    throw SystemError(code, context.empty() ? ErrnoText(code) : context + ": " + ErrnoText(code));
}

} // namespace platform::core
