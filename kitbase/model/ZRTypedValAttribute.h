#pragma once

#include "kitbase/model/ZRValAttribute.h"

#include <cstdint>

// What the integer parameter kinds share: they differ by value type (int32_t, uint32_t) and,
// apart from that, only in how they show and read display text, which they override themselves.
template <class T> class ZRTypedValAttribute : public ZRValAttribute {
public:
    ZRTypedValAttribute(ZRDevice*& device, int dataSize) : ZRValAttribute(device, dataSize) {}

    bool Exists() override;
    bool SetInternalAsFormattedString(const std::string& text, int format) override;
    std::string GetInternalAsString() override;
    double GetMax() override;
    double GetMin() override;
    bool Refresh(bool force) override;
    bool Save() override;
    bool SetInternalAsString(const std::string& text) override;

    std::string GetMaxAsString() override;
    std::string GetMinAsString() override;
    bool GetUnscaledTestValue(double& value) override;
    double GetValue() override;
    bool ScaleValue(double& value) override;
    bool SetValue(double value) override;

    T GetInternalValue() const { return m_Value; }
    bool SetInternalValue(T value);

protected:
    // The limits of the data size; false, leaving lo and hi as they are, for a size the drives never use.
    bool SizeLimits(double& lo, double& hi) const;

    T m_Value = 0;
};

extern template class ZRTypedValAttribute<int32_t>;
extern template class ZRTypedValAttribute<uint32_t>;
