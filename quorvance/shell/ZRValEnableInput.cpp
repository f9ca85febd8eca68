#include "quorvance/shell/ZRValEnableInput.h"

#include "kitbase/model/ZRAttribute.h"
#include "platform/core/Modal.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>

namespace {
constexpr uint32_t kDriveEnable = 0x80000000u;

// A selection as the bit field shows it: one signed decimal number; an empty text is 0. Read as the
// drive's 32-bit word, so both -2147483648 and 2147483648 carry bit 31.
bool ReadSelection(const std::string& text, uint32_t& selection) {
    selection = 0;
    if (text.empty())
        return true;
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    long long value = std::strtoll(start, &end, 10);
    if (end == start)
        return false;
    selection = static_cast<uint32_t>(value);
    return true;
}
} // namespace

bool ZRValEnableInput::Test(std::string& message) {
    std::string candidate = GetCandidate();
    // What the check-list cell reports when it wrote the bits itself.
    if (candidate == "Skip")
        return true;
    ZRAttribute* attribute = GetAttribute();
    std::string current = attribute ? attribute->GetAsString() : std::string();

    uint32_t next = 0;
    uint32_t previous = 0;
    if (!ReadSelection(candidate, next) || !ReadSelection(current, previous)) {
        message = "Internal error processing selections";
        return false;
    }
    if ((previous & kDriveEnable) && !(next & kDriveEnable)) {
        int answer = platform::core::MessageBox(
            "Removing \"Drive Enable\" from selections. If this is the only input with this\n"
            "selection, this will cause the drive to ALWAYS be hardware enabled.",
            {}, platform::core::MB_OKCANCEL | platform::core::MB_ICONWARNING);
        if (answer != platform::core::IDOK) {
            message = "Changes cancelled";
            return false;
        }
    }
    return true;
}
