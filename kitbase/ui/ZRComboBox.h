#pragma once

#include "platform/ui/StandardControls.h"

// The drop-down of the grids' combo cells. Its flags (ComboControl's): 1 the entry is found by its
// text, 2 plain, 4 the value is the zero-based index, 8 the one-based index, 16 while editing the
// entry is found by the text shown. The "Unexpected Value" placeholder of option lists is never
// offered. In the open list Tab takes the highlighted entry and moves on like Tab in the grid,
// Enter takes it and Escape closes the list without taking it.
class ZRComboBox : public platform::ui::ComboControl {
public:
    explicit ZRComboBox(unsigned int flags);

    std::vector<std::string> Entries(const platform::ui::CellStyle& style) const override;
};
