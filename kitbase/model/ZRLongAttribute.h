#pragma once

#include "kitbase/model/ZRTypedValAttribute.h"

// A signed integer parameter of 1, 2 or 4 bytes.
class ZRLongAttribute : public ZRTypedValAttribute<int32_t> {
public:
    ZRLongAttribute(ZRDevice*& device, int dataSize);
    ~ZRLongAttribute() override;

    std::string GetAsString() override;
    std::string GetFormattedString(int format) override;
    bool SetAsString(const std::string& text) override;

protected:
    bool CheckTestString(std::string& message) override;
};
