#include "tests/support/wire/NoxelDriveSim.h"

#include <cctype>
#include <cstdio>

namespace wiresim {

namespace {
int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

NoxelDriveSim::NoxelDriveSim(std::set<uint8_t> nodes) : m_nodes(std::move(nodes)) {}

NoxelDriveSim::~NoxelDriveSim() {
    Stop();
}

void NoxelDriveSim::SetHandler(Handler handler) {
    std::lock_guard lock(m_mutex);
    m_handler = std::move(handler);
}

void NoxelDriveSim::Misbehave(Fault fault, int times) {
    std::lock_guard lock(m_mutex);
    for (int i = 0; i < times; ++i)
        m_faults.push_back(fault);
}

std::vector<std::string> NoxelDriveSim::Requests() const {
    std::lock_guard lock(m_mutex);
    return m_requests;
}

size_t NoxelDriveSim::RequestCount() const {
    std::lock_guard lock(m_mutex);
    return m_requests.size();
}

std::string NoxelDriveSim::Checksum(std::string_view digitsAndText) {
    unsigned sum = 0;
    for (char c : digitsAndText)
        sum += static_cast<unsigned char>(c);
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", (256 - sum % 256) % 256);
    return digits;
}

std::string NoxelDriveSim::Frame(const std::string& request, const NoxelAnswer& answer) {
    // ':' + node digits + the first four text characters.
    std::string body = request.substr(1, 6);
    if (answer.driveError && body.size() > 2)
        body[2] = static_cast<char>(body[2] + 8);
    body += answer.data;
    return ":" + body + Checksum(body) + "\r";
}

NoxelAnswer NoxelDriveSim::Answer(uint8_t node, const std::string& text) {
    Handler handler;
    {
        std::lock_guard lock(m_mutex);
        handler = m_handler;
    }
    if (handler)
        return handler(node, text);
    return {};
}

void NoxelDriveSim::OnInput(const uint8_t* data, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        char c = static_cast<char>(data[i]);
        if (c == ':') {
            m_line.assign(1, c);
            m_inLine = true;
        } else if (m_inLine) {
            m_line.push_back(c);
            if (c == '\r') {
                m_inLine = false;
                OnLine(m_line);
            } else if (m_line.size() > 4200) {
                m_inLine = false;
            }
        }
    }
}

void NoxelDriveSim::OnLine(const std::string& line) {
    std::unique_lock lock(m_mutex);
    m_requests.push_back(line);
    // ':' n n text c c CR; a line that does not add up is ignored, as a drive would.
    if (line.size() < 7)
        return;
    std::string inner = line.substr(1, line.size() - 4);
    if (Checksum(inner) != line.substr(line.size() - 3, 2))
        return;
    int high = HexValue(line[1]), low = HexValue(line[2]);
    if (high < 0 || low < 0)
        return;
    uint8_t node = static_cast<uint8_t>(high * 16 + low);
    if (!m_nodes.count(node))
        return;
    std::string text = inner.substr(2);

    bool faulty = !m_faults.empty();
    Fault fault = faulty ? m_faults.front() : Fault::Silent;
    if (faulty)
        m_faults.pop_front();
    lock.unlock();
    NoxelAnswer answer = Answer(node, text);

    if (answer.silent && !faulty)
        return;
    std::string reply;
    if (!faulty) {
        reply = Frame(line, answer);
    } else {
        switch (fault) {
        case Fault::Silent:
            return;
        case Fault::Garbage:
            reply = "?*GARBAGE*?\r";
            break;
        case Fault::BadChecksum:
            reply = Frame(line, answer);
            reply[reply.size() - 2] = reply[reply.size() - 2] == '0' ? '1' : '0';
            break;
        case Fault::LowerChecksum: {
            // Pick a reply whose checksum has a letter in it, so the case shows.
            std::string body = line.substr(1, 6) + answer.data;
            for (char pad = 'A'; Checksum(body).find_first_of("ABCDEF") == std::string::npos; ++pad)
                body.push_back(pad);
            std::string sum = Checksum(body);
            for (char& c : sum)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            reply = ":" + body + sum + "\r";
            break;
        }
        case Fault::OtherNode: {
            std::string other = line;
            char digits[3];
            std::snprintf(digits, sizeof digits, "%02X", (node + 1) & 0xFF);
            other[1] = digits[0];
            other[2] = digits[1];
            reply = Frame(other, answer);
            break;
        }
        case Fault::DriveError:
            answer.driveError = true;
            reply = Frame(line, answer);
            break;
        case Fault::WrongEcho: {
            std::string other = line;
            other[6] = other[6] == '0' ? '1' : '0';
            reply = Frame(other, answer);
            break;
        }
        case Fault::NoEnd:
            reply = ":" + std::string(299, '0');
            break;
        }
    }
    if (answer.cut < reply.size())
        reply.resize(answer.cut);
    Send(reply);
}

} // namespace wiresim
