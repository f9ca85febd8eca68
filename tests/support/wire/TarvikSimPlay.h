// Behaviour of a simulated Tarvik drive beyond its parameter table: autotune, scope capture,
// encoder memory, fault history... Each play lives in its own file and sees every request the
// table knows before the table answers it.
#pragma once

#include "tests/support/wire/NoxelDriveSim.h"

#include <cstdint>
#include <optional>
#include <string>

namespace wiresim {

// One node's values as a play sees them; only used under the simulator's lock.
class TarvikSimValues {
public:
    virtual ~TarvikSimValues() = default;
    // Numbers are the bits the drive holds (a float's IEEE 754 pattern).
    virtual uint32_t Get(int parameter, int index = 0) const = 0;
    virtual void Set(int parameter, int index, uint32_t bits) = 0;
    virtual std::string GetText(int parameter) const = 0;
    virtual void SetText(int parameter, const std::string& text) = 0;
    virtual bool IsEnabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

class TarvikSimPlay {
public:
    virtual ~TarvikSimPlay() = default;
    // function is 0 (read), 1 (command) or 3 (write); rest is the text after the function digit.
    // An answer takes the request; nothing leaves it to the table.
    virtual std::optional<NoxelAnswer> Take(uint8_t node, TarvikSimValues& drive, int parameter, int function,
                                            const std::string& rest) = 0;
    // After the table took a command or a write without refusing it.
    virtual void After(uint8_t, TarvikSimValues&, int /*parameter*/, int /*function*/, const std::string& /*rest*/) {}
    // Every value back to its initial state (factory reset, or a node made anew).
    virtual void Reset(uint8_t /*node*/) {}
};

class TarvikDriveSim;
// Adds the plays every simulated Tarvik drive has (TarvikSimPlays.cpp: one line a play).
void InstallStandardPlays(TarvikDriveSim& sim);

// The refusal a drive sends with its error code (1 to 9).
NoxelAnswer TarvikRefusal(int code);
// A value's data as the drive sends it: `digits` upper-case hex digits.
std::string TarvikHex(uint32_t value, int digits);

} // namespace wiresim
