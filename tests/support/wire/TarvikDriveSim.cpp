#include "tests/support/wire/TarvikDriveSim.h"

#include <algorithm>
#include <bit>
#include <cstdio>

namespace wiresim {

namespace {

using Kind = TarvikParameter::Kind;

constexpr int kEnableState = 107;
constexpr int kInputFunctionStates = 186;
constexpr int kDriveStatus = 207;
constexpr int kFaultState = 117;
constexpr int kFaultStatus = 116;
constexpr int kDriveName = 6;
constexpr uint32_t kEnableInput = 0x80000000u; // bit 31 of 186
constexpr uint32_t kEnabledBit = 0x00800000u;  // bit 23 of 207
constexpr size_t kSampleBlock = 128;

// Index and homing moves.
constexpr int kStartIndex = 112;
constexpr int kStartHoming = 205;
constexpr int kStopHoming = 284;
constexpr int kActualPosition = 126;
constexpr int kPositionCommand = 128;
constexpr int kSelectedIndex = 172;
constexpr int kBatchCountDone = 173;
constexpr int kIndexMode = 174;
constexpr int kIndexDistance = 175;
constexpr int kIndexBatchCount = 181;
constexpr int kIndexNumber = 184;
constexpr int kMoveStatus = 187;
constexpr int kHomePosition = 201;
constexpr int kAbsoluteMode = 1;
// Bits of the drive status 207.
constexpr uint32_t kAtHome = 1u << 0;
constexpr uint32_t kSequenceComplete = 1u << 1;
constexpr uint32_t kInMotion = 1u << 2;
constexpr uint32_t kAxisHomed = 1u << 5;
constexpr uint32_t kInPosition = 1u << 16;
constexpr uint32_t kWithinWindow = 1u << 17;
// Bits of the move status 187.
constexpr uint32_t kIndexExecuting = 1u << 0;
constexpr uint32_t kAccelOrConstant = 1u << 2;
constexpr uint32_t kDecel = 1u << 3;

// Set-up a drive takes only while it is disabled.
constexpr int kLockedWhileEnabled[] = {44, 67, 80, 81, 90, 235, 256, 259};
// Motion that needs an enabled drive.
constexpr int kNeedsEnable[] = {72, 112, 205};

bool Contains(std::span<const int> list, int n) {
    for (int x : list)
        if (x == n)
            return true;
    return false;
}

int Hex(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The whole text as one number; false when a character is not an upper-case hex digit.
bool ParseHex(std::string_view text, uint32_t& value) {
    value = 0;
    for (char c : text) {
        int digit = Hex(c);
        if (digit < 0)
            return false;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    return !text.empty();
}

std::string HexDigits(uint32_t value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*X", digits, value);
    return buffer;
}

NoxelAnswer Refusal(int code) {
    return TarvikRefusal(code);
}

uint32_t Key(int parameter, int index) {
    return static_cast<uint32_t>(parameter) << 8 | static_cast<uint32_t>(index & 0xFF);
}

uint32_t Mask(int size) {
    return size >= 4 ? 0xFFFFFFFFu : (1u << (size * 8)) - 1;
}

uint32_t InitialBits(const TarvikParameter& p) {
    if (p.kind == Kind::Float)
        return std::bit_cast<uint32_t>(static_cast<float>(p.initial));
    if (p.kind == Kind::Signed)
        return static_cast<uint32_t>(static_cast<int64_t>(p.initial)) & Mask(p.size);
    return static_cast<uint32_t>(static_cast<int64_t>(p.initial));
}

// The value of a number's bits, for the range check.
double Decode(const TarvikParameter& p, uint32_t bits) {
    switch (p.kind) {
    case Kind::Float:
        return std::bit_cast<float>(bits);
    case Kind::Signed: {
        const int shift = 32 - p.size * 8;
        return static_cast<int32_t>(bits << shift) >> shift;
    }
    default:
        return bits;
    }
}

} // namespace

NoxelAnswer TarvikRefusal(int code) {
    return {HexDigits(static_cast<uint32_t>(code) & 0xFF, 2), true, false};
}

std::string TarvikHex(uint32_t value, int digits) {
    return HexDigits(value, digits);
}

class TarvikDriveSim::Values final : public TarvikSimValues {
public:
    Values(TarvikDriveSim& sim, Drive& drive) : m_sim(sim), m_drive(drive) {}
    uint32_t Get(int parameter, int index) const override {
        auto found = m_drive.numbers.find(Key(parameter, index));
        return found == m_drive.numbers.end() ? 0 : found->second;
    }
    void Set(int parameter, int index, uint32_t bits) override { m_drive.numbers[Key(parameter, index)] = bits; }
    std::string GetText(int parameter) const override {
        auto found = m_drive.texts.find(parameter);
        return found == m_drive.texts.end() ? std::string() : found->second;
    }
    void SetText(int parameter, const std::string& text) override { m_drive.texts[parameter] = text; }
    bool IsEnabled() const override { return m_sim.IsEnabled(m_drive); }
    void SetEnabled(bool enabled) override { m_sim.SetEnabled(m_drive, enabled); }

private:
    TarvikDriveSim& m_sim;
    Drive& m_drive;
};

TarvikDriveSim::TarvikDriveSim(std::set<uint8_t> nodes) : NoxelDriveSim(nodes) {
    for (uint8_t node : nodes)
        Initialise(node, m_drives[node]);
    InstallStandardPlays(*this);
}

TarvikDriveSim::~TarvikDriveSim() {
    Stop();
}

void TarvikDriveSim::Initialise(uint8_t node, Drive& drive) {
    drive.numbers.clear();
    drive.texts.clear();
    for (const TarvikParameter& p : TarvikParameters()) {
        if (p.kind == Kind::Text)
            drive.texts[p.number] = p.text;
        else if (p.kind != Kind::Service && p.kind != Kind::Samples)
            for (int i = 0; i < p.entries; ++i)
                drive.numbers[Key(p.number, i)] = InitialBits(p);
    }
    drive.texts[kDriveName] = "Drive " + std::to_string(node);
    for (const auto& play : m_plays)
        play->Reset(node);
}

uint32_t TarvikDriveSim::Value(uint8_t node, int parameter, int index) const {
    std::lock_guard lock(m_mutex);
    auto drive = m_drives.find(node);
    if (drive == m_drives.end())
        return 0;
    auto found = drive->second.numbers.find(Key(parameter, index));
    return found == drive->second.numbers.end() ? 0 : found->second;
}

std::string TarvikDriveSim::Text(uint8_t node, int parameter) const {
    std::lock_guard lock(m_mutex);
    auto drive = m_drives.find(node);
    if (drive == m_drives.end())
        return {};
    auto found = drive->second.texts.find(parameter);
    return found == drive->second.texts.end() ? std::string() : found->second;
}

void TarvikDriveSim::SetValue(uint8_t node, int parameter, int index, uint32_t bits) {
    std::lock_guard lock(m_mutex);
    m_drives[node].numbers[Key(parameter, index)] = bits;
}

void TarvikDriveSim::SetText(uint8_t node, int parameter, const std::string& text) {
    std::lock_guard lock(m_mutex);
    m_drives[node].texts[parameter] = text;
}

void TarvikDriveSim::Reset(uint8_t node) {
    std::lock_guard lock(m_mutex);
    Initialise(node, m_drives[node]);
}

void TarvikDriveSim::Refuse(uint8_t node, int code, int times, int parameter) {
    std::lock_guard lock(m_mutex);
    for (int i = 0; i < times; ++i)
        m_drives[node].refusals.emplace_back(code, parameter);
}

void TarvikDriveSim::PullCable(int replies) {
    std::lock_guard lock(m_mutex);
    m_repliesLeft = replies;
    m_unplugged = replies <= 0;
}

void TarvikDriveSim::PullCableMidReply() {
    std::lock_guard lock(m_mutex);
    m_cutMidReply = true;
}

void TarvikDriveSim::PlugCable() {
    std::lock_guard lock(m_mutex);
    m_repliesLeft = -1;
    m_cutMidReply = false;
    m_unplugged = false;
}

std::vector<std::string> TarvikDriveSim::Services(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    auto drive = m_drives.find(node);
    return drive == m_drives.end() ? std::vector<std::string>() : drive->second.services;
}

NoxelAnswer TarvikDriveSim::Answer(uint8_t node, const std::string& text) {
    std::lock_guard lock(m_mutex);
    NoxelAnswer silence{{}, false, true};
    if (m_unplugged)
        return silence;
    if (m_repliesLeft == 0) {
        m_unplugged = true;
        return silence;
    }
    Drive& drive = m_drives[node];
    NoxelAnswer answer;
    uint32_t parameter = 0;
    const bool known = text.size() >= 3 && ParseHex(std::string_view(text).substr(0, 3), parameter);
    auto refusal = std::find_if(drive.refusals.begin(), drive.refusals.end(), [&](const auto& r) {
        return r.second < 0 || (known && static_cast<uint32_t>(r.second) == parameter);
    });
    if (refusal != drive.refusals.end()) {
        answer = Refusal(refusal->first);
        drive.refusals.erase(refusal);
    } else {
        answer = Handle(node, drive, text);
    }
    if (m_repliesLeft > 0)
        --m_repliesLeft;
    if (m_cutMidReply) {
        // ':', the echo (node and four characters), the data, the checksum and CR.
        answer.cut = (1 + 6 + answer.data.size() + 3) / 2;
        m_cutMidReply = false;
        m_unplugged = true;
    }
    return answer;
}

NoxelAnswer TarvikDriveSim::Handle(uint8_t node, Drive& drive, const std::string& text) {
    uint32_t number = 0, function = 0;
    if (text.size() < 4 || !ParseHex(std::string_view(text).substr(0, 3), number) ||
        !ParseHex(std::string_view(text).substr(3, 1), function))
        return Refusal(kInvalidData);
    const TarvikParameter* p = FindTarvikParameter(static_cast<int>(number));
    if (!p)
        return Refusal(kInvalidParameter);
    const std::string rest = text.substr(4);
    Values values(*this, drive);
    for (const auto& play : m_plays)
        if (auto answer = play->Take(node, values, p->number, static_cast<int>(function), rest))
            return *answer;
    NoxelAnswer answer = Table(node, drive, *p, static_cast<int>(function), text);
    if (function != 0 && !answer.driveError)
        for (const auto& play : m_plays)
            play->After(node, values, p->number, static_cast<int>(function), rest);
    return answer;
}

NoxelAnswer TarvikDriveSim::Table(uint8_t node, Drive& drive, const TarvikParameter& parameter, int function,
                                  const std::string& text) {
    const TarvikParameter* p = &parameter;
    const std::string rest = text.substr(4);
    switch (function) {
    case 0:
        if (!(p->access & TarvikParameter::kRead))
            return Refusal(kInvalidFunction);
        if (p->number == kDriveStatus)
            StepMove(drive);
        return Read(drive, *p, rest);
    case 1:
        if (!(p->access & TarvikParameter::kCommand))
            return Refusal(kInvalidFunction);
        return Command(node, drive, *p, text);
    case 3:
        if (!(p->access & TarvikParameter::kWrite))
            return Refusal(kInvalidFunction);
        if (IsEnabled(drive) && Contains(kLockedWhileEnabled, p->number))
            return Refusal(kDisabledWhenEnabled);
        return Write(drive, *p, rest);
    default:
        return Refusal(kInvalidFunction);
    }
}

NoxelAnswer TarvikDriveSim::Read(const Drive& drive, const TarvikParameter& p,
                                 const std::string& rest) const {
    uint32_t index = 0;
    if (!rest.empty() && (rest.size() != 2 || !ParseHex(rest, index)))
        return Refusal(kInvalidData);
    if (p.kind == Kind::Samples) {
        // Eight blocks a channel, each 128 characters of a slow ramp.
        if (index >= p.entries)
            return Refusal(kInvalidIndex);
        std::string data;
        const int digits = p.size * 2;
        for (uint32_t i = 0; data.size() < kSampleBlock; ++i)
            data += HexDigits((index * 64 + i) & Mask(p.size), digits);
        return {data, false, false};
    }
    if (index >= p.entries)
        return Refusal(kInvalidIndex);
    if (p.kind == Kind::Text) {
        std::string data;
        for (unsigned char c : drive.texts.at(p.number))
            data += HexDigits(c, 2);
        return {data, false, false};
    }
    return {HexDigits(drive.numbers.at(Key(p.number, static_cast<int>(index))), p.size * 2), false, false};
}

NoxelAnswer TarvikDriveSim::Write(Drive& drive, const TarvikParameter& p, const std::string& rest) {
    if (p.kind == Kind::Text) {
        if (rest.size() % 2 || rest.size() > static_cast<size_t>(p.size) * 2)
            return Refusal(kInvalidData);
        std::string value;
        for (size_t i = 0; i < rest.size(); i += 2) {
            uint32_t c = 0;
            if (!ParseHex(std::string_view(rest).substr(i, 2), c))
                return Refusal(kInvalidData);
            value.push_back(static_cast<char>(c));
        }
        drive.texts[p.number] = value;
        return {};
    }
    const size_t digits = static_cast<size_t>(p.size) * 2;
    uint32_t index = 0, bits = 0;
    std::string_view data = rest;
    if (rest.size() == digits + 2) {
        if (!ParseHex(data.substr(0, 2), index))
            return Refusal(kInvalidData);
        data.remove_prefix(2);
    }
    if (data.size() != digits || !ParseHex(data, bits))
        return Refusal(kInvalidData);
    if (index >= p.entries)
        return Refusal(kInvalidIndex);
    const double value = Decode(p, bits);
    if (value < p.min)
        return Refusal(kBelowMinimum);
    if (value > p.max)
        return Refusal(kAboveMaximum);
    drive.numbers[Key(p.number, static_cast<int>(index))] = bits;
    return {};
}

NoxelAnswer TarvikDriveSim::Command(uint8_t node, Drive& drive, const TarvikParameter& p,
                                    const std::string& text) {
    const std::string rest = text.substr(4);
    if (p.kind != Kind::Service) {
        NoxelAnswer answer = Write(drive, p, rest);
        if (!answer.driveError && p.number == kEnableState)
            SetEnabled(drive, drive.numbers[Key(kEnableState, 0)] == 1);
        return answer;
    }
    if (Contains(kNeedsEnable, p.number) && !IsEnabled(drive))
        return Refusal(kInvalidState);
    drive.services.push_back(text);
    switch (p.number) {
    case 4: // factory settings
        Initialise(node, drive);
        break;
    case 106: // reset: the drive comes back disabled
        SetEnabled(drive, false);
        break;
    case 111: // clear faults
        drive.numbers[Key(kFaultStatus, 0)] = 0;
        drive.numbers[Key(kFaultState, 0)] = 255;
        break;
    case kStartIndex:
        StartIndex(drive);
        break;
    case kStartHoming:
        StartHoming(drive);
        break;
    case kStopHoming:
        StopHoming(drive);
        break;
    default:
        break;
    }
    return {};
}

bool TarvikDriveSim::IsEnabled(const Drive& drive) const {
    return drive.numbers.at(Key(kEnableState, 0)) == 1;
}

void TarvikDriveSim::SetEnabled(Drive& drive, bool enabled) {
    // Without its enable input the drive stays disabled (it enables once the input comes).
    enabled = enabled && (drive.numbers[Key(kInputFunctionStates, 0)] & kEnableInput);
    drive.numbers[Key(kEnableState, 0)] = enabled ? 1 : 0;
    uint32_t& status = drive.numbers[Key(kDriveStatus, 0)];
    status = enabled ? status | kEnabledBit : status & ~kEnabledBit;
}

void TarvikDriveSim::SetMoveReads(int reads) {
    std::lock_guard lock(m_mutex);
    m_moveReads = std::max(reads, 1);
}

bool TarvikDriveSim::IsMoving(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    auto drive = m_drives.find(node);
    return drive != m_drives.end() && drive->second.moveReadsLeft > 0;
}

void TarvikDriveSim::StartIndex(Drive& drive) {
    const int index = static_cast<int>(drive.numbers[Key(kIndexNumber, 0)] & 0x3F);
    const auto from = static_cast<int32_t>(drive.numbers[Key(kPositionCommand, 0)]);
    const auto distance = static_cast<int32_t>(drive.numbers[Key(kIndexDistance, index)]);
    const bool absolute = drive.numbers[Key(kIndexMode, index)] == kAbsoluteMode;
    drive.homing = false;
    drive.index = index;
    drive.moveFrom = from;
    drive.moveTo = absolute ? distance : static_cast<int32_t>(static_cast<int64_t>(from) + distance);
    drive.moveReadsLeft = m_moveReads;
    drive.numbers[Key(kSelectedIndex, 0)] = static_cast<uint32_t>(index);
    uint32_t& status = drive.numbers[Key(kDriveStatus, 0)];
    status = (status | kInMotion) & ~(kSequenceComplete | kInPosition | kWithinWindow);
    drive.numbers[Key(kMoveStatus, 0)] = kIndexExecuting | kAccelOrConstant;
}

void TarvikDriveSim::StartHoming(Drive& drive) {
    drive.homing = true;
    drive.moveFrom = static_cast<int32_t>(drive.numbers[Key(kPositionCommand, 0)]);
    drive.moveTo = static_cast<int32_t>(drive.numbers[Key(kHomePosition, 0)]);
    drive.moveReadsLeft = m_moveReads;
    uint32_t& status = drive.numbers[Key(kDriveStatus, 0)];
    status = (status | kInMotion) & ~(kAtHome | kAxisHomed | kInPosition | kWithinWindow);
    drive.numbers[Key(kMoveStatus, 0)] = kAccelOrConstant;
}

void TarvikDriveSim::StopHoming(Drive& drive) {
    if (!drive.homing || drive.moveReadsLeft == 0)
        return;
    // Stopped where it is: not at home, not homed.
    drive.moveReadsLeft = 0;
    drive.numbers[Key(kDriveStatus, 0)] &= ~kInMotion;
    drive.numbers[Key(kMoveStatus, 0)] = 0;
}

void TarvikDriveSim::StepMove(Drive& drive) {
    if (drive.moveReadsLeft == 0)
        return;
    const int done = m_moveReads - --drive.moveReadsLeft;
    const int64_t span = static_cast<int64_t>(drive.moveTo) - drive.moveFrom;
    const auto at = static_cast<uint32_t>(static_cast<int32_t>(drive.moveFrom + span * done / m_moveReads));
    drive.numbers[Key(kPositionCommand, 0)] = at;
    drive.numbers[Key(kActualPosition, 0)] = at;
    if (drive.moveReadsLeft == 0)
        SettleMove(drive);
    else if (2 * done >= m_moveReads)
        drive.numbers[Key(kMoveStatus, 0)] = (drive.homing ? 0 : kIndexExecuting) | kDecel;
}

void TarvikDriveSim::SettleMove(Drive& drive) {
    uint32_t& status = drive.numbers[Key(kDriveStatus, 0)];
    status = (status & ~kInMotion) | kInPosition | kWithinWindow;
    if (drive.homing)
        status |= kAtHome | kAxisHomed;
    else {
        status |= kSequenceComplete;
        drive.numbers[Key(kBatchCountDone, 0)] = drive.numbers[Key(kIndexBatchCount, drive.index)];
    }
    drive.numbers[Key(kMoveStatus, 0)] = 0;
}

} // namespace wiresim
