#pragma once

#include "kitbase/model/ZRAttribute.h"

// A gear ratio master:follower, stored as two 2-byte values under two ids and held as one word
// (low half the master, high half the follower).
class ZRGearAttribute : public ZRAttribute {
public:
    explicit ZRGearAttribute(ZRDevice*& device);
    ~ZRGearAttribute() override;

    bool Exists() override;
    std::string GetAsString() override;
    bool SetInternalAsFormattedString(const std::string& text, int format) override;
    std::string GetInternalAsString() override;
    bool Refresh(bool force) override;
    bool Save() override;
    bool SetAsString(const std::string& text) override;
    bool SetInternalAsString(const std::string& text) override;
    bool Validate(const std::string& text) override;

    using ZRAttribute::Define;
    // The base attribute id is the follower's.
    void Define(int32_t masterId, int32_t followerId);
    int32_t GetMasterId() const { return m_MasterId; }

    int32_t GetInternalValue() const { return m_Value; }
    bool SetInternalValue(int32_t word);
    bool SetValue(int32_t word) { return SetInternalValue(word); }
    using ZRAttribute::ReportInvalidValue;

private:
    // Both halves written; on failure the attribute re-reads what the drive holds.
    bool WriteHalves(int32_t word);

    int32_t m_Value = -9999;
    int32_t m_MasterId = -1;
};
