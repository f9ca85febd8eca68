#pragma once

#include "kitbase/model/ZRValidation.h"

class ZRAttribute;

// Keeps a motor's automatic identification on while a serial encoder ("SRS/SRM", "SKS/SKM") is
// selected: such an encoder needs it to be found.
class ZRValAutoMotorIden : public ZRValidation {
public:
    // Both not owned. The validation is added to autoIden itself.
    ZRValAutoMotorIden(ZRAttribute* encoder, ZRAttribute* autoIden);
    ~ZRValAutoMotorIden() override = default;

    bool Test(std::string& message) override;

private:
    ZRAttribute* m_pAutoIden; // not owned
    ZRAttribute* m_pEncoder;  // not owned
};
