#include "quorvance/tarvik/ZRVersionRowTarvik.h"

#include "platform/core/Text.h"

#include <cmath>
#include <cstdint>

std::string ZRVersionRowTarvik::FormatTarvikVersion(double value) {
    // Same truncation and pinning as the other families' version rows.
    double truncated = std::trunc(value);
    uint32_t bits = 0;
    if (truncated >= 4294967295.0)
        bits = 0xFFFFFFFFU;
    else if (truncated > 0)
        bits = static_cast<uint32_t>(truncated);
    return platform::core::Format("%u.%02u", bits >> 8, bits & 0xFFU);
}
