// The drive's built-in encoder tests: the test control starts a test only in one of the encoder
// diagnostics modes (the commutation test also needs an enabled drive), shows it in progress, and
// a stop ends it as aborted by the user. What a test measures is the firmware's and is not played.
#pragma once

#include "tests/support/wire/TarvikSimPlay.h"

namespace wiresim {

class TarvikEncoderTestPlay : public TarvikSimPlay {
public:
    static constexpr int kTestStatus = 405;
    static constexpr int kTestControl = 407;
    static constexpr int kTestResults = 408;
    // "Test Status" values.
    static constexpr uint32_t kIdle = 0;
    static constexpr uint32_t kInProgress = 1;
    // "Test Results" value of a stopped test.
    static constexpr uint32_t kAbortedByUser = 1;

    std::optional<NoxelAnswer> Take(uint8_t node, TarvikSimValues& drive, int parameter, int function,
                                    const std::string& rest) override;
    void After(uint8_t node, TarvikSimValues& drive, int parameter, int function, const std::string& rest) override;
};

} // namespace wiresim
