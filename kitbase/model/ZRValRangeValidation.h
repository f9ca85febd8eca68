#pragma once

#include "kitbase/model/ZRRangeValidation.h"

// A range held in internal units, for scaled numeric attributes: the typed number is converted to
// internal units before the comparison, and the bound named in a failure back to display units.
class ZRValRangeValidation : public ZRRangeValidation {
public:
    ZRValRangeValidation() = default;
    ZRValRangeValidation(const ZRValRangeValidation& other) = default;
    ZRValRangeValidation& operator=(const ZRValRangeValidation& other) = default;
    ~ZRValRangeValidation() override = default;

    bool Test(std::string& message) override;
};
