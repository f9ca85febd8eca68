#include "tests/support/wire/TarvikFaultPlay.h"

#include "tests/support/wire/TarvikDriveSim.h"

#include <charconv>

namespace wiresim {

namespace {

constexpr int kFaultStatus = 116;
constexpr int kFaultState = 117;
constexpr int kTimeInService = 154;
constexpr int kResetServiceClock = 155;
constexpr int kFaultHistory = 156;
constexpr int kResetFaultHistory = 157;
constexpr int kClearFaults = 111;
constexpr int kFaultStatus2 = 414;

} // namespace

void TarvikFaultPlay::Raise(TarvikDriveSim& sim, uint8_t node, int number) {
    if (number < 1 || number > 255)
        return;
    if (number <= 32)
        sim.SetValue(node, kFaultStatus, 0, sim.Value(node, kFaultStatus) | 1u << (number - 1));
    else if (number <= 48)
        sim.SetValue(node, kFaultStatus2, 0, sim.Value(node, kFaultStatus2) | 1u << (number - 33));
    sim.SetValue(node, kFaultState, 0, static_cast<uint32_t>(number));
    for (int slot = kHistorySlots - 1; slot > 0; --slot)
        sim.SetValue(node, kFaultHistory, slot, sim.Value(node, kFaultHistory, slot - 1));
    const uint32_t time = sim.Value(node, kTimeInService) & 0xFFFFFF;
    sim.SetValue(node, kFaultHistory, 0, static_cast<uint32_t>(number) << 24 | time);
}

std::vector<uint32_t> TarvikFaultPlay::History(const TarvikDriveSim& sim, uint8_t node) {
    std::vector<uint32_t> history;
    for (int slot = 0; slot < kHistorySlots; ++slot)
        if (const uint32_t entry = sim.Value(node, kFaultHistory, slot); entry >> 24)
            history.push_back(entry);
    return history;
}

void TarvikFaultPlay::GarbleEntry(uint8_t node, int slot) {
    std::lock_guard lock(m_mutex);
    m_garbled.emplace(node, slot);
}

std::optional<NoxelAnswer> TarvikFaultPlay::Take(uint8_t node, TarvikSimValues& drive, int parameter, int function,
                                                 const std::string& rest) {
    if (parameter != kFaultHistory || function != 0 || rest.size() != 2)
        return std::nullopt;
    int slot = 0;
    if (std::from_chars(rest.data(), rest.data() + 2, slot, 16).ec != std::errc())
        return std::nullopt;
    std::lock_guard lock(m_mutex);
    if (slot >= kHistorySlots || !m_garbled.count({node, slot}))
        return std::nullopt;
    std::string data = TarvikHex(drive.Get(kFaultHistory, slot), 8);
    data.pop_back();
    return NoxelAnswer{data, false, false};
}

void TarvikFaultPlay::After(uint8_t, TarvikSimValues& drive, int parameter, int function, const std::string&) {
    if (function != 1)
        return;
    if (parameter == kClearFaults) {
        drive.Set(kFaultStatus2, 0, 0);
    } else if (parameter == kResetFaultHistory) {
        for (int slot = 0; slot < kHistorySlots; ++slot)
            drive.Set(kFaultHistory, slot, 0);
    } else if (parameter == kResetServiceClock) {
        drive.Set(kTimeInService, 0, 0);
    }
}

} // namespace wiresim
