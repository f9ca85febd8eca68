#include "quorvance/tarvik/TarvikIoReport.h"

#include "kitbase/model/ZRLongBitField.h"

namespace tarvik {

void ReportAssignments(std::string& text, const char* title, std::initializer_list<ZRLongBitField*> assignments) {
    text += title;
    text += ":\r\n";
    for (ZRLongBitField* assignment : assignments) {
        assignment->Refresh(false);
        const auto value = static_cast<uint32_t>(assignment->GetValue());
        std::string lines;
        // The entry of code 0 never matches: an empty assignment reports "Unassigned".
        for (int i = 0; i < static_cast<int>(assignment->GetStrings().size()); ++i)
            if (static_cast<uint32_t>(assignment->GetDataCode(i)) & value)
                lines += "         " + assignment->GetIndexedString(i) + "\r\n";
        text += "      " + assignment->GetName() + ":\r\n";
        text += lines.empty() ? std::string("         Unassigned\r\n") : lines;
    }
    text += "\r\n";
}

} // namespace tarvik
