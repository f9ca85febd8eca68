#include "quorvance/shell/ZRValFileNameLength.h"

#include "platform/core/Text.h"

using platform::core::Format;

ZRValFileNameLength::ZRValFileNameLength(std::string extension, int maximum, int minimum)
    : ZRValStringLength(maximum, minimum), m_Extension(std::move(extension)) {}

bool ZRValFileNameLength::Test(std::string& message) {
    std::string text = GetCandidate();
    // The extension is what follows the last dot (none without a dot); ".c" is a name of length 0.
    std::string measured = text;
    size_t dot = text.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : text.substr(dot + 1);
    if (extension == m_Extension)
        measured = dot == std::string::npos ? text : text.substr(0, dot);
    // Characters are bytes: model text is code page 1252.
    long long length = static_cast<long long>(measured.size());
    if (length > GetMaxLength()) {
        message = Format("Cannot be more than %d characters", GetMaxLength());
        return false;
    }
    if (length < GetMinLength()) {
        message = Format("Cannot be less than %d characters", GetMinLength());
        return false;
    }
    return true;
}
