#include "wirelink/CommandLink.h"

#include "wirelink/SerialComm.h"
#include "wirelink/WireClock.h"
#include "wirelink/ZRCommError.h"

#include "platform/core/Text.h"

#include <cstring>

namespace {
constexpr unsigned char STX = 0x02, ETX = 0x03, ACK = 0x06, SI = 0x0F, NAK = 0x15, CAN = 0x18, GS = 0x1D,
                        RS = 0x1E, US = 0x1F;
constexpr uint32_t kTotal = 20000, kGap = 200;
constexpr uint32_t kTerminalWait = 2000;
// Far above any reply frame; a line that talks past it (or past the total time) is not a drive.
constexpr size_t kMaxTerminalReply = 4096;
constexpr int kTries = 3;
constexpr size_t kMinFrame = 10;

const char kNotInitialized[] = "Datalink is not initialized for communication.";
const char kTooLong[] = "Message to be sent to Node is too long";
const char kNoResponse[] = "No response from drive";
const char kBadResponse[] = "Bad response from the drive";

[[noreturn]] void ThrowBadResponse() {
    throw ZRCommError(ZRCommError::ProtocolError, kBadResponse);
}

// The text between start and the first ':', or nothing when the colon comes first or is missing.
std::string_view Field(const std::string& frame, size_t start) {
    size_t colon = frame.find(':');
    if (colon == std::string::npos || colon <= start)
        return {};
    return std::string_view(frame).substr(start, colon - start);
}
} // namespace

CommandLink::~CommandLink() = default;

void CommandLink::Init(SerialComm* port) {
    m_port = port;
    std::memset(m_active, 0, sizeof m_active);
}

unsigned char CommandLink::CalcChecksum(const unsigned char* frame, int length) {
    unsigned sum = 0;
    for (int i = 1; i < length; ++i)
        sum += frame[i];
    return ToAsciiVal(static_cast<unsigned char>(sum));
}

unsigned char CommandLink::ToAsciiVal(unsigned char value) {
    return "0123456789ABCDEF"[value & 0x0F];
}

void CommandLink::CheckNode(short node) const {
    if (node < 1 || node > 255)
        throw ZRCommError(ZRCommError::ProtocolError,
                          platform::core::Format("%d is not a valid node number", node));
}

void CommandLink::BuildMessage(short node, std::string_view command, std::string_view data) {
    m_frameLength = 0;
    if (command.size() + data.size() > kMaxCommand)
        throw ZRCommError(ZRCommError::ProtocolError, kTooLong);
    CheckNode(node);
    unsigned char* out = m_frame;
    *out++ = STX;
    *out++ = ToAsciiVal(static_cast<unsigned char>(node >> 4));
    *out++ = ToAsciiVal(static_cast<unsigned char>(node));
    *out++ = '#';
    std::memcpy(out, command.data(), command.size());
    out += command.size();
    if (!data.empty())
        std::memcpy(out, data.data(), data.size());
    out += data.size();
    *out++ = ':';
    *out = CalcChecksum(m_frame, static_cast<int>(out - m_frame));
    ++out;
    *out++ = ETX;
    m_frameLength = static_cast<unsigned short>(out - m_frame);
}

void CommandLink::WriteMessage(bool restartTotal) {
    if (!m_port)
        throw ZRCommError(ZRCommError::NotInitialized, kNotInitialized);
    m_port->Purge(false);
    m_port->Write(m_frame, m_frameLength);
    m_reader.RestartGap();
    if (restartTotal)
        m_reader.RestartTotal();
}

uint16_t CommandLink::RunStatus() {
    for (;;) {
        uint16_t value = m_reader.Read();
        switch (value) {
        case TimedByteReader::TotalTimeout:
            return Total;
        case TimedByteReader::GapTimeout:
            return Gap;
        case ACK:
            return Ack;
        case GS:
            return Gs;
        case RS:
            return Rs;
        case US:
            return Us;
        case SI:
            if (!Zelna())
                return SiOrCan;
            break;
        case CAN:
            if (Zelna())
                return SiOrCan;
            break;
        case NAK:
            if (Zelna())
                return NakOrChecksum;
            break;
        default:
            break;
        }
        // Noise is skipped and does not restart the gap timer.
    }
}

bool CommandLink::IsFrameStatus(unsigned char c) const {
    if (c == ACK || c == US || c == GS)
        return true;
    if (Zelna())
        return c == RS || c == NAK || c == CAN;
    return c == SI;
}

