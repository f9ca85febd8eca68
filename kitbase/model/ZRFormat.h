#pragma once

#include "kitbase/model/ZRMvcModel.h"

#include <string>

// Turns a display value into text with a printf format for one double, and text back into a value.
class ZRFormat : public ZRMvcModel {
public:
    ZRFormat() = default;
    ZRFormat(const ZRFormat& other) = default;
    ZRFormat& operator=(const ZRFormat& other) = default;
    // Tells the observers (Destroying) before it goes.
    ~ZRFormat() override;

    virtual void Format(std::string& text, double value);
    // Reads one number whatever the format string; the value is untouched on failure.
    virtual bool Unformat(const std::string& text, double& value);

    // Always tells the observers (ValueChanged), even when the string is unchanged.
    void SetFormatString(const std::string& format);
    const std::string& GetFormatString() const { return m_format; }

private:
    std::string m_format;
};
