#pragma once

#include "platform/ui/CellControl.h"

#include <vector>

// Makes the cell controls of the system's grids by id: the drop-down combos and the check list are
// the system's own, the others the standard set; an unknown id gets an edit. The application makes
// one at start-up and installs it (platform::ui::SetControlFactory). The spin edit is not made
// here: each property grid registers its own under 19700.
class CGridControlFactory : public platform::ui::ControlFactory {
public:
    std::unique_ptr<platform::ui::CellControl> CreateControl(int id) override;

    // The ids the grids use, in registration order.
    static const std::vector<int>& ControlIds();
};
