#include "tests/support/wire/TarvikInputsPlay.h"

namespace wiresim {

namespace {

constexpr int kProductType = 0;
constexpr int kResetService = 106;
constexpr int kInputStates = 118;
constexpr int kDisableOptionCard = 260;
constexpr int kSercosCapable = 441;
constexpr uint32_t kSercosDrive = 0x20;

} // namespace

void TarvikInputsPlay::SetInput(uint8_t node, int input, bool on) {
    if (input < 1 || input > 8)
        return;
    const uint32_t bit = 1u << (input - 1);
    std::lock_guard lock(m_mutex);
    Pending& pending = m_Inputs[node];
    (on ? pending.on : pending.off) |= bit;
    (on ? pending.off : pending.on) &= ~bit;
}

void TarvikInputsPlay::AddSercosCard(uint8_t node) {
    std::lock_guard lock(m_mutex);
    m_Cards.insert(node);
    m_Sercos.insert(node);
}

bool TarvikInputsPlay::IsSercos(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    return m_Sercos.count(node) != 0;
}

std::optional<NoxelAnswer> TarvikInputsPlay::Take(uint8_t node, TarvikSimValues& drive, int, int,
                                                  const std::string&) {
    std::lock_guard lock(m_mutex);
    if (auto pending = m_Inputs.find(node); pending != m_Inputs.end()) {
        drive.Set(kInputStates, 0, (drive.Get(kInputStates) | pending->second.on) & ~pending->second.off);
        m_Inputs.erase(pending);
    }
    if (m_Cards.count(node)) {
        drive.Set(kSercosCapable, 0, 1);
        const uint32_t type = drive.Get(kProductType) & ~kSercosDrive;
        drive.Set(kProductType, 0, m_Sercos.count(node) ? type | kSercosDrive : type);
    }
    return std::nullopt;
}

void TarvikInputsPlay::After(uint8_t node, TarvikSimValues& drive, int parameter, int function,
                             const std::string&) {
    if (parameter != kResetService || function != 1)
        return;
    std::lock_guard lock(m_mutex);
    if (!m_Cards.count(node))
        return;
    // The card comes up with the drive, unless it was disabled.
    if (drive.Get(kDisableOptionCard) == 0)
        m_Sercos.insert(node);
    else
        m_Sercos.erase(node);
}

void TarvikInputsPlay::Reset(uint8_t node) {
    std::lock_guard lock(m_mutex);
    m_Inputs.erase(node);
    // Factory settings enable the card again.
    if (m_Cards.count(node))
        m_Sercos.insert(node);
}

} // namespace wiresim
