// The simulated drive's oscilloscope: an arm starts a capture that the trigger-status reads play
// out (awaiting the trigger, collecting, then idle with the samples held); the sample blocks of
// each channel then read a sine (16-bit blocks) or a ramp through zero (32-bit blocks), shifted a
// little with every capture so that two captures differ.
#pragma once

#include "tests/support/wire/TarvikSimPlay.h"

#include <map>

namespace wiresim {

class TarvikScopePlay : public TarvikSimPlay {
public:
    static constexpr int kSamples = 128;

    std::optional<NoxelAnswer> Take(uint8_t node, TarvikSimValues& drive, int parameter, int function,
                                    const std::string& rest) override;
    void After(uint8_t node, TarvikSimValues& drive, int parameter, int function, const std::string& rest) override;
    void Reset(uint8_t node) override;

    // Trigger-status reads an armed capture takes before it is complete (at least 1).
    void SetPollsPerCapture(int polls);
    // Captures completed, and arm commands taken, on the node since it was made.
    int Captures(uint8_t node) const;
    int Arms(uint8_t node) const;
    // Sample i of a channel in the node's last capture, as the drive holds it.
    static int32_t Sample(int capture, int channel, int i, bool is16Bit);

private:
    struct Scope {
        int pollsLeft = 0; // 0: not armed
        int captures = 0;
        int arms = 0;
    };
    int m_PollsPerCapture = 2;
    std::map<uint8_t, Scope> m_Scopes;
};

} // namespace wiresim
