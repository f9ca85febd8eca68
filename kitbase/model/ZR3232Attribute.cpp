#include "kitbase/model/ZR3232Attribute.h"

#include "kitbase/model/ZRAttributeProtocol.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

using platform::core::Format;

namespace {
constexpr double kTwo32 = 4294967296.0;

struct Fixed {
    int32_t integer = 0;
    uint32_t fraction = 0;
    bool operator==(const Fixed&) const = default;
};

// The value in units of 2^-32 split into its integer and fraction (floor division).
Fixed FromUnits(__int128 units) {
    Fixed f;
    f.fraction = static_cast<uint32_t>(static_cast<unsigned __int128>(units) & 0xFFFFFFFFu);
    f.integer = static_cast<int32_t>((units - f.fraction) / (static_cast<__int128>(1) << 32));
    return f;
}

bool InRange(__int128 units) {
    const __int128 one = static_cast<__int128>(1) << 32;
    return units >= static_cast<__int128>(INT32_MIN) * one &&
           units < (static_cast<__int128>(INT32_MAX) + 1) * one;
}

// A plain decimal text ([sign] digits [. digits] [e [sign] digits], nothing after) converted exactly
// to the nearest multiple of 2^-32, halves rounding up as floor(x + 0.5) does. Binary doubles
// cannot carry 32 fraction bits beside a large integer part, so export and import meet here.
enum class Parse { Ok, NotPlain, OutOfRange };

Parse ParseExact(const std::string& text, Fixed& out) {
    const char* p = text.c_str();
    while (std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    std::string digits;
    long long point = 0;
    bool any = false;
    while (std::isdigit(static_cast<unsigned char>(*p))) {
        digits += *p++;
        ++point;
        any = true;
    }
    if (*p == '.') {
        ++p;
        while (std::isdigit(static_cast<unsigned char>(*p))) {
            digits += *p++;
            any = true;
        }
    }
    if (!any)
        return Parse::NotPlain;
    if (*p == 'e' || *p == 'E') {
        const char* q = p + 1;
        bool expNegative = false;
        if (*q == '+' || *q == '-')
            expNegative = *q++ == '-';
        if (std::isdigit(static_cast<unsigned char>(*q))) {
            long long exponent = 0;
            while (std::isdigit(static_cast<unsigned char>(*q))) {
                if (exponent < 100000)
                    exponent = exponent * 10 + (*q - '0');
                ++q;
            }
            point += expNegative ? -exponent : exponent;
            p = q;
        }
    }
    if (*p)
        return Parse::NotPlain;
    // Drop leading zeros so that the point counts the integer digits.
    size_t lead = 0;
    while (lead < digits.size() && digits[lead] == '0')
        ++lead;
    digits.erase(0, lead);
    point -= static_cast<long long>(lead);
    if (digits.empty()) {
        out = Fixed{};
        return Parse::Ok;
    }
    if (point > 12)
        return Parse::OutOfRange;
    unsigned __int128 whole = 0;
    for (long long i = 0; i < point; ++i)
        whole = whole * 10 +
                (i < static_cast<long long>(digits.size()) ? digits[static_cast<size_t>(i)] - '0' : 0);
    // The fraction: 28 digits are exact enough for 2^-33 steps; the rest only tells ties apart.
    constexpr int kFractionDigits = 28;
    unsigned __int128 fraction = 0, scale = 1;
    bool sticky = false;
    // A negative point puts zeros between the point and the first digit.
    for (long long i = point, n = 0; i < static_cast<long long>(digits.size()); ++i, ++n) {
        int d = i < 0 ? 0 : digits[static_cast<size_t>(i)] - '0';
        if (n < kFractionDigits) {
            fraction = fraction * 10 + static_cast<unsigned>(d);
            scale *= 10;
        } else if (d != 0) {
            sticky = true;
        }
    }
    unsigned __int128 shifted = fraction << 32;
    unsigned __int128 units = shifted / scale;
    unsigned __int128 rest = shifted % scale;
    // floor(x + 0.5): halves go up for positive values, towards zero for negative ones.
    bool up = negative ? (2 * rest > scale || (2 * rest == scale && sticky)) : 2 * rest >= scale;
    if (up)
        ++units;
    __int128 total = static_cast<__int128>((whole << 32) + units);
    if (negative)
        total = -total;
    if (!InRange(total))
        return Parse::OutOfRange;
    out = FromUnits(total);
    return Parse::Ok;
}

// The exact decimal text of a fixed-point value.
std::string ExactText(const Fixed& f) {
    __int128 units = (static_cast<__int128>(f.integer) << 32) + f.fraction;
    bool negative = units < 0;
    unsigned __int128 magnitude = static_cast<unsigned __int128>(negative ? -units : units);
    unsigned long long whole = static_cast<unsigned long long>(magnitude >> 32);
    unsigned __int128 rest = magnitude & 0xFFFFFFFFu;
    std::string text = Format("%s%llu", negative ? "-" : "", whole);
    if (rest) {
        text += '.';
        while (rest) {
            rest *= 10;
            text += static_cast<char>('0' + static_cast<int>(rest >> 32));
            rest &= 0xFFFFFFFFu;
        }
    }
    return text;
}

void ShowPlain(const std::string& text) {
    platform::core::MessageBox(text, {}, platform::core::MB_OK);
}
} // namespace

ZR3232Attribute::ZR3232Attribute(ZRDevice*& device) : ZRAttribute(device) {}

// Observers hold pointers to this attribute as to every other kind: tell them too.
ZR3232Attribute::~ZR3232Attribute() {
    NotifyDestroying();
}

bool ZR3232Attribute::Exists() {
    return ExistsStored([&](ZRStorage& storage) {
        ZRStorage::Bytes bytes;
        return storage.ReadBinary(GetClassId(), GetInstance(), GetAttribute(), bytes);
    });
}

std::string ZR3232Attribute::GetAsString() {
    return Format("%-.16G", static_cast<double>(m_Integer) + static_cast<double>(m_Fraction) / kTwo32);
}

bool ZR3232Attribute::SetInternalAsFormattedString(const std::string& text, int /*format*/) {
    return SetAsString(text);
}

std::string ZR3232Attribute::GetInternalAsString() {
    // The display text when it reads back as the same value, else the exact decimal.
    std::string text = GetAsString();
    Fixed back;
    Fixed self{m_Integer, m_Fraction};
    if (ParseExact(text, back) == Parse::Ok && back == self)
        return text;
    return ExactText(self);
}

bool ZR3232Attribute::Refresh(bool force) {
    // Nothing is compared or sent without a read, not even when forced.
    if (!IsReadValid() || !HasId())
        return true;
    const Fixed current{m_Integer, m_Fraction};
    Fixed candidate = current;
    auto read = [&](ZRStorage& storage, Fixed& value) {
        ZRStorage::Bytes bytes;
        // A short value is no value: keep what we have.
        if (!storage.ReadBinary(GetClassId(), GetInstance(), GetAttribute(), bytes) || bytes.size() < 8)
            return false;
        uint32_t low = 0, high = 0;
        for (int i = 3; i >= 0; --i) {
            low = (low << 8) | bytes[static_cast<size_t>(i)];
            high = (high << 8) | bytes[static_cast<size_t>(i) + 4];
        }
        value = Fixed{static_cast<int32_t>(high), low};
        return true;
    };
    if (ReadCandidate(candidate, current, read) == ReadOutcome::Failed)
        return false;
    if (candidate == current && !force)
        return true;
    m_Integer = candidate.integer;
    m_Fraction = candidate.fraction;
    Notify(ZRUpdate::ValueChanged);
    return true;
}

bool ZR3232Attribute::Save() {
    return SaveValue([&](ZRStorage& storage) {
        ZRStorage::Bytes bytes(8);
        uint32_t high = static_cast<uint32_t>(m_Integer);
        for (size_t i = 0; i < 4; ++i) {
            bytes[i] = static_cast<uint8_t>(m_Fraction >> (8 * i));
            bytes[i + 4] = static_cast<uint8_t>(high >> (8 * i));
        }
        return storage.WriteBinary(GetClassId(), GetInstance(), GetAttribute(), bytes);
    });
}

bool ZR3232Attribute::SetAsString(const std::string& text) {
    // Anything that rounds to a 32.32 value is in range, so that every stored value can come back
    // from its exported text (up to 2147483647 + 0xFFFFFFFF / 2^32).
    Fixed value;
    Parse parse = ParseExact(text, value);
    if (parse == Parse::NotPlain) {
        // Other spellings strtod accepts (hexadecimal, infinities): the double is exact.
        const char* begin = text.c_str();
        char* end = nullptr;
        double number = std::strtod(begin, &end);
        if (number >= 2147483648.0 || number < -2147483648.0)
            parse = Parse::OutOfRange;
        else if (*end || std::isnan(number)) {
            ShowPlain("Invalid Entry");
            Notify(ZRUpdate::ValueChanged);
            return false;
        } else {
            double scaled = number * kTwo32;
            double whole = std::floor(scaled);
            __int128 units =
                static_cast<__int128>(static_cast<long long>(whole)) + (scaled - whole >= 0.5 ? 1 : 0);
            if (InRange(units))
                value = FromUnits(units);
            else
                parse = Parse::OutOfRange;
        }
    }
    if (parse == Parse::OutOfRange) {
        ShowPlain("Value out of range");
        Notify(ZRUpdate::ValueChanged);
        return false;
    }
    bool changed = value.integer != m_Integer || value.fraction != m_Fraction;
    int32_t oldInteger = m_Integer;
    uint32_t oldFraction = m_Fraction;
    m_Integer = value.integer;
    m_Fraction = value.fraction;
    if (!Save()) {
        m_Integer = oldInteger;
        m_Fraction = oldFraction;
        return false;
    }
    if (changed)
        Notify(ZRUpdate::ValueChanged);
    return true;
}

bool ZR3232Attribute::SetInternalAsString(const std::string& text) {
    return SetAsString(text);
}
