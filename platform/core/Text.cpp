#include "platform/core/Text.h"

#include <array>
#include <cstdio>
#include <istream>
#include <vector>

namespace platform::core {

std::string FormatV(const char* fmt, va_list args) {
    va_list copy;
    va_copy(copy, args);
    char small[256];
    int n = std::vsnprintf(small, sizeof small, fmt, copy);
    va_end(copy);
    if (n < 0)
        return {};
    if (static_cast<size_t>(n) < sizeof small)
        return std::string(small, static_cast<size_t>(n));
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), fmt, args);
    out.resize(static_cast<size_t>(n));
    return out;
}

std::string Format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    std::string s = FormatV(fmt, args);
    va_end(args);
    return s;
}

namespace {
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
} // namespace

std::string TrimLeft(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && IsSpace(s[i]))
        ++i;
    return std::string(s.substr(i));
}

std::string TrimRight(std::string_view s) {
    size_t n = s.size();
    while (n > 0 && IsSpace(s[n - 1]))
        --n;
    return std::string(s.substr(0, n));
}

std::string Trim(std::string_view s) {
    return TrimLeft(TrimRight(s));
}

std::string ToUpper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string ToLower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

namespace {
// Code points of 0x80..0x9F in code page 1252; 0 where the code page has no character.
constexpr std::array<char32_t, 32> kHigh = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The 1252 code of a code point, or -1 when the code page has none.
int ToCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp)
            return static_cast<int>(0x80 + i);
    // The five undefined codes round-trip through their C1 code points.
    if (cp >= 0x80 && cp <= 0x9F && kHigh[cp - 0x80] == 0)
        return static_cast<int>(cp);
    return -1;
}

// Decodes UTF-8 into code page 1252. Lenient: what cannot be held becomes '?'. Strict: stops and
// answers false at the first such character.
bool DecodeUtf8(std::string_view in, std::string& out, bool strict) {
    out.clear();
    out.reserve(in.size());
    size_t i = 0;
    while (i < in.size()) {
        auto b = static_cast<unsigned char>(in[i]);
        char32_t cp;
        size_t len;
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F;
            len = 2;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F;
            len = 3;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07;
            len = 4;
        } else {
            if (strict)
                return false;
            out += '?';
            ++i;
            continue;
        }
        if (i + len > in.size()) {
            if (strict)
                return false;
            out += '?';
            break;
        }
        bool ok = true;
        for (size_t k = 1; k < len; ++k) {
            auto c = static_cast<unsigned char>(in[i + k]);
            if ((c & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        // Overlong forms would let two spellings stand for one name.
        static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (strict && ok && cp < kLeast[len])
            ok = false;
        if (!ok) {
            if (strict)
                return false;
            out += '?';
            ++i;
            continue;
        }
        int code = ToCp1252(cp);
        if (code < 0 && strict)
            return false;
        out += code < 0 ? '?' : static_cast<char>(code);
        i += len;
    }
    return true;
}
} // namespace

std::string Cp1252ToUtf8(std::string_view in) {
    std::string out;
    out.reserve(in.size());
    for (char ch : in) {
        auto b = static_cast<unsigned char>(ch);
        if (b < 0x80)
            out += ch;
        else if (b < 0xA0)
            AppendUtf8(out, kHigh[b - 0x80] ? kHigh[b - 0x80] : b);
        else
            AppendUtf8(out, b);
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view in) {
    std::string out;
    DecodeUtf8(in, out, false);
    return out;
}

bool TryUtf8ToCp1252(std::string_view utf8, std::string& cp1252) {
    std::string out;
    if (!DecodeUtf8(utf8, out, true))
        return false;
    cp1252 = std::move(out);
    return true;
}

bool ReadLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

} // namespace platform::core
