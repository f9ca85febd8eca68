#pragma once

#include "kitbase/model/ZRValidation.h"

// Guards a digital input's function selections: taking "Drive Enable" (bit 31) away needs the
// user's consent, since without any such input the drive is always hardware enabled.
class ZRValEnableInput : public ZRValidation {
public:
    ZRValEnableInput() = default;
    ~ZRValEnableInput() override = default;

    bool Test(std::string& message) override;
};
