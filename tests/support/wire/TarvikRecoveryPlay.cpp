#include "tests/support/wire/TarvikRecoveryPlay.h"

#include "tests/support/wire/PtySimulator.h"

namespace wiresim {

namespace {
constexpr int kRestartParameter = 0x10A;
constexpr int kCommand = 1;
} // namespace

TarvikRecoveryPlay::TarvikRecoveryPlay(const PtySimulator& line) : m_line(line) {}

void TarvikRecoveryPlay::SetLost(bool lost) {
    std::lock_guard lock(m_mutex);
    m_lost = lost;
    m_powered = false;
}

bool TarvikRecoveryPlay::IsLost() const {
    std::lock_guard lock(m_mutex);
    return m_lost;
}

void TarvikRecoveryPlay::PowerUp(std::chrono::milliseconds window) {
    std::lock_guard lock(m_mutex);
    m_powered = true;
    m_openEnded = window.count() <= 0;
    m_closes = std::chrono::steady_clock::now() + window;
}

void TarvikRecoveryPlay::PowerDown() {
    std::lock_guard lock(m_mutex);
    m_powered = false;
}

int TarvikRecoveryPlay::Restarts() const {
    std::lock_guard lock(m_mutex);
    return m_restarts;
}

bool TarvikRecoveryPlay::Listening() const {
    if (!m_powered || (!m_openEnded && std::chrono::steady_clock::now() >= m_closes))
        return false;
    PtySimulator::LineSettings line;
    return m_line.ReadLineSettings(line) && line.baud == 9600 && line.dataBits == 8 && line.parity == 'N';
}

std::optional<NoxelAnswer> TarvikRecoveryPlay::Take(uint8_t node, TarvikSimValues&, int parameter,
                                                    int function, const std::string&) {
    std::lock_guard lock(m_mutex);
    if (!m_lost || node != kRecoveryNode)
        return std::nullopt;
    if (!Listening())
        return NoxelAnswer{{}, false, true};
    if (parameter == kRestartParameter && function == kCommand) {
        // Acknowledged; then the drive restarts on its new settings and is gone from this node.
        ++m_restarts;
        m_powered = false;
        return NoxelAnswer{};
    }
    return std::nullopt;
}

} // namespace wiresim
