#include "tests/support/wire/TarvikBootPlay.h"

#include "tests/support/wire/TarvikDriveSim.h"

namespace wiresim {

namespace {

constexpr int kProductType = 0;
constexpr int kFirmwareVersion = 2;
constexpr int kResetDrive = 106;
constexpr int kUpgradeModeOld = 212;
constexpr int kEraseFlash = 213;
constexpr int kProgramFlash = 214;
constexpr int kFirmwareBuild = 377;
constexpr int kUpgradeModeNew = 471;
constexpr uint32_t kMainFirmwareValid = 0x08;
constexpr uint32_t kFirstNewVersion = 0x12B01; // 1.43.1

// The running firmware as the program reads it: parameter 2 (major, minor) and the build of 377.
uint32_t Version(const TarvikSimValues& drive) {
    const uint32_t word = drive.Get(kFirmwareVersion);
    return word < 257 ? word : word << 8 | drive.Get(kFirmwareBuild);
}

int UpgradeParameter(const TarvikSimValues& drive) {
    return Version(drive) >= kFirstNewVersion ? kUpgradeModeNew : kUpgradeModeOld;
}

bool ParseHex(const std::string& text, uint32_t& value) {
    value = 0;
    for (char c : text) {
        int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (digit < 0)
            return false;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    return !text.empty();
}

} // namespace

std::optional<NoxelAnswer> TarvikBootPlay::Take(uint8_t node, TarvikSimValues& drive, int parameter,
                                                int function, const std::string& rest) {
    std::lock_guard lock(m_mutex);
    Node& state = m_nodes[node];
    const int upgradeParameter = UpgradeParameter(drive);
    // The boot firmware knows only its own upgrade-mode parameter.
    if (state.boot && (parameter == kUpgradeModeOld || parameter == kUpgradeModeNew) &&
        parameter != upgradeParameter)
        return TarvikRefusal(TarvikDriveSim::kInvalidParameter);
    if (parameter == kProductType && function == 0 && state.boot)
        return NoxelAnswer{TarvikHex(drive.Get(kProductType) & ~kMainFirmwareValid, 8), false, false};
    const bool upgrading = drive.Get(upgradeParameter) == 1;
    if (parameter == kEraseFlash && function == 1) {
        if (!upgrading)
            return TarvikRefusal(TarvikDriveSim::kInvalidState);
        if (rest != "0000" && rest != "0001")
            return TarvikRefusal(TarvikDriveSim::kInvalidData);
        state.flash.clear();
        ++state.erases;
        state.eraseArea = rest == "0001" ? 1 : 0;
        return std::nullopt; // the table records the service
    }
    if (parameter == kProgramFlash && function == 1) {
        if (!upgrading || state.erases == 0)
            return TarvikRefusal(TarvikDriveSim::kInvalidState);
        // Address (8 digits), byte count (2) and the data.
        uint32_t address = 0, count = 0;
        if (rest.size() < 12 || !ParseHex(rest.substr(0, 8), address) ||
            !ParseHex(rest.substr(8, 2), count) || rest.size() != 10 + 2 * count)
            return TarvikRefusal(TarvikDriveSim::kInvalidData);
        Image bytes;
        for (uint32_t i = 0; i < count; ++i) {
            uint32_t byte = 0;
            if (!ParseHex(rest.substr(10 + 2 * i, 2), byte))
                return TarvikRefusal(TarvikDriveSim::kInvalidData);
            bytes[address + i] = static_cast<uint8_t>(byte);
        }
        bytes.merge(state.flash);
        state.flash.swap(bytes);
        ++state.programs;
        return std::nullopt;
    }
    return std::nullopt;
}

void TarvikBootPlay::After(uint8_t node, TarvikSimValues& drive, int parameter, int function,
                           const std::string&) {
    if (parameter != kResetDrive || function != 1)
        return;
    std::lock_guard lock(m_mutex);
    Node& state = m_nodes[node];
    ++state.resets;
    if (state.boot && !state.flash.empty() && drive.Get(UpgradeParameter(drive)) != 1)
        Restart(state, drive);
}

void TarvikBootPlay::Restart(Node& state, TarvikSimValues& drive) {
    uint32_t version = state.nextFirmware;
    auto at = [&state](uint32_t offset) -> int {
        auto found = state.flash.find(kVersionAddress + offset);
        return found == state.flash.end() ? -1 : found->second;
    };
    if (version == 0 && at(0) >= 0 && at(1) >= 0 && at(2) >= 0)
        version = static_cast<uint32_t>(at(0) << 16 | at(1) << 8 | at(2));
    if (version != 0) {
        drive.Set(kFirmwareVersion, 0, version >> 8 & 0xFFFF);
        drive.Set(kFirmwareBuild, 0, version & 0xFF);
    }
    state.boot = false;
}

void TarvikBootPlay::SetBootMode(uint8_t node, bool boot) {
    std::lock_guard lock(m_mutex);
    m_nodes[node].boot = boot;
}

bool TarvikBootPlay::IsBootMode(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    const Node* state = Find(node);
    return state && state->boot;
}

void TarvikBootPlay::SetNextFirmware(uint8_t node, uint32_t version) {
    std::lock_guard lock(m_mutex);
    m_nodes[node].nextFirmware = version;
}

int TarvikBootPlay::Erases(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    const Node* state = Find(node);
    return state ? state->erases : 0;
}

int TarvikBootPlay::EraseArea(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    const Node* state = Find(node);
    return state ? state->eraseArea : -1;
}

int TarvikBootPlay::Programs(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    const Node* state = Find(node);
    return state ? state->programs : 0;
}

int TarvikBootPlay::Resets(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    const Node* state = Find(node);
    return state ? state->resets : 0;
}

TarvikBootPlay::Image TarvikBootPlay::Flash(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    const Node* state = Find(node);
    return state ? state->flash : Image();
}

const TarvikBootPlay::Node* TarvikBootPlay::Find(uint8_t node) const {
    auto found = m_nodes.find(node);
    return found == m_nodes.end() ? nullptr : &found->second;
}

} // namespace wiresim
