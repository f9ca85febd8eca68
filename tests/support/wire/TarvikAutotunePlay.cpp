#include "tests/support/wire/TarvikAutotunePlay.h"

namespace wiresim {

namespace {
constexpr int kP = 31, kI = 32, kD = 33;
constexpr int kOperatingMode = 36;
constexpr uint32_t kAutotuningMode = 19;
constexpr int kEnableState = 107;
} // namespace

void TarvikAutotunePlay::SetRunReads(int reads) {
    std::lock_guard lock(m_mutex);
    m_runReads = reads < 1 ? 1 : reads;
}

void TarvikAutotunePlay::FailNextRun() {
    std::lock_guard lock(m_mutex);
    m_failNext = true;
}

void TarvikAutotunePlay::SetGains(const Gains& gains) {
    std::lock_guard lock(m_mutex);
    m_gains = gains;
}

bool TarvikAutotunePlay::IsRunning(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    auto run = m_runs.find(node);
    return run != m_runs.end() && run->second.readsLeft > 0;
}

int TarvikAutotunePlay::Runs(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    auto run = m_runs.find(node);
    return run == m_runs.end() ? 0 : run->second.runs;
}

std::optional<NoxelAnswer> TarvikAutotunePlay::Take(uint8_t node, TarvikSimValues& drive, int parameter,
                                                    int function, const std::string&) {
    if (parameter != kAutotuneStatus || function != 0)
        return std::nullopt;
    std::lock_guard lock(m_mutex);
    Run& run = m_runs[node];
    if (run.readsLeft > 0 && --run.readsLeft == 0) {
        End(drive, run, m_failNext);
        m_failNext = false;
    }
    return std::nullopt; // the table reads out what the run left
}

void TarvikAutotunePlay::After(uint8_t node, TarvikSimValues& drive, int parameter, int function,
                               const std::string& rest) {
    if (function != 1)
        return;
    std::lock_guard lock(m_mutex);
    Run& run = m_runs[node];
    if (parameter == kAutotune) {
        // The table let it through, so the drive is enabled.
        run.readsLeft = m_runReads;
        ++run.runs;
        run.modeBefore = drive.Get(kOperatingMode, 0);
        drive.Set(kOperatingMode, 0, kAutotuningMode);
        drive.Set(kAutotuneStatus, 0, 0);
    } else if (parameter == kEnableState && rest == "00" && run.readsLeft > 0) {
        // Disabled in the middle of the run.
        run.readsLeft = 0;
        End(drive, run, true);
    }
}

void TarvikAutotunePlay::Reset(uint8_t node) {
    std::lock_guard lock(m_mutex);
    m_runs.erase(node);
}

void TarvikAutotunePlay::End(TarvikSimValues& drive, Run& run, bool failed) {
    if (!failed) {
        drive.Set(kP, 0, m_gains.p);
        drive.Set(kI, 0, m_gains.i);
        drive.Set(kD, 0, static_cast<uint32_t>(m_gains.d) & 0xFFFF);
    }
    drive.Set(kAutotuneStatus, 0, failed ? kFailed : kComplete);
    drive.Set(kOperatingMode, 0, run.modeBefore);
    drive.SetEnabled(false);
}

} // namespace wiresim
