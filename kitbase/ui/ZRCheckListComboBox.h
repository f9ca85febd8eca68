#pragma once

#include "platform/ui/StandardControls.h"

// The drop-down check list of the check-list rows. The rows write their bit field on every tick
// themselves, so what the control would store from its text is the placeholder "Skip".
class ZRCheckListComboBox : public platform::ui::CheckListControl {
public:
    std::string Value(const platform::ui::CellStyle& style) const override;
};
