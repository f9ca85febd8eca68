#include "kitbase/ui/ZRCheckListComboBox.h"

std::string ZRCheckListComboBox::Value(const platform::ui::CellStyle&) const {
    return "Skip";
}
