#include "tests/support/wire/TarvikEncoderMemoryPlay.h"

#include "tests/support/wire/TarvikDriveSim.h"

#include <cstdlib>

namespace wiresim {

namespace {

constexpr int kOperatingMode = 36;
constexpr int kHostControlMode = 97;
constexpr int kEnableState = 107;
constexpr int kWriteMemory = 389;
constexpr int kMemoryState = 391;
constexpr int kConfigureMemory = 393;
constexpr int kCommutationOffset = 396;
constexpr uint32_t kStartupMode = 36;
constexpr uint32_t kVelocityPanelMode = 16;
constexpr uint32_t kVelocityPanelHost = 1;
constexpr uint32_t kDataArea = 0x81; // in use, data

} // namespace

std::optional<NoxelAnswer> TarvikEncoderMemoryPlay::Take(uint8_t node, TarvikSimValues& drive, int parameter,
                                                         int function, const std::string& rest) {
    std::lock_guard lock(m_mutex);
    Encoder& encoder = m_encoders[node];
    ++encoder.requests;
    if (parameter == kWriteMemory && function == 1) {
        // Address (4 hex digits), block (2) and the byte (2).
        char* end = nullptr;
        const unsigned long fields = rest.size() == 8 ? std::strtoul(rest.c_str(), &end, 16) : 0;
        if (rest.size() != 8 || !end || *end)
            return TarvikRefusal(TarvikDriveSim::kInvalidData);
        const unsigned address = fields >> 16, block = (fields >> 8) & 0xFF;
        if (address >= 32 || block >= 4)
            return TarvikRefusal(TarvikDriveSim::kInvalidIndex);
        // An encoder whose memory areas are not set up takes nothing.
        if (drive.Get(kMemoryState, static_cast<int>(block)) != kDataArea)
            return TarvikRefusal(TarvikDriveSim::kInvalidState);
        encoder.memory[block * 32 + address] = static_cast<uint8_t>(fields & 0xFF);
        ++encoder.writes;
        return std::nullopt; // the table records the service
    }
    if (parameter == kOperatingMode && function == 0 && encoder.inStartup) {
        if (encoder.startupLeft > 0 && --encoder.startupLeft == 0) {
            encoder.inStartup = false;
            drive.Set(kCommutationOffset, 0, m_measured);
            drive.Set(kOperatingMode, 0, kVelocityPanelMode);
        }
    }
    return std::nullopt;
}

void TarvikEncoderMemoryPlay::After(uint8_t node, TarvikSimValues& drive, int parameter, int, const std::string&) {
    std::lock_guard lock(m_mutex);
    Encoder& encoder = m_encoders[node];
    if (parameter == kConfigureMemory) {
        for (int i = 0; i < 4; ++i)
            drive.Set(kMemoryState, i, kDataArea);
        drive.Set(kMemoryState, 4, 0);
    } else if (parameter == kEnableState) {
        if (drive.IsEnabled() && drive.Get(kHostControlMode) == kVelocityPanelHost)
            StartStartup(encoder, drive);
        else if (!drive.IsEnabled() && encoder.inStartup)
            encoder.inStartup = false;
    }
}

void TarvikEncoderMemoryPlay::StartStartup(Encoder& encoder, TarvikSimValues& drive) {
    encoder.inStartup = true;
    encoder.startupLeft = m_startupReads;
    drive.Set(kOperatingMode, 0, kStartupMode);
}

void TarvikEncoderMemoryPlay::Reset(uint8_t node) {
    std::lock_guard lock(m_mutex);
    m_encoders[node] = Encoder();
}

void TarvikEncoderMemoryPlay::SetStartup(uint32_t measuredOffset, int reads) {
    std::lock_guard lock(m_mutex);
    m_measured = measuredOffset;
    m_startupReads = reads;
}

TarvikEncoderMemoryPlay::Memory TarvikEncoderMemoryPlay::Contents(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    auto found = m_encoders.find(node);
    return found == m_encoders.end() ? Memory{} : found->second.memory;
}

int TarvikEncoderMemoryPlay::MemoryWrites(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    auto found = m_encoders.find(node);
    return found == m_encoders.end() ? 0 : found->second.writes;
}

int TarvikEncoderMemoryPlay::Requests(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    auto found = m_encoders.find(node);
    return found == m_encoders.end() ? 0 : found->second.requests;
}

} // namespace wiresim
