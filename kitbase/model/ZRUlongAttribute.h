#pragma once

#include "kitbase/model/ZRTypedValAttribute.h"

// An unsigned integer parameter of 1 to 4 bytes; optionally shown and typed in hexadecimal.
class ZRUlongAttribute : public ZRTypedValAttribute<uint32_t> {
public:
    ZRUlongAttribute(ZRDevice*& device, int dataSize);
    ~ZRUlongAttribute() override;

    std::string GetAsString() override;
    std::string GetFormattedString(int format) override;
    bool SetAsString(const std::string& text) override;

protected:
    bool CheckTestString(std::string& message) override;
};
