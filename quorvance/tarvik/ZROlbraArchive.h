#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <type_traits>

// Reads an older-family parameter file from a seekable stream: little-endian integers and
// length-prefixed texts. Every read is checked against what is left of the stream, so a short or
// damaged file ends in a ZRError, never in a read past its end or a text as large as its
// length claims.
class ZROlbraArchive {
public:
    explicit ZROlbraArchive(std::istream& in);

    template <typename T> T Read() {
        static_assert(std::is_integral_v<T>);
        unsigned char bytes[sizeof(T)];
        ReadBytes(reinterpret_cast<char*>(bytes), sizeof(T));
        std::make_unsigned_t<T> value = 0;
        for (size_t i = 0; i < sizeof(T); ++i)
            value |= static_cast<std::make_unsigned_t<T>>(bytes[i]) << (8 * i);
        return static_cast<T>(value);
    }

    // A text: one length byte; 0xFF announces a 16-bit length, whose 0xFFFF announces a 32-bit one.
    // A 16-bit 0xFFFE marks a text of 16-bit characters, whose length follows in the same form.
    std::string ReadString();

    size_t Remaining() const { return m_Size - m_Pos; }

private:
    // Throws the read error when fewer than n bytes are left.
    void Need(size_t n) const;
    void ReadBytes(char* to, size_t n);
    uint32_t ReadLength(bool& wide);

    std::istream& m_In;
    size_t m_Size = 0;
    size_t m_Pos = 0;
};
