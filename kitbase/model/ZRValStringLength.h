#pragma once

#include "kitbase/model/ZRValidation.h"

// Limits the length of a text, in characters.
class ZRValStringLength : public ZRValidation {
public:
    ZRValStringLength(int maximum, int minimum);
    ~ZRValStringLength() override = default;

    bool Test(std::string& message) override;

    int GetMaxLength() const { return m_maxLength; }
    int GetMinLength() const { return m_minLength; }

private:
    int m_maxLength;
    int m_minLength;
};
