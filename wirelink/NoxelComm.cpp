#include "wirelink/NoxelComm.h"

#include "platform/core/HexDigit.h"

#include "wirelink/SerialComm.h"
#include "wirelink/ZRCommError.h"

#include <cstring>

namespace {
constexpr unsigned char kStart = ':';
constexpr unsigned char kEnd = '\r';
constexpr uint32_t kDefaultGap = 2000;
constexpr uint32_t kMinTotal = 2500;
constexpr int kEchoLength = 7;
// Echo, two checksum digits and the carriage return.
constexpr int kFraming = 10;

const char kNotInitialized[] = "Datalink is not initialized for communication.";
const char kTooLong[] = "Message to be sent to Node is too long";
const char kNoResponse[] = "No response from drive";
const char kBadResponse[] = "Bad response from drive";
} // namespace

uint16_t NoxelReplyParser::Run() {
    m_count = 0;
    for (;;) {
        uint16_t value = m_reader.Read();
        if (value == TimedByteReader::TotalTimeout)
            return TotalTimeout;
        if (value == TimedByteReader::GapTimeout)
            return GapTimeout;
        if (value == TimedByteReader::FrameGood || value == TimedByteReader::FrameBad)
            return value;
        if (value > 255) {
            m_reader.Unget(TimedByteReader::FrameBad);
            continue;
        }
        unsigned char c = static_cast<unsigned char>(value);
        m_bytes[m_count++] = c;
        m_reader.RestartGap();
        if (c == kEnd) {
            bool good = m_bytes[0] == kStart && m_count >= 9;
            if (good) {
                // Compared with upper-case digits only: lower-case ones make a bad frame.
                unsigned char sum = NoxelComm::CalcChecksum(m_bytes, m_count - 3);
                good = m_bytes[m_count - 3] == NoxelComm::ToAsciiVal(sum >> 4) &&
                       m_bytes[m_count - 2] == NoxelComm::ToAsciiVal(sum & 0x0F);
            }
            m_reader.Unget(good ? TimedByteReader::FrameGood : TimedByteReader::FrameBad);
        } else if (m_count >= kMaxLine) {
            m_reader.Unget(TimedByteReader::FrameBad);
        }
    }
}

NoxelComm::NoxelComm() = default;

NoxelComm::~NoxelComm() = default;

void NoxelComm::Init(SerialComm* port) {
    m_port = port;
    std::memset(m_active, 0, sizeof m_active);
}

unsigned char NoxelComm::CalcChecksum(const unsigned char* data, int length) {
    int i = length > 0 && data[0] == kStart ? 1 : 0;
    unsigned char sum = 0;
    for (; i < length; ++i)
        sum = static_cast<unsigned char>(sum + data[i]);
    return static_cast<unsigned char>(0 - sum);
}

unsigned char NoxelComm::ToAsciiVal(unsigned char value) {
    return "0123456789ABCDEF"[value & 0x0F];
}

int NoxelComm::ToHexVal(char c) {
    return platform::core::HexDigitValue(c);
}

