// A simulated drive's autotune: the autotune service starts a run on an enabled drive, which plays
// out over reads of the autotune status and ends, disabled, with new velocity-loop gains and the
// "complete" bit, or with the "failed" bit when the run was set to fail or the drive was disabled
// in the middle of it.
#pragma once

#include "tests/support/wire/TarvikSimPlay.h"

#include <map>
#include <mutex>

namespace wiresim {

class TarvikAutotunePlay : public TarvikSimPlay {
public:
    static constexpr int kAutotune = 72;
    static constexpr int kAutotuneStatus = 98;
    static constexpr uint32_t kComplete = 0x01;
    static constexpr uint32_t kFailed = 0x40;

    // The gains a successful run leaves (P, I, D).
    struct Gains {
        uint32_t p = 420;
        uint32_t i = 95;
        int32_t d = -12;
    };

    // Reads of the autotune status a run lasts; the next run fails instead of finishing.
    void SetRunReads(int reads);
    void FailNextRun();
    void SetGains(const Gains& gains);
    // Whether the node is in the middle of a run, and how many runs it started.
    bool IsRunning(uint8_t node) const;
    int Runs(uint8_t node) const;

    std::optional<NoxelAnswer> Take(uint8_t node, TarvikSimValues& drive, int parameter, int function,
                                    const std::string& rest) override;
    void After(uint8_t node, TarvikSimValues& drive, int parameter, int function, const std::string& rest) override;
    void Reset(uint8_t node) override;

private:
    struct Run {
        int readsLeft = 0;
        int runs = 0;
        uint32_t modeBefore = 0;
    };
    void End(TarvikSimValues& drive, Run& run, bool failed);

    mutable std::mutex m_mutex;
    std::map<uint8_t, Run> m_runs;
    int m_runReads = 3;
    bool m_failNext = false;
    Gains m_gains;
};

} // namespace wiresim
