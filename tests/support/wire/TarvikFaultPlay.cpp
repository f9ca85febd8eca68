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
constexpr int kInvalidData = 1;
constexpr int kInvalidIndex = 7;

} // namespace

void TarvikFaultPlay::Raise(TarvikDriveSim& sim, uint8_t node, int number) {
    if (number < 1 || number > 255)
        return;
    if (number <= 32)
        sim.SetValue(node, kFaultStatus, 0, sim.Value(node, kFaultStatus) | 1u << (number - 1));
    else if (number <= 48)
        sim.SetValue(node, kFaultStatus2, 0, sim.Value(node, kFaultStatus2) | 1u << (number - 33));
    sim.SetValue(node, kFaultState, 0, static_cast<uint32_t>(number));
    if (TarvikFaultPlay* play = sim.FindPlay<TarvikFaultPlay>())
        play->Record(node, number, sim.Value(node, kTimeInService));
}

void TarvikFaultPlay::Record(uint8_t node, int number, uint32_t time) {
    std::lock_guard lock(m_mutex);
    std::deque<uint32_t>& history = m_history[node];
    history.push_front(static_cast<uint32_t>(number & 0xFF) << 24 | (time & 0xFFFFFF));
    if (history.size() > kHistorySlots)
        history.pop_back();
}

std::deque<uint32_t> TarvikFaultPlay::History(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    auto found = m_history.find(node);
    return found == m_history.end() ? std::deque<uint32_t>() : found->second;
}

void TarvikFaultPlay::GarbleEntry(uint8_t node, int slot) {
    std::lock_guard lock(m_mutex);
    m_garbled.emplace(node, slot);
}

std::optional<NoxelAnswer> TarvikFaultPlay::Take(uint8_t node, TarvikSimValues&, int parameter, int function,
                                                 const std::string& rest) {
    if (parameter != kFaultHistory || function != 0)
        return std::nullopt;
    unsigned slot = 0;
    if (rest.size() != 2 || std::from_chars(rest.data(), rest.data() + 2, slot, 16).ec != std::errc())
        return TarvikRefusal(kInvalidData);
    if (slot >= kHistorySlots)
        return TarvikRefusal(kInvalidIndex);
    std::lock_guard lock(m_mutex);
    const std::deque<uint32_t>& history = m_history[node];
    const uint32_t entry = slot < history.size() ? history[slot] : 0;
    std::string data = TarvikHex(entry, 8);
    if (m_garbled.count({node, static_cast<int>(slot)}))
        data.pop_back();
    return NoxelAnswer{data, false, false};
}

void TarvikFaultPlay::After(uint8_t node, TarvikSimValues& drive, int parameter, int function,
                            const std::string&) {
    if (function != 1)
        return;
    if (parameter == kClearFaults) {
        drive.Set(kFaultStatus2, 0, 0);
    } else if (parameter == kResetFaultHistory) {
        std::lock_guard lock(m_mutex);
        m_history.erase(node);
    } else if (parameter == kResetServiceClock) {
        drive.Set(kTimeInService, 0, 0);
    }
}

} // namespace wiresim
