#pragma once

#include "platform/ui/Controller.h"

// Selects a value of the bound index selection when one of its radio buttons is clicked.
class ZRRadioController : public platform::ui::Controller {
public:
    ZRRadioController() = default;
    ~ZRRadioController() override = default;

    virtual void OnClick(int value);
};
