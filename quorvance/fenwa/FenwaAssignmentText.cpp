#include "quorvance/fenwa/FenwaAssignmentText.h"

#include "platform/core/Modal.h"
#include "platform/core/Text.h"

namespace fenwa {

std::string NormalisedAssignment(const std::string& text, const std::string& fallback, bool* malformed) {
    bool bad = text.size() != kAssignmentLength;
    for (char c : text)
        bad = bad || c <= ' ' || c > '~' || c == ':';
    if (malformed)
        *malformed = bad;
    return bad ? fallback : text;
}

int AssignedNumber(char c, int highest) {
    const int number = c - '0';
    return number >= 1 && number <= highest ? number : 0;
}

int AssignedNumberAt(const std::string& text, size_t position, int highest) {
    return position < text.size() ? AssignedNumber(text[position], highest) : 0;
}

void ReportMalformedAssignment(const std::string& name, const std::string& text, const std::string& used) {
    std::string shown;
    // Control characters would garble the message; show them as '?'.
    for (char c : text)
        shown += c < ' ' || c == 0x7F ? '?' : c;
    platform::core::MessageBox(
        platform::core::Format("%s holds the invalid assignment \"%s\". \"%s\" is used in its place.",
                               name.c_str(), shown.c_str(), used.c_str()),
        {}, platform::core::MB_OK | platform::core::MB_ICONWARNING);
}

} // namespace fenwa