uint16_t CommandLink::RunFrame() {
    m_text.clear();
    for (;;) {
        uint16_t value = m_reader.Read();
        if (value == TimedByteReader::TotalTimeout)
            return Total;
        if (value == TimedByteReader::GapTimeout)
            return Gap;
        if (value > 255)
            return value == TimedByteReader::FrameGood ? Ack : Bad;
        unsigned char c = static_cast<unsigned char>(value);
        if (m_text.empty() && IsFrameStatus(c)) {
            m_text.push_back(static_cast<char>(c));
            return Bad;
        }
        m_text.push_back(static_cast<char>(c));
        m_reader.RestartGap();
        if (c != ETX)
            continue;
        if (m_text.size() < kMinFrame)
            return Bad;
        const auto* bytes = reinterpret_cast<const unsigned char*>(m_text.data());
        int length = static_cast<int>(m_text.size());
        if (CalcChecksum(bytes, length - 2) == bytes[length - 2])
            return Ack;
        return Zelna() ? NakOrChecksum : Bad;
    }
}

bool CommandLink::NextTry(short node, int& tries) const {
    ++tries;
    return tries < (IsNodeActive(node) ? kTries : 1);
}

int CommandLink::OutOfTries(short node, Try why) {
    if (why == Try::Silence) {
        SetNodeInactive(node);
        throw ZRCommError(ZRCommError::NoResponse, kNoResponse);
    }
    return Zelna() ? 6 : 5;
}

int CommandLink::StatusTries(short node, bool totalIsSilence) {
    int tries = 0;
    for (;;) {
        Try why;
        switch (RunStatus()) {
        case Ack:
            return 0;
        case Gs:
            return 1;
        case Rs:
            return 2;
        case Us:
            return 3;
        case SiOrCan:
            if (Zelna())
                return 4;
            why = Try::RetryStatus;
            break;
        case NakOrChecksum:
            why = Try::RetryStatus;
            break;
        case Total:
            if (!totalIsSilence)
                ThrowBadResponse();
            why = Try::Silence;
            break;
        case Gap:
            why = Try::Silence;
            break;
        default:
            ThrowBadResponse();
        }
        if (!NextTry(node, tries))
            return OutOfTries(node, why);
        WriteMessage(true);
    }
}

int CommandLink::AckExchange(short node, std::string_view command) {
    m_reader.Setup(m_port, kTotal, kGap);
    BuildMessage(node, command);
    WriteMessage(true);
    return StatusTries(node, false);
}

int CommandLink::ResponseExchange(short node, std::string_view command, std::string& reply) {
    m_reader.Setup(m_port, kTotal, kGap);
    BuildMessage(node, command);
    WriteMessage(true);
    int tries = 0;
    for (;;) {
        Try why;
        uint16_t result = RunFrame();
        if (result == Ack) {
            bool polled = m_text.find("BSY") != std::string::npos || m_text.find("TOK") != std::string::npos;
            reply.assign(Field(m_text, polled ? 4 : 7));
            return 0;
        }
        if (result == Gap) {
            why = Try::Silence;
        } else if (result == NakOrChecksum) {
            why = Try::RetryStatus;
        } else if (m_text.size() == 1) {
            unsigned char c = static_cast<unsigned char>(m_text[0]);
            if (c == ACK)
                return Zelna() ? 5 : 4;
            if (c == US)
                return 3;
            if (c == GS)
                return 1;
            if (Zelna() && c == RS)
                return 2;
            if (!Zelna() || c != NAK)
                ThrowBadResponse();
            why = Try::RetryStatus;
        } else {
            ThrowBadResponse();
        }
        if (!NextTry(node, tries))
            return OutOfTries(node, why);
        WriteMessage(true);
    }
}

int CommandLink::UntilTokExchange(short node, std::string_view command, std::string_view data) {
    m_reader.Setup(m_port, kTotal, kGap);
    BuildMessage(node, command, data);
    WriteMessage(true);
    if (int error = StatusTries(node, true))
        return error;

    // The drive works on the command: ask with the command alone until it reports done.
    BuildMessage(node, command);
    WriteMessage(true);
    int tries = 0;
    for (;;) {
        Try why;
        uint16_t result = RunFrame();
        if (result == Ack) {
            std::string_view state = Field(m_text, 4);
            if (state == "BSY") {
                WriteMessage(false);
                continue;
            }
            if (state == "TOK")
                return 0;
            ThrowBadResponse();
        }
        if (result == Total)
            throw ZRCommError(ZRCommError::NoResponse, "Command Timeout");
        if (result == Gap)
            why = Try::Silence;
        else if (result == NakOrChecksum)
            why = Try::RetryStatus;
        else
            ThrowBadResponse();
        if (!NextTry(node, tries))
            return OutOfTries(node, why);
        WriteMessage(true);
    }
}

