#include "quorvance/shell/ZRValFileNameLength.h"

#include "platform/core/FileSystem.h"
#include "platform/core/Text.h"

using platform::core::FileSystem;
using platform::core::Format;

ZRValFileNameLength::ZRValFileNameLength(std::string extension, int maximum, int minimum)
    : ZRValStringLength(maximum, minimum), m_Extension(std::move(extension)) {}

bool ZRValFileNameLength::Test(std::string& message) {
    std::string text = GetCandidate();
    std::string measured = FileSystem::Extension(text) == m_Extension ? FileSystem::BaseName(text) : text;
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
