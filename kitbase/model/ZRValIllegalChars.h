#pragma once

#include "kitbase/model/ZRValidation.h"

// Refuses texts that could not serve as a name in a path: blanks and \ / : * ? " < > |
class ZRValIllegalChars : public ZRValidation {
public:
    ZRValIllegalChars() = default;
    ZRValIllegalChars(const ZRValIllegalChars& other) = default;
    ZRValIllegalChars& operator=(const ZRValIllegalChars& other) = default;
    ~ZRValIllegalChars() override = default;

    bool Test(std::string& message) override;
};
