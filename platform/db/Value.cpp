#include "platform/db/Value.h"

#include <cstdio>
#include <cstdlib>

namespace platform::db {

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
