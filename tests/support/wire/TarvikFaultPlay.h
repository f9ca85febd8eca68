// The fault flags and fault history of simulated Tarvik drives. A raised fault sets its flag and
// the drive's fault state and goes to the front of the history with the service clock's time;
// the history holds the last 20, its empty slots read as fault 0. Clear Faults also clears the
// second fault word, the history and service-clock resets empty them.
#pragma once

#include "tests/support/wire/TarvikSimPlay.h"

#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <set>

namespace wiresim {

class TarvikDriveSim;

class TarvikFaultPlay final : public TarvikSimPlay {
public:
    static constexpr int kHistorySlots = 20;

    // Fault 1 to 32 sets a bit of the first fault word, 33 to 48 of the second; any number 1 to 255
    // is recorded in the history at the node's "Time in Service".
    static void Raise(TarvikDriveSim& sim, uint8_t node, int number);
    // The history entry as the drive reads it back: fault number, time in units of 10 minutes.
    void Record(uint8_t node, int number, uint32_t time);
    // The history, newest first, as 8-digit entries.
    std::deque<uint32_t> History(uint8_t node) const;
    // Entry `slot` of the node answers with a reply one character short, as a disturbed line does.
    void GarbleEntry(uint8_t node, int slot);

    std::optional<NoxelAnswer> Take(uint8_t node, TarvikSimValues& drive, int parameter, int function,
                                    const std::string& rest) override;
    void After(uint8_t node, TarvikSimValues& drive, int parameter, int function, const std::string& rest) override;

private:
    mutable std::mutex m_mutex;
    std::map<uint8_t, std::deque<uint32_t>> m_history;
    std::set<std::pair<uint8_t, int>> m_garbled;
};

} // namespace wiresim
