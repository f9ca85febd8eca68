// Writes older-family parameter files for tests, byte by byte in the file's layout, so that tests
// can make good, short, damaged and odd files of their own.
#pragma once

#include "platform/core/FileSystem.h"
#include "quorvance/tarvik/ZROlbraConverter.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

class ParFileWriter {
public:
    ParFileWriter& U8(uint8_t v) {
        m_Bytes.push_back(v);
        return *this;
    }
    ParFileWriter& U16(uint16_t v) { return U8(v & 0xFF).U8(v >> 8); }
    ParFileWriter& U32(uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }

    // A text in the shortest length form that holds it.
    ParFileWriter& Text(const std::string& text) {
        if (text.size() < 0xFF)
            U8(static_cast<uint8_t>(text.size()));
        else if (text.size() < 0xFFFF)
            U8(0xFF).U16(static_cast<uint16_t>(text.size()));
        else
            U8(0xFF).U16(0xFFFF).U32(static_cast<uint32_t>(text.size()));
        m_Bytes.insert(m_Bytes.end(), text.begin(), text.end());
        return *this;
    }
    // A text of 16-bit characters.
    ParFileWriter& WideText(const std::u16string& text) {
        U8(0xFF).U16(0xFFFE).U8(static_cast<uint8_t>(text.size()));
        for (char16_t c : text)
            U16(c);
        return *this;
    }

    // A typed value of the class: kind word, value, limits and further fields, selection byte.
    ParFileWriter& Typed(ZROlbraType type, int64_t value, uint8_t selection = 0, uint16_t kind = 9) {
        U16(kind);
        int width = 4;
        int fields = 5;
        switch (type) {
        case ZROlbraType::SignedByte:
        case ZROlbraType::Byte:
        case ZROlbraType::ByteSelect:
            width = 1;
            fields = 4;
            break;
        case ZROlbraType::Short:
        case ZROlbraType::Word:
        case ZROlbraType::ShortSelect:
        case ZROlbraType::WordSelect:
            width = 2;
            break;
        default:
            break;
        }
        for (int field = 0; field < fields; ++field) {
            const uint64_t v = field == 0 ? static_cast<uint64_t>(value) : field == 3 ? 1 : 0;
            for (int i = 0; i < width; ++i)
                U8(static_cast<uint8_t>(v >> (8 * i)));
        }
        if (type >= ZROlbraType::ByteSelect)
            U8(selection);
        return *this;
    }

    ParFileWriter& TwoVal(const std::array<int16_t, 8>& words) {
        for (int16_t w : words)
            U16(static_cast<uint16_t>(w));
        return *this;
    }

    const std::vector<uint8_t>& Bytes() const { return m_Bytes; }
    std::vector<uint8_t>& Bytes() { return m_Bytes; }

    // The path is model text, as the converter is given it.
    const std::string& Save(const std::string& path) const {
        platform::core::FileSystem::WriteAll(path, m_Bytes);
        return path;
    }

private:
    std::vector<uint8_t> m_Bytes;
};

// A whole file: the values given land in their slots, the others are written as 0 (texts empty).
// Versions 2 and 3 have no model word and no counts; their counts are then the version's own.
struct ParFile {
    int version = 8;
    bool flag = false;
    uint16_t model = 0;
    int headers = 2;
    int typed = 323;
    int twoVals = 7;
    int texts = 12;
    std::map<int, int64_t> values;
    std::map<int, uint8_t> selections;
    std::map<int, uint16_t> kinds;
    std::map<int, std::array<int16_t, 8>> records;
    std::map<int, std::string> strings;

    ParFileWriter Write() const {
        const bool counted = version >= 4;
        ParFileWriter w;
        w.U16(static_cast<uint16_t>(version << 1 | (flag ? 1 : 0)));
        if (counted)
            w.U16(model).U16(static_cast<uint16_t>(headers));
        for (int i = 0; i < (counted ? headers : 9); ++i)
            w.U32(0x1000u + i).U32(0x2000u + i).Text("Header " + std::to_string(i));
        if (counted)
            w.U16(static_cast<uint16_t>(typed));
        const bool olbra = (counted ? model : 0) & 1;
        for (int slot = 7; slot < 7 + typed; ++slot)
            w.Typed(ZROlbraConverter::GetSlotType(slot, olbra), Find(values, slot, 0),
                    Find(selections, slot, 0), Find(kinds, slot, 9));
        if (counted)
            w.U16(static_cast<uint16_t>(twoVals));
        for (int slot = 0; slot < twoVals; ++slot)
            w.TwoVal(Find(records, slot, {}));
        if (counted)
            w.U16(static_cast<uint16_t>(texts));
        for (int slot = 330; slot < 330 + texts; ++slot)
            w.Text(Find(strings, slot, std::string())).U16(0x55).Text("second");
        return w;
    }

private:
    template <typename V>
    static V Find(const std::map<int, V>& m, int slot, const std::type_identity_t<V>& otherwise) {
        const auto it = m.find(slot);
        return it == m.end() ? otherwise : it->second;
    }
};
