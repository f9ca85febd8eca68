// The fault flags and fault history of simulated Tarvik drives. A raised fault sets its flag and
// the drive's fault state and goes to the front of the history (parameter 156, 20 entries) with
// the service clock's time; empty entries read as fault 0. Clear Faults also clears the second
// fault word, the history and service-clock resets empty them.
#pragma once

#include "tests/support/wire/TarvikSimPlay.h"

#include <cstdint>
#include <mutex>
#include <set>
#include <vector>

namespace wiresim {

class TarvikDriveSim;

class TarvikFaultPlay final : public TarvikSimPlay {
public:
    static constexpr int kHistorySlots = 20;

    // Fault 1 to 32 sets a bit of the first fault word, 33 to 48 of the second; any number 1 to 255
    // is recorded in the history at the node's "Time in Service".
    static void Raise(TarvikDriveSim& sim, uint8_t node, int number);
    // The entries that hold a fault, newest first: fault number in the top byte, the time in units
    // of 10 minutes below.
    static std::vector<uint32_t> History(const TarvikDriveSim& sim, uint8_t node);
    // Entry `slot` of the node answers with a reply one character short, as a disturbed line does.
    void GarbleEntry(uint8_t node, int slot);

    std::optional<NoxelAnswer> Take(uint8_t node, TarvikSimValues& drive, int parameter, int function,
                                    const std::string& rest) override;
    void After(uint8_t node, TarvikSimValues& drive, int parameter, int function, const std::string& rest) override;

private:
    std::mutex m_mutex;
    std::set<std::pair<uint8_t, int>> m_garbled;
};

} // namespace wiresim
