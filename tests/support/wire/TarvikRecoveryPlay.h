// A drive whose communication settings nobody knows: once it has lost them it says nothing on the
// line except at the recovery node 254, and only for a short window after power-up, and only while
// the line runs at 9600 baud, 8 data bits, no parity. Its address, broadcast address, baud rate
// and frame format (parameters 80 to 83) take writes as usual; the restart request 10A1 is
// acknowledged, after which the drive restarts with its new settings and the window closes.
#pragma once

#include "tests/support/wire/TarvikSimPlay.h"

#include <chrono>
#include <cstdint>
#include <mutex>

namespace wiresim {

class PtySimulator;

class TarvikRecoveryPlay : public TarvikSimPlay {
public:
    static constexpr uint8_t kRecoveryNode = 254;
    static constexpr std::chrono::milliseconds kWindow{3000};

    // line: whose settings the drive listens to.
    explicit TarvikRecoveryPlay(const PtySimulator& line);

    // The drive at the recovery node has lost its settings, powered down; false makes it an
    // ordinary drive again.
    void SetLost(bool lost);
    bool IsLost() const;
    // Power-up opens the window for this long (zero: until power-down).
    void PowerUp(std::chrono::milliseconds window = kWindow);
    void PowerDown();
    // Restart requests (10A1) the drive took.
    int Restarts() const;

    std::optional<NoxelAnswer> Take(uint8_t node, TarvikSimValues& drive, int parameter, int function,
                                    const std::string& rest) override;

private:
    // Whether the lost drive hears the line now; under the lock.
    bool Listening() const;

    const PtySimulator& m_line;
    mutable std::mutex m_mutex;
    bool m_lost = false;
    bool m_powered = false;
    std::chrono::steady_clock::time_point m_closes{};
    bool m_openEnded = false;
    int m_restarts = 0;
};

} // namespace wiresim
