#pragma once

#include "quorvance/tarvik/ZROlbraItem.h"

#include <array>
#include <cstdint>

// A two-value record: eight signed 16-bit words without a kind word; the first two are the
// record's two values (the follower's gear ratio is one).
class ZROlbraTwoVal : public ZROlbraItem {
public:
    void Read(ZROlbraArchive& archive) override;
    // Word 0 to 7; 0 outside.
    int16_t GetWord(int i) const { return i >= 0 && i < 8 ? m_Words[i] : 0; }

private:
    std::array<int16_t, 8> m_Words{};
};

// The other records of the two-value group: the same layout.
class ZROlbraTwoByte : public ZROlbraTwoVal {};
