#pragma once

#include "kitbase/model/ZRAttribute.h"

// A single-precision floating-point parameter.
class ZRFloatAttribute : public ZRAttribute {
public:
    explicit ZRFloatAttribute(ZRDevice*& device);
    ~ZRFloatAttribute() override;

    bool Exists() override;
    std::string GetAsString() override;
    bool SetInternalAsFormattedString(const std::string& text, int format) override;
    std::string GetInternalAsString() override;
    bool Refresh(bool force) override;
    bool Save() override;
    bool SetAsString(const std::string& text) override;
    bool SetInternalAsString(const std::string& text) override;

    float GetValue() const { return m_Value; }
    bool SetValue(float value);

private:
    float m_Value = 0.0f;
};
