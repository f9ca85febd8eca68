// Field values and statement parameters. Text is code page 1252 here and UTF-8 in the file.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace platform::db {

using Bytes = std::vector<uint8_t>;

// Null, integer, real, text or bytes, as SQLite stores them.
using Value = std::variant<std::monostate, int64_t, double, std::string, Bytes>;

bool IsNull(const Value& v);
// Conversions for reading a field of whatever kind it holds: null reads as 0 or empty.
int64_t ToInt64(const Value& v);
double ToDouble(const Value& v);
std::string ToText(const Value& v);
Bytes ToBytes(const Value& v);
// Strict readings for typed fields: false for null and for a value that is not a number of the
// kind asked (a real with a fraction or beyond the 64-bit range, text that is not wholly a number).
bool ReadInteger(const Value& v, int64_t& out);
bool ReadReal(const Value& v, double& out);

// A parameter bound to a '?' of a statement, for the length of one call. It only refers to the
// caller's text and bytes, so binding copies nothing until the engine takes them.
class Param {
public:
    enum class Kind { Null, Integer, Real, Text, Blob };

    Param(std::nullptr_t) {}
    template <std::integral T> Param(T v) : m_kind(Kind::Integer), m_int(static_cast<int64_t>(v)) {}
    template <std::floating_point T> Param(T v) : m_kind(Kind::Real), m_real(static_cast<double>(v)) {}
    Param(const char* text) : m_kind(Kind::Text), m_text(text) {}
    Param(std::string_view text) : m_kind(Kind::Text), m_text(text) {}
    Param(const std::string& text) : m_kind(Kind::Text), m_text(text) {}
    Param(const Bytes& bytes) : m_kind(Kind::Blob), m_blob(bytes.data()), m_size(bytes.size()) {}
    Param(const Value& v);

    Kind GetKind() const { return m_kind; }
    int64_t Integer() const { return m_int; }
    double Real() const { return m_real; }
    std::string_view Text() const { return m_text; }
    const uint8_t* Blob() const { return m_blob; }
    size_t Size() const { return m_size; }

private:
    Kind m_kind = Kind::Null;
    int64_t m_int = 0;
    double m_real = 0;
    std::string_view m_text;
    const uint8_t* m_blob = nullptr;
    size_t m_size = 0;
};

} // namespace platform::db
