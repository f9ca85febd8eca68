#include "kitbase/ui/ZRComboBox.h"

#include <algorithm>

namespace {
// The placeholder entry of option lists for a stored value that is none of the options.
constexpr const char* kUnexpectedValue = "Unexpected Value";
} // namespace

ZRComboBox::ZRComboBox(unsigned int flags) : platform::ui::ComboControl(flags) {}

std::vector<std::string> ZRComboBox::Entries(const platform::ui::CellStyle& style) const {
    std::vector<std::string> entries = ComboControl::Entries(style);
    std::erase(entries, std::string(kUnexpectedValue));
    return entries;
}
