// The parameter table of a simulated Tarvik drive: every number the drive answers, with its
// kind, size, array length, access and range. Values are held as the drive holds them.
#pragma once

#include <cstdint>
#include <span>

namespace wiresim {

struct TarvikParameter {
    enum class Kind : uint8_t {
        Unsigned,
        Signed,
        Float,
        Text,    // up to `size` characters, two hex digits each on the line
        Service, // function 1 only; any data is taken as it is
        Samples, // scope channel data: 128 characters a block
    };
    enum Access : uint8_t { kRead = 1, kWrite = 2, kCommand = 4 };

    uint16_t number;
    Kind kind;
    uint8_t size;    // bytes of a number, most characters of a text
    uint8_t entries; // array length; 1 for a single value
    uint8_t access;  // function 0 reads, 3 writes, 1 commands (services and command-form writes)
    double min, max; // numbers only, inclusive
    double initial;
    const char* text; // a text's initial value
    const char* name;
};

std::span<const TarvikParameter> TarvikParameters();
// Null for a number the drive does not know.
const TarvikParameter* FindTarvikParameter(int number);

} // namespace wiresim