void NoxelComm::BuildMessage(unsigned char node, const unsigned char* text, unsigned short length) {
    m_frameLength = 0;
    if (length > kMaxText)
        throw ZRCommError(ZRCommError::ProtocolError, kTooLong);
    unsigned char* out = m_frame;
    *out++ = kStart;
    *out++ = ToAsciiVal(node >> 4);
    *out++ = ToAsciiVal(node & 0x0F);
    for (unsigned short i = 0; i < length; ++i) {
        unsigned char c = text[i];
        *out++ = (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
    }
    unsigned char sum = CalcChecksum(m_frame, static_cast<int>(out - m_frame));
    *out++ = ToAsciiVal(sum >> 4);
    *out++ = ToAsciiVal(sum & 0x0F);
    *out++ = kEnd;
    m_frameLength = static_cast<unsigned short>(out - m_frame);
    *out = 0;
}

void NoxelComm::WriteMessage() {
    m_port->Purge(false);
    m_port->Write(m_frame, m_frameLength);
    m_reader.RestartGap();
    m_reader.RestartTotal();
}

void NoxelComm::SetTimeouts(unsigned long timeout) {
    uint32_t gap = timeout ? static_cast<uint32_t>(timeout) : kDefaultGap;
    uint32_t total = gap < kMinTotal ? kMinTotal : gap + 200;
    m_reader.Setup(m_port, total, gap);
}

void NoxelComm::ExchgMessage(unsigned char node, const unsigned char* text, unsigned short length,
                             unsigned char* reply, unsigned short& replyLength, int& driveError,
                             unsigned long timeout) {
    if (length == 0 || length > kMaxText)
        throw ZRCommError(ZRCommError::ProtocolError, kTooLong);
    if (!m_port)
        throw ZRCommError(ZRCommError::NotInitialized, kNotInitialized);
    BuildMessage(node, text, length);
    SendAndGetRsp(node, reply, replyLength, driveError, timeout);
}

void NoxelComm::SendAndGetRsp(unsigned char node, unsigned char* reply, unsigned short& replyLength,
                              int& driveError, unsigned long timeout) {
    SetTimeouts(timeout);
    WriteMessage();
    uint16_t result = m_parser.Run();
    int tries = 0;
    while (result != NoxelReplyParser::Good) {
        ++tries;
        if (IsNodeActive(node))
            m_port->Purge(true);
        if (tries < (IsNodeActive(node) ? m_triesActive : m_triesInactive)) {
            WriteMessage();
            result = m_parser.Run();
            continue;
        }
        SetNodeInactive(node);
        if (result == NoxelReplyParser::GapTimeout)
            throw ZRCommError(ZRCommError::NoResponse, kNoResponse);
        throw ZRCommError(ZRCommError::ProtocolError, kBadResponse);
    }

    ParseResponse(m_parser.Bytes(), m_parser.Count(), reply, replyLength);
    int count = replyLength;
    bool echoed = count >= kFraming;
    if (echoed) {
        unsigned char first = reply[3];
        if (ToHexVal(static_cast<char>(first)) < 0) {
            echoed = false;
        } else {
            // The drive refuses a request by adding 8 to the first text character.
            driveError = first >= '8' ? 1 : 0;
            if (first >= '8')
                reply[3] = static_cast<unsigned char>(first - 8);
            echoed = std::memcmp(reply, m_frame, kEchoLength) == 0;
        }
    }
    if (!echoed) {
        m_port->Purge(true);
        throw ZRCommError(ZRCommError::ProtocolError, kBadResponse);
    }
    count -= kFraming;
    std::memmove(reply, reply + kEchoLength, static_cast<size_t>(count));
    reply[count] = 0;
    replyLength = static_cast<unsigned short>(count);
    if (!IsNodeActive(node))
        SetNodeActive(node);
}

void NoxelComm::ParseResponse(const unsigned char* bytes, int count, unsigned char* reply,
                              unsigned short& replyLength) {
    std::memcpy(reply, bytes, static_cast<size_t>(count));
    replyLength = static_cast<unsigned short>(count);
}

void NoxelComm::RefreshNode(unsigned char node) {
    if (!m_port)
        throw ZRCommError(ZRCommError::NotInitialized, kNotInitialized);
    static const unsigned char probe[] = {'0', '0', '1', '0'};
    unsigned char reply[NoxelReplyParser::kMaxLine];
    unsigned short replyLength = 0;
    int driveError = 0;
    try {
        ExchgMessage(node, probe, sizeof probe, reply, replyLength, driveError,
                     (m_port->GetSleepTime() + 8) * 10);
        if (driveError)
            SetNodeInactive(node);
    } catch (const ZRCommError&) {
        SetNodeInactive(node);
    }
}

void NoxelComm::DumbTerminalMsg(unsigned char node, const unsigned char* text, unsigned short length,
                                unsigned char* reply, unsigned short& replyLength, unsigned long timeout) {
    if (length == 0 || length > kMaxText)
        throw ZRCommError(ZRCommError::ProtocolError, kTooLong);
    if (!m_port) {
        replyLength = static_cast<unsigned short>(sizeof kNotInitialized - 1);
        std::memcpy(reply, kNotInitialized, sizeof kNotInitialized);
        return;
    }
    BuildMessage(node, text, length);
    SetTimeouts(timeout);
    WriteMessage();
    uint16_t result = m_parser.Run();
    const unsigned char* bytes = m_parser.Bytes();
    int count = m_parser.Count();
    if (result == NoxelReplyParser::Good) {
        int inner = count >= 2 ? count - 2 : 0;
        std::memcpy(reply, bytes + 1, static_cast<size_t>(inner));
        reply[inner] = 0;
        replyLength = static_cast<unsigned short>(inner);
        return;
    }
    std::memcpy(reply, bytes, static_cast<size_t>(count));
    reply[count] = 0;
    replyLength = static_cast<unsigned short>(count);
    m_port->Purge(true);
    if (result == NoxelReplyParser::GapTimeout)
        throw ZRCommError(ZRCommError::NoResponse, kNoResponse);
    throw ZRCommError(ZRCommError::ProtocolError, kBadResponse);
}
