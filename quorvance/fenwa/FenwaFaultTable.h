#pragma once

#include <array>

// The family fault table: what a Fenwa drive shows in characters 7 to 9 of its "Statuses", the
// fault number of the drive's own list (for warnings its display mnemonic) and the text. It gives
// the options of "Fault/Warning" and the faults block's flags and history.
struct FenwaFault {
    const char* code;
    const char* number;
    const char* text;
};

inline constexpr int kFenwaFaultCount = 40;
extern const std::array<FenwaFault, kFenwaFaultCount> kFenwaFaults;

// The row of a status code, or null.
const FenwaFault* FindFenwaFault(const char* code);
