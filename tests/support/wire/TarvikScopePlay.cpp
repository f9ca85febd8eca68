#include "tests/support/wire/TarvikScopePlay.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace wiresim {

namespace {

constexpr int kArmTrigger = 164;
constexpr int kTriggerStatus = 165;
constexpr int kData16 = 166;
constexpr int kData32 = 265;
constexpr int kBlocks = 8;
constexpr int kPerBlock = TarvikScopePlay::kSamples / kBlocks;
constexpr int kRefusedIndex = 7;
enum Status : uint32_t { kAwaiting = 0, kCollecting = 1, kIdle = 2 };

} // namespace

int32_t TarvikScopePlay::Sample(int capture, int channel, int i, bool is16Bit) {
    if (capture <= 0)
        return 0;
    const int shifted = i + 4 * (capture - 1);
    if (is16Bit) {
        const double phase = 2.0 * M_PI * shifted / 64.0 + channel * M_PI / 2.0;
        return static_cast<int32_t>(std::lround(12000.0 * std::sin(phase)));
    }
    // From well below zero to well above it, so that both signs travel the line.
    return -400000 + (shifted % kSamples) * 6250 + channel * 1000;
}

std::optional<NoxelAnswer> TarvikScopePlay::Take(uint8_t node, TarvikSimValues& drive, int parameter, int function,
                                                 const std::string& rest) {
    if (function != 0)
        return std::nullopt;
    Scope& scope = m_Scopes[node];
    if (parameter == kTriggerStatus) {
        if (scope.pollsLeft > 0) {
            --scope.pollsLeft;
            if (scope.pollsLeft == 0)
                ++scope.captures;
            const uint32_t status =
                scope.pollsLeft == 0 ? kIdle : (scope.pollsLeft == 1 ? kCollecting : kAwaiting);
            drive.Set(kTriggerStatus, 0, status);
        }
        return std::nullopt; // the table answers the status just set
    }
    if (parameter != kData16 && parameter != kData32)
        return std::nullopt;
    unsigned index = 0;
    if (rest.size() != 2 || std::sscanf(rest.c_str(), "%2X", &index) != 1 || index >= 4 * kBlocks)
        return TarvikRefusal(kRefusedIndex);
    const bool is16Bit = parameter == kData16;
    const int channel = static_cast<int>(index) / kBlocks;
    const int first = static_cast<int>(index) % kBlocks * kPerBlock;
    std::string data;
    for (int j = 0; j < kPerBlock; ++j) {
        const auto raw = static_cast<uint32_t>(Sample(scope.captures, channel, first + j, is16Bit));
        data += TarvikHex(is16Bit ? raw & 0xFFFF : raw, is16Bit ? 4 : 8);
    }
    return NoxelAnswer{data, false, false};
}

void TarvikScopePlay::After(uint8_t node, TarvikSimValues& drive, int parameter, int function, const std::string&) {
    if (parameter != kArmTrigger || function != 1)
        return;
    m_Scopes[node].pollsLeft = m_PollsPerCapture;
    ++m_Scopes[node].arms;
    drive.Set(kTriggerStatus, 0, kAwaiting);
}

void TarvikScopePlay::Reset(uint8_t node) {
    m_Scopes.erase(node);
}

void TarvikScopePlay::SetPollsPerCapture(int polls) {
    m_PollsPerCapture = std::max(polls, 1);
}

int TarvikScopePlay::Captures(uint8_t node) const {
    auto found = m_Scopes.find(node);
    return found == m_Scopes.end() ? 0 : found->second.captures;
}

int TarvikScopePlay::Arms(uint8_t node) const {
    auto found = m_Scopes.find(node);
    return found == m_Scopes.end() ? 0 : found->second.arms;
}

} // namespace wiresim
