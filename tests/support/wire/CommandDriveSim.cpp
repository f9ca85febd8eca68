#include "tests/support/wire/CommandDriveSim.h"

#include <cstdio>

namespace wiresim {

using namespace symbol;

namespace {
int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

CommandDriveSim::CommandDriveSim(Family family, std::set<uint8_t> nodes)
    : m_family(family), m_nodes(std::move(nodes)) {}

CommandDriveSim::~CommandDriveSim() {
    Stop();
}

void CommandDriveSim::SetHandler(Handler handler) {
    std::lock_guard lock(m_mutex);
    m_handler = std::move(handler);
}

void CommandDriveSim::Misbehave(Fault fault, int times) {
    std::lock_guard lock(m_mutex);
    for (int i = 0; i < times; ++i)
        m_faults.emplace_back(fault, 0);
}

void CommandDriveSim::MisbehaveStatus(uint8_t byte, int times) {
    std::lock_guard lock(m_mutex);
    for (int i = 0; i < times; ++i)
        m_faults.emplace_back(Fault::Status, byte);
}

void CommandDriveSim::SetLongCommand(const std::string& command, int busyCount) {
    std::lock_guard lock(m_mutex);
    m_long[command] = {busyCount, busyCount};
}

std::vector<CommandRequest> CommandDriveSim::Requests() const {
    std::lock_guard lock(m_mutex);
    return m_requests;
}

size_t CommandDriveSim::RequestCount() const {
    std::lock_guard lock(m_mutex);
    return m_requests.size();
}

std::string CommandDriveSim::RawData() const {
    std::lock_guard lock(m_mutex);
    return m_raw;
}

char CommandDriveSim::Checksum(std::string_view afterStxUpToColon) {
    unsigned sum = 0;
    for (char c : afterStxUpToColon)
        sum += static_cast<unsigned char>(c);
    return "0123456789ABCDEF"[sum & 0x0F];
}

std::string CommandDriveSim::Frame(uint8_t node, const std::string& text, bool goodChecksum) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", node);
    std::string body = std::string(digits) + text + ":";
    char sum = Checksum(body);
    if (!goodChecksum)
        sum = sum == '0' ? '1' : '0';
    return std::string(1, static_cast<char>(STX)) + body + sum + static_cast<char>(ETX);
}

CommandAnswer CommandDriveSim::Answer(const CommandRequest& request) {
    if (auto answer = Handle(request))
        return *answer;
    return Serve(request);
}

std::optional<CommandAnswer> CommandDriveSim::Handle(const CommandRequest& request) {
    std::unique_lock lock(m_mutex);
    Handler handler = m_handler;
    lock.unlock();
    if (handler)
        return handler(request);
    return std::nullopt;
}

bool CommandDriveSim::IsLongCommand(const std::string& command) const {
    std::lock_guard lock(m_mutex);
    for (const auto& entry : m_long) {
        if (command.compare(0, entry.first.size(), entry.first) == 0)
            return true;
    }
    return false;
}

CommandAnswer CommandDriveSim::Serve(const CommandRequest& request) {
    if (request.terminal)
        return CommandAnswer::Text(request.command);
    std::unique_lock lock(m_mutex);
    for (auto& [command, busy] : m_long) {
        if (request.command == command) {
            if (busy.second > 0) {
                --busy.second;
                return CommandAnswer::Text("#BSY");
            }
            return CommandAnswer::Text("#TOK");
        }
        if (request.command.compare(0, command.size(), command) == 0) {
            busy.second = busy.first;
            return CommandAnswer::Status(ACK);
        }
    }
    return CommandAnswer::Status(ACK);
}

void CommandDriveSim::OnInput(const uint8_t* data, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        char c = static_cast<char>(data[i]);
        if (c == static_cast<char>(STX)) {
            m_frame.assign(1, c);
            m_inFrame = true;
        } else if (m_inFrame) {
            m_frame.push_back(c);
            if (c == static_cast<char>(ETX)) {
                m_inFrame = false;
                OnFrame(m_frame);
            }
        } else {
            std::lock_guard lock(m_mutex);
            m_raw.push_back(c);
        }
    }
}

void CommandDriveSim::OnFrame(const std::string& frame) {
    // STX n n [#] text ':' c ETX
    CommandRequest request;
    request.frame = frame;
    size_t colon = frame.rfind(':');
    int high = frame.size() > 2 ? HexValue(frame[1]) : -1;
    int low = frame.size() > 2 ? HexValue(frame[2]) : -1;
    if (colon == std::string::npos || colon < 3 || colon + 3 != frame.size() || high < 0 || low < 0) {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(request);
        return;
    }
    request.node = static_cast<uint8_t>(high * 16 + low);
    request.terminal = frame[3] != '#';
    request.command = frame.substr(request.terminal ? 3 : 4, colon - (request.terminal ? 3 : 4));
    bool checksumGood = Checksum(std::string_view(frame).substr(1, colon)) == frame[colon + 1];

    std::unique_lock lock(m_mutex);
    m_requests.push_back(request);
    if (!m_nodes.count(request.node))
        return;
    std::optional<std::pair<Fault, uint8_t>> fault;
    if (!m_faults.empty()) {
        fault = m_faults.front();
        m_faults.pop_front();
    }
    lock.unlock();

    const uint8_t retry = m_family == Family::Fenwa ? SI : NAK;
    if (!checksumGood) {
        Send(&retry, 1);
        return;
    }
    if (fault) {
        switch (fault->first) {
        case Fault::Silent:
            return;
        case Fault::Garbage:
            Send("zq!");
            return;
        case Fault::ShortFrame:
            Send(std::string(1, static_cast<char>(STX)) + "01#XY:0" + static_cast<char>(ETX));
            return;
        case Fault::Status:
            Send(&fault->second, 1);
            return;
        case Fault::BadChecksum:
            break;
        }
    }
    CommandAnswer answer = Answer(request);
    switch (answer.kind) {
    case CommandAnswer::Kind::Silent:
        return;
    case CommandAnswer::Kind::Status:
        Send(&answer.status, 1);
        return;
    case CommandAnswer::Kind::Text:
        Send(Frame(request.node, answer.text, !(fault && fault->first == Fault::BadChecksum)));
        return;
    case CommandAnswer::Kind::Raw:
        Send(answer.text);
        return;
    }
}

} // namespace wiresim
