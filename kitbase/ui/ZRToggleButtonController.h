#pragma once

#include "kitbase/ui/ZRButtonController.h"

// Writes the check box's state into the bound yes/no attribute.
class ZRToggleButtonController : public ZRButtonController {
public:
    ZRToggleButtonController() = default;
    ~ZRToggleButtonController() override = default;

    void OnClick() override;
};
