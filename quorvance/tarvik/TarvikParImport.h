#pragma once

#include <cstdint>
#include <string>

class ZRObject;
class ZROlbraConverter;

// Shared steps of the blocks' conversions from older-family parameter files.
namespace tarvik {

// The motor's "Lines/Revolution" as shown (through the gear box), read afresh; 0 without a motor.
double MotorLinesRevolution(ZRObject* block);

// The value of a slot that holds a 32-bit unsigned number (its bits come as a signed value).
inline double Unsigned(int32_t bits) {
    return static_cast<uint32_t>(bits);
}

// A converted value held within lo to 2147483647: beyond a bound it becomes the bound and the
// warning (a text ending in "Setting to ") is logged with "max allowed." or "min allowed.";
// inside it is truncated toward zero.
int32_t LimitedValue(double x, double lo, ZROlbraConverter& file, const std::string& warning);

} // namespace tarvik
