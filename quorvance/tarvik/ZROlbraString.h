#pragma once

#include "quorvance/tarvik/ZROlbraItem.h"

#include <cstdint>
#include <string>

// A text slot: a text, a 16-bit word and a second text; the conversions use the first text.
class ZROlbraString : public ZROlbraItem {
public:
    void Read(ZROlbraArchive& archive) override;
    const std::string& GetText() const { return m_Text; }

private:
    std::string m_Text;
    int16_t m_Word = 0;
    std::string m_Second;
};
