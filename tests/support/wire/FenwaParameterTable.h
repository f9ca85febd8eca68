// What a simulated Fenwa drive holds: its parameters ("SET"/"CHP"/"STR") and monitor values
// ("MDM"), each with the text it answers at power-up. The tables are sorted by number (a test
// says so).
#pragma once

#include <string>
#include <vector>

namespace wiresim {

struct FenwaParameter {
    enum class Kind {
        Word,       // 16 bits, answered with four digits
        SignedWord, // the same, taken as signed
        Long,       // 32 bits, eight digits
        Float,      // the eight digits of the value's single-precision bits
        Text,       // characters; min and max are lengths
    };
    int number;
    const char* name;
    Kind kind;
    double min, max;     // inclusive
    const char* initial; // the answer at power-up (and after a factory reset)
    bool disabledOnly;   // a write while the drive is enabled is refused (GS)
};

struct FenwaMonitor {
    int number;
    const char* name;
    const char* initial;
};

const std::vector<FenwaParameter>& FenwaParameters();
const FenwaParameter* FindFenwaParameter(int number);
const std::vector<FenwaMonitor>& FenwaMonitors();
const FenwaMonitor* FindFenwaMonitor(int number);

// The text the drive keeps for a written value text, or nothing when it refuses the value as out
// of range. Numbers come in any width from one to eight digits: one or two digits are a byte and
// four a word (signed where the parameter is), eight a long.
bool FenwaAccept(const FenwaParameter& parameter, const std::string& value, std::string& kept);

} // namespace wiresim
