#include "platform/db/Value.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace platform::db {

namespace {
// A text that is one number from its first character to its last, in range.
template <class T, class Parse> bool ParseWhole(const std::string& text, T& out, Parse parse) {
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    T value = parse(text.c_str(), &end);
    if (errno != 0 || end != text.c_str() + text.size())
        return false;
    out = value;
    return true;
}
} // namespace

bool IsNull(const Value& v) {
    return std::holds_alternative<std::monostate>(v);
}

int64_t ToInt64(const Value& v) {
    switch (v.index()) {
    case 1:
        return std::get<int64_t>(v);
    case 2:
        return static_cast<int64_t>(std::get<double>(v));
    case 3:
        return std::strtoll(std::get<std::string>(v).c_str(), nullptr, 10);
    default:
        return 0;
    }
}

double ToDouble(const Value& v) {
    switch (v.index()) {
    case 1:
        return static_cast<double>(std::get<int64_t>(v));
    case 2:
        return std::get<double>(v);
    case 3:
        return std::strtod(std::get<std::string>(v).c_str(), nullptr);
    default:
        return 0;
    }
}

std::string ToText(const Value& v) {
    switch (v.index()) {
    case 1:
        return std::to_string(std::get<int64_t>(v));
    case 2: {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.17g", std::get<double>(v));
        return buf;
    }
    case 3:
        return std::get<std::string>(v);
    case 4: {
        const Bytes& b = std::get<Bytes>(v);
        return std::string(b.begin(), b.end());
    }
    default:
        return {};
    }
}

Bytes ToBytes(const Value& v) {
    switch (v.index()) {
    case 3: {
        const std::string& s = std::get<std::string>(v);
        return Bytes(s.begin(), s.end());
    }
    case 4:
        return std::get<Bytes>(v);
    default:
        return {};
    }
}

bool ReadInteger(const Value& v, int64_t& out) {
    switch (v.index()) {
    case 1:
        out = std::get<int64_t>(v);
        return true;
    case 2: {
        // 2^63 itself is out of range; every double below it in magnitude converts exactly.
        double d = std::get<double>(v);
        if (!(d >= -9223372036854775808.0 && d < 9223372036854775808.0) || std::trunc(d) != d)
            return false;
        out = static_cast<int64_t>(d);
        return true;
    }
    case 3:
        return ParseWhole(std::get<std::string>(v), out, [](const char* s, char** end) {
            return static_cast<int64_t>(std::strtoll(s, end, 10));
        });
    default:
        return false;
    }
}

bool ReadReal(const Value& v, double& out) {
    switch (v.index()) {
    case 1:
        out = static_cast<double>(std::get<int64_t>(v));
        return true;
    case 2:
        out = std::get<double>(v);
        return true;
    case 3:
        return ParseWhole(std::get<std::string>(v), out,
                          [](const char* s, char** end) { return std::strtod(s, end); });
    default:
        return false;
    }
}

Param::Param(const Value& v) {
    switch (v.index()) {
    case 1:
        m_kind = Kind::Integer;
        m_int = std::get<int64_t>(v);
        break;
    case 2:
        m_kind = Kind::Real;
        m_real = std::get<double>(v);
        break;
    case 3:
        m_kind = Kind::Text;
        m_text = std::get<std::string>(v);
        break;
    case 4:
        m_kind = Kind::Blob;
        m_blob = std::get<Bytes>(v).data();
        m_size = std::get<Bytes>(v).size();
        break;
    default:
        break;
    }
}

} // namespace platform::db
