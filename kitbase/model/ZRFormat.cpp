#include "kitbase/model/ZRFormat.h"

#include "kitbase/model/ZRUpdate.h"

#include <cstdio>
#include <cstring>

namespace {

// A format string is only handed to printf with a double when it holds at most one conversion and
// that one takes a double; anything else would read arguments that are not there.
bool TakesOneDouble(const std::string& format) {
    int conversions = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        ++i;
        if (i < format.size() && format[i] == '%')
            continue;
        while (i < format.size() && std::strchr("-+ #0", format[i]))
            ++i;
        while (i < format.size() && (format[i] >= '0' && format[i] <= '9'))
            ++i;
        if (i < format.size() && format[i] == '.') {
            ++i;
            while (i < format.size() && (format[i] >= '0' && format[i] <= '9'))
                ++i;
        }
        if (i < format.size() && format[i] == 'l')
            ++i;
        if (i >= format.size() || !std::strchr("aAeEfFgG", format[i]))
            return false;
        ++conversions;
    }
    return conversions <= 1;
}

} // namespace

ZRFormat::~ZRFormat() {
    Notify(ZRUpdate::Destroying);
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
void ZRFormat::Format(std::string& text, double value) {
    const char* format = TakesOneDouble(m_format) ? m_format.c_str() : "%g";
    int n = std::snprintf(nullptr, 0, format, value);
    if (n < 0) {
        text.clear();
        return;
    }
    text.assign(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, value);
    text.resize(static_cast<size_t>(n));
}
#pragma GCC diagnostic pop

bool ZRFormat::Unformat(const std::string& text, double& value) {
    double read = 0.0;
    if (std::sscanf(text.c_str(), "%lf", &read) != 1)
        return false;
    value = read;
    return true;
}

void ZRFormat::SetFormatString(const std::string& format) {
    m_format = format;
    Notify(ZRUpdate::ValueChanged);
}
