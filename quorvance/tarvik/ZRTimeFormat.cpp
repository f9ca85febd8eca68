#include "quorvance/tarvik/ZRTimeFormat.h"

#include "platform/core/Text.h"

#include <cmath>
#include <cstdint>

void ZRTimeFormat::Format(std::string& text, double value) {
    // Whole seconds held as the drive holds them: 32 bits without a sign.
    const double whole = std::trunc(value);
    const auto s = static_cast<unsigned long>(
        std::isfinite(whole) && whole > 0 ? static_cast<uint32_t>(std::fmin(whole, 4294967295.0)) : 0u);
    if (m_Mode == 0)
        text = platform::core::Format("%lu:%02lu", s / 60, s % 60);
    else if (m_Mode == 1)
        text = platform::core::Format("%lu:%02lu:%02lu", s / 3600, s / 60 % 60, s % 60);
}

bool ZRTimeFormat::Unformat(const std::string&, double&) {
    return false;
}
