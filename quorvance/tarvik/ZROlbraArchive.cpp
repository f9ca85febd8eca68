#include "quorvance/tarvik/ZROlbraArchive.h"

#include "kitbase/model/ZRError.h"
#include "platform/core/Text.h"

namespace {

[[noreturn]] void Fail() {
    throw ZRError(0, "Unexpected end of file.");
}

} // namespace

ZROlbraArchive::ZROlbraArchive(std::istream& in) : m_In(in) {
    const std::streampos start = in.tellg();
    in.seekg(0, std::ios::end);
    const std::streampos end = in.tellg();
    in.seekg(start);
    if (start < 0 || end < start || !in)
        throw ZRError(0, "The file cannot be read.");
    m_Size = static_cast<size_t>(end - start);
}

void ZROlbraArchive::Need(size_t n) const {
    if (n > Remaining())
        Fail();
}

void ZROlbraArchive::ReadBytes(char* to, size_t n) {
    Need(n);
    if (!m_In.read(to, static_cast<std::streamsize>(n)))
        Fail();
    m_Pos += n;
}

uint32_t ZROlbraArchive::ReadLength(bool& wide) {
    uint32_t length = Read<uint8_t>();
    if (length < 0xFF)
        return length;
    length = Read<uint16_t>();
    if (length == 0xFFFE) {
        if (wide) // a second marker is not a text
            throw ZRError(0, "Bad text length.");
        wide = true;
        return ReadLength(wide);
    }
    if (length < 0xFFFF)
        return length;
    return Read<uint32_t>();
}

std::string ZROlbraArchive::ReadString() {
    bool wide = false;
    const uint32_t length = ReadLength(wide);
    if (!wide) {
        Need(length);
        std::string text(length, '\0');
        ReadBytes(text.data(), length);
        return text;
    }
    Need(size_t{length} * 2);
    std::string utf8;
    utf8.reserve(length);
    for (uint32_t i = 0; i < length; ++i) {
        const uint16_t c = Read<uint16_t>();
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else if (c < 0x800) {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c >= 0xD800 && c < 0xE000) {
            utf8 += '?'; // no surrogate pair has a code page 1252 character
        } else {
            utf8 += static_cast<char>(0xE0 | (c >> 12));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return platform::core::Utf8ToCp1252(utf8);
}
