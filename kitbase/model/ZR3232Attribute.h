#pragma once

#include "kitbase/model/ZRAttribute.h"

// A signed 32.32 fixed-point parameter stored as 8 bytes (fraction, then integer, each least
// significant byte first).
class ZR3232Attribute : public ZRAttribute {
public:
    explicit ZR3232Attribute(ZRDevice*& device);
    ~ZR3232Attribute() override;

    bool Exists() override;
    std::string GetAsString() override;
    bool SetInternalAsFormattedString(const std::string& text, int format) override;
    std::string GetInternalAsString() override;
    bool Refresh(bool force) override;
    bool Save() override;
    bool SetAsString(const std::string& text) override;
    bool SetInternalAsString(const std::string& text) override;

    int32_t GetInteger() const { return m_Integer; }
    uint32_t GetFraction() const { return m_Fraction; }

private:
    uint32_t m_Fraction = 9999;
    int32_t m_Integer = -9999;
};
