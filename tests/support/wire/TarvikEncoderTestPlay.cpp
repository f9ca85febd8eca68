#include "tests/support/wire/TarvikEncoderTestPlay.h"

#include <cstdlib>

namespace wiresim {

namespace {

constexpr int kHostControlMode = 97;
constexpr uint32_t kCommutationMode = 8;
constexpr uint32_t kLastDiagnosticsMode = 12;
constexpr int kInvalidState = 2;

// The command-form write of the test control: its one-byte value, or -1 for anything else.
int StartOrStop(int parameter, int function, const std::string& rest) {
    if (parameter != TarvikEncoderTestPlay::kTestControl || function != 1 || rest.size() != 2)
        return -1;
    return static_cast<int>(std::strtoul(rest.c_str(), nullptr, 16));
}

} // namespace

std::optional<NoxelAnswer> TarvikEncoderTestPlay::Take(uint8_t, TarvikSimValues& drive, int parameter, int function,
                                                       const std::string& rest) {
    if (StartOrStop(parameter, function, rest) <= 0)
        return std::nullopt;
    const uint32_t mode = drive.Get(kHostControlMode);
    if (mode < kCommutationMode || mode > kLastDiagnosticsMode || (mode == kCommutationMode && !drive.IsEnabled()))
        return TarvikRefusal(kInvalidState);
    return std::nullopt;
}

void TarvikEncoderTestPlay::After(uint8_t, TarvikSimValues& drive, int parameter, int function,
                                  const std::string& rest) {
    const int value = StartOrStop(parameter, function, rest);
    if (value > 0) {
        drive.Set(kTestStatus, 0, kInProgress);
        drive.Set(kTestResults, 0, 0);
    } else if (value == 0 && drive.Get(kTestStatus) == kInProgress) {
        drive.Set(kTestStatus, 0, kIdle);
        drive.Set(kTestResults, 0, kAbortedByUser);
    }
}

} // namespace wiresim
