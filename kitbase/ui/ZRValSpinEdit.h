#pragma once

#include "platform/ui/StandardControls.h"

// The property grid's spin edit (each grid registers one under ControlId): the arrows step the cell's
// number by the cell's increment within its minimum and maximum, and write it with its precision.
class ZRValSpinEdit : public platform::ui::SpinEditControl {
public:
    static constexpr int ControlId = 19700;
    static constexpr const char* ControlName = "Value Spin Edit";
    // User attributes of a spin cell besides the spin minimum, maximum, wrap and start value.
    static constexpr int IncrementAttribute = 19701;
    static constexpr const char* IncrementName = "Spin Edit Increment";
    static constexpr int PrecisionAttribute = 19702;
    static constexpr const char* PrecisionName = "Spin Edit Precision";

    std::string Step(const std::string& text, bool up, const platform::ui::CellStyle& style) const override;
};
