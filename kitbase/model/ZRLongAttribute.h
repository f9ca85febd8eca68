#pragma once

#include "kitbase/model/ZRValAttribute.h"

// A signed integer parameter of 1, 2 or 4 bytes.
class ZRLongAttribute : public ZRValAttribute {
public:
    ZRLongAttribute(ZRDevice*& device, int dataSize);
    ~ZRLongAttribute() override;

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

    int32_t GetInternalValue() const { return m_Value; }
    bool SetInternalValue(int32_t value);

protected:
    bool CheckTestString(std::string& message) override;

private:
    int32_t m_Value = 0;
};