void CommandLink::RawExchange(short node, std::string_view text) {
    if (text.size() > kMaxCommand)
        throw ZRCommError(ZRCommError::ProtocolError, kTooLong);
    CheckNode(node);
    m_reader.Setup(m_port, kTotal, kGap);
    std::memcpy(m_frame, text.data(), text.size());
    m_frameLength = static_cast<unsigned short>(text.size());
    WriteMessage(true);
}

void CommandLink::RefreshNode(short node) {
    if (!m_port)
        throw ZRCommError(ZRCommError::NotInitialized, kNotInitialized);
    short stn = static_cast<short>(node & 0xFF);
    m_reader.Setup(m_port, kTotal, kGap);
    BuildMessage(stn, "LIV");
    WriteMessage(true);
    int tries = 0;
    for (;;) {
        uint16_t result = RunStatus();
        if (result == Ack) {
            SetNodeActive(stn);
            return;
        }
        if (result != Gap)
            ThrowBadResponse();
        if (!NextTry(stn, tries)) {
            SetNodeInactive(stn);
            return;
        }
        WriteMessage(true);
    }
}

void CommandLink::DumbTerminalMsg(short node, std::string_view text, std::string& reply) {
    if (!m_port)
        throw ZRCommError(ZRCommError::NotInitialized, kNotInitialized);
    std::string frame;
    frame.reserve(text.size() + 8);
    frame.push_back(static_cast<char>(STX));
    frame += platform::core::Format("%02X", node);
    frame += text;
    frame.push_back(':');
    frame.push_back(static_cast<char>(
        CalcChecksum(reinterpret_cast<const unsigned char*>(frame.data()), static_cast<int>(frame.size()))));
    frame.push_back(static_cast<char>(ETX));
    m_port->Write(reinterpret_cast<const unsigned char*>(frame.data()), frame.size());

    WireClock& clock = WireClock::Get();
    const uint32_t start = clock.Now();
    unsigned char c;
    while (!m_port->ReadByte(c)) {
        if (static_cast<int32_t>(clock.Now() - start) > static_cast<int32_t>(kTerminalWait))
            throw ZRCommError(ZRCommError::NoResponse, "Timeout");
        clock.Sleep(0);
    }
    reply.assign(1, static_cast<char>(c));
    // The reply ends when the line stays quiet for 1 ms plus the port's pause: a bare 1 ms
    // would cut replies at 9600 baud and below, where a character takes longer than that.
    // What is waiting is taken at once, so a chattering line reaches the size limit quickly.
    for (;;) {
        clock.Sleep(1);
        if (!(m_port->ReadByte(c) || m_port->ReadByte(c)))
            break;
        reply.push_back(static_cast<char>(c));
        while (reply.size() < kMaxTerminalReply && m_port->ReadByte(c))
            reply.push_back(static_cast<char>(c));
        if (reply.size() >= kMaxTerminalReply ||
            static_cast<int32_t>(clock.Now() - start) > static_cast<int32_t>(kTotal))
            ThrowBadResponse();
    }
    if (reply.size() >= 2)
        return;

    const char* text1 = nullptr;
    switch (static_cast<unsigned char>(reply[0])) {
    case ACK:
        text1 = "{ACK}";
        break;
    case US:
        text1 = "{US} Invalid Command";
        break;
    case GS:
        text1 = "{GS} Drive Enabled";
        break;
    case RS:
        text1 = Zelna() ? "{RS} Out of Range" : nullptr;
        break;
    case CAN:
        text1 = Zelna() ? "{CAN} Cancellation Command" : nullptr;
        break;
    case NAK:
        text1 = Zelna() ? "{NAK} Checksum Error" : nullptr;
        break;
    default:
        break;
    }
    if (text1) {
        reply.clear();
        throw ZRCommError(ZRCommError::ProtocolError, text1);
    }
    reply = platform::core::Format("{0x%X}", static_cast<int>(static_cast<signed char>(reply[0])));
    throw ZRCommError(ZRCommError::ProtocolError, "(response not understood)");
}
