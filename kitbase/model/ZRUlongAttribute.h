#pragma once

#include "kitbase/model/ZRValAttribute.h"

// An unsigned integer parameter of 1 to 4 bytes; optionally shown and typed in hexadecimal.
class ZRUlongAttribute : public ZRValAttribute {
public:
    ZRUlongAttribute(ZRDevice*& device, int dataSize);
    ~ZRUlongAttribute() override;

    bool Exists() override;
    std::string GetAsString() override;
    std::string GetFormattedString(int format) override;
    bool SetInternalAsFormattedString(const std::string& text, int format) override;
    std::string GetInternalAsString() override;
    double GetMax() override;
    double GetMin() override;
    bool Refresh(bool force) override;
    bool Save() override;
    bool SetAsString(const std::string& text) override;
    bool SetInternalAsString(const std::string& text) override;

    std::string GetMaxAsString() override;
    std::string GetMinAsString() override;
    bool GetUnscaledTestValue(double& value) override;
    double GetValue() override;
    bool ScaleValue(double& value) override;
    bool SetValue(double value) override;

    uint32_t GetInternalValue() const { return m_Value; }
    bool SetInternalValue(uint32_t value);

protected:
    bool CheckTestString(std::string& message) override;

private:
    uint32_t m_Value = 0;
};
