#include "wirelink/HalvoMaster.h"

#include "wirelink/SerialComm.h"
#include "wirelink/ZRCommError.h"

#include "platform/core/Text.h"

#include <cstring>

namespace {
constexpr unsigned char DLE = 0x10, SOH = 0x01, STX = 0x02, ETX = 0x03, EOT = 0x04, ENQ = 0x05, ACK = 0x06;
constexpr unsigned char ABORT = 0x0F;
constexpr int kTries = 3;
constexpr unsigned short kMaxSent = 250;
constexpr uint32_t kExchangeTotal = 60000, kExchangeGap = 300;
constexpr uint32_t kRefreshTotal = 1000, kProbeGap = 20;

const char kNotInitialized[] = "Datalink is not initialized for communication.";
const char kTooLong[] = "Message to be sent to Node is too long";
const char kNoResponse[] = "No response from controller";
const char kBadResponse[] = "Bad response from controller";

[[noreturn]] void ThrowInvalidNode(int node) {
    throw ZRCommError(ZRCommError::ProtocolError,
                      platform::core::Format("%d is not a valid node number", node));
}
} // namespace

HalvoSymbolParser::State HalvoSymbolParser::Run(unsigned char symbol) {
    State state = Start;
    for (;;) {
        uint16_t value = m_reader.Read();
        if (value == TimedByteReader::TotalTimeout)
            return TotalTimeout;
        if (value == TimedByteReader::GapTimeout)
            return GapTimeout;
        if (state == Start && value == DLE)
            state = AfterDle;
        else if (state == AfterDle && value == symbol)
            return Received;
        else
            return Other;
    }
}

HalvoReplyParser::State HalvoReplyParser::Run() {
    enum { Begin, Dle, Message, DleInMessage, Data, DleEtx };
    int state = Begin;
    for (;;) {
        uint16_t value = m_reader.Read();
        if (value == TimedByteReader::TotalTimeout)
            return TotalTimeout;
        if (value == TimedByteReader::GapTimeout)
            return GapTimeout;
        if (value > 255)
            return Bad;
        unsigned char c = static_cast<unsigned char>(value);
        switch (state) {
        case Begin:
            if (c != DLE)
                return Bad;
            state = Dle;
            break;
        case Dle:
            if (c == EOT)
                return EndOfTransmission;
            if (c != STX)
                return Bad;
            m_count = 0;
            m_sum = 0;
            state = Message;
            break;
        case DleInMessage:
            if (c == ETX) {
                state = DleEtx;
                break;
            }
            if (c != DLE)
                return Bad;
            [[fallthrough]];
        case Message:
        case Data:
            if (state != DleInMessage && c == DLE) {
                state = DleInMessage;
                break;
            }
            if (m_count >= kMaxMessage)
                return Bad;
            m_data[m_count++] = c;
            m_sum = static_cast<unsigned char>(m_sum + c);
            state = Data;
            break;
        case DleEtx: {
            bool good = static_cast<unsigned char>(m_sum + c) == 0;
            m_reader.Unget(good ? TimedByteReader::FrameGood : TimedByteReader::FrameBad);
            value = m_reader.Read();
            return value == TimedByteReader::FrameGood ? Good : Bad;
        }
        }
    }
}

HalvoMaster::HalvoMaster() = default;

HalvoMaster::~HalvoMaster() = default;

void HalvoMaster::Init(SerialComm* port) {
    m_port = port;
    std::memset(m_active, 0, sizeof m_active);
}

void HalvoMaster::CheckPort() const {
    if (!m_port)
        throw ZRCommError(ZRCommError::NotInitialized, kNotInitialized);
}

void HalvoMaster::StuffAndBuildChecksum(unsigned short& position) {
    unsigned char c = m_frame[position++];
    m_sum = static_cast<unsigned char>(m_sum + c);
    if (c == DLE)
        m_frame[position++] = DLE;
}

void HalvoMaster::BuildMessage(unsigned char node, const unsigned char* data, unsigned short length) {
    m_sum = 0;
    if (length > kMaxMessage)
        throw ZRCommError(ZRCommError::ProtocolError, kTooLong);
    unsigned short pos = 0;
    m_frame[pos++] = DLE;
    m_frame[pos++] = SOH;
    m_frame[pos] = node;
    StuffAndBuildChecksum(pos);
    m_frame[pos++] = DLE;
    m_frame[pos++] = STX;
    for (unsigned short i = 0; i < length; ++i) {
        m_frame[pos] = data[i];
        StuffAndBuildChecksum(pos);
    }
    m_frame[pos++] = DLE;
    m_frame[pos++] = ETX;
    m_frame[pos++] = static_cast<unsigned char>(0 - m_sum);
    m_frameLength = pos;
}

void HalvoMaster::Poll(unsigned char node) {
    unsigned char frame[5];
    int n = 0;
    frame[n++] = DLE;
    frame[n++] = ENQ;
    frame[n++] = node;
    if (node == DLE)
        frame[n++] = DLE;
    frame[n++] = static_cast<unsigned char>(0 - node);
    m_port->Purge(false);
    m_port->Write(frame, static_cast<unsigned long>(n));
    m_reader.RestartGap();
}

void HalvoMaster::SendHalvoMessage() {
    m_port->Purge(false);
    m_port->Write(m_frame, m_frameLength);
    m_reader.RestartGap();
}

void HalvoMaster::SendResponse(unsigned char symbol) {
    const unsigned char frame[2] = {DLE, symbol};
    m_port->Write(frame, sizeof frame);
}

void HalvoMaster::CountTimeout(unsigned char node, bool total, int& tries) {
    if (total) {
        SetNodeInactive(node);
        throw ZRCommError(ZRCommError::NoResponse, kBadResponse);
    }
    if (++tries >= kTries) {
        SetNodeInactive(node);
        throw ZRCommError(ZRCommError::NoResponse, kNoResponse);
    }
}

void HalvoMaster::SendAndGetAck(unsigned char node) {
    SendHalvoMessage();
    m_reader.RestartTotal();
    int tries = 0;
    for (;;) {
        HalvoSymbolParser::State state = m_symbols.Run(ACK);
        switch (state) {
        case HalvoSymbolParser::Received:
            return;
        case HalvoSymbolParser::TotalTimeout:
        case HalvoSymbolParser::GapTimeout:
            CountTimeout(node, state == HalvoSymbolParser::TotalTimeout, tries);
            break;
        default:
            // A refusal: send again until the total time-out.
            break;
        }
        SendHalvoMessage();
    }
}

void HalvoMaster::GetResponse(unsigned char node, unsigned char* reply, unsigned short& replyLength) {
    m_messageReceived = false;
    m_reader.RestartTotal();
    Poll(node);
    int tries = 0;
    for (;;) {
        HalvoReplyParser::State state = m_replies.Run();
        switch (state) {
        case HalvoReplyParser::Good:
            SendResponse(ACK);
            // Only the first message counts; later ones are acknowledged and dropped.
            if (!m_messageReceived) {
                ParseResponse(m_replies.Data(), m_replies.Count(), reply, replyLength);
                m_messageReceived = true;
            }
            break;
        case HalvoReplyParser::TotalTimeout:
        case HalvoReplyParser::GapTimeout:
            CountTimeout(node, state == HalvoReplyParser::TotalTimeout, tries);
            break;
        case HalvoReplyParser::EndOfTransmission:
            if (m_messageReceived)
                return;
            break;
        default:
            break;
        }
        Poll(node);
    }
}

void HalvoMaster::ParseResponse(const unsigned char* bytes, int count, unsigned char* reply,
                                unsigned short& replyLength) {
    std::memcpy(reply, bytes, static_cast<size_t>(count));
    replyLength = static_cast<unsigned short>(count);
}

void HalvoMaster::SendAMessage(unsigned char node, const unsigned char* data, unsigned short length) {
    if (node == 255)
        ThrowInvalidNode(node);
    if (length > kMaxSent)
        throw ZRCommError(ZRCommError::ProtocolError, kTooLong);
    CheckPort();
    if (!IsNodeActive(node))
        throw ZRCommError(ZRCommError::NodeInactive, platform::core::Format("Node %d is not Active", node));
    m_reader.Setup(m_port, kExchangeTotal, kExchangeGap);
    BuildMessage(node, data, length);
    SendAndGetAck(node);
}

void HalvoMaster::SendAMessage(unsigned char node, const unsigned char* data, unsigned short length,
                               unsigned char* reply, unsigned short& replyLength) {
    try {
        SendAMessage(node, data, length);
        GetResponse(node, reply, replyLength);
    } catch (const ZRCommError&) {
        if (m_port) {
            // The error that ended the exchange is the one to report, not a failed clean-up.
            try {
                SendResponse(ABORT);
            } catch (const ZRCommError&) {
            }
        }
        throw;
    }
}

void HalvoMaster::Probe(unsigned char node) {
    m_pollNode = node;
    m_pollRetries = 0;
    SendResponse(ABORT);
    Poll(node);
    m_reader.RestartTotal();
    for (;;) {
        switch (m_symbols.Run(EOT)) {
        case HalvoSymbolParser::Received:
            SetNodeActive(node);
            return;
        case HalvoSymbolParser::TotalTimeout:
            SetNodeInactive(node);
            return;
        case HalvoSymbolParser::GapTimeout:
            ++m_pollRetries;
            if (!IsNodeActive(node))
                return;
            if (m_pollRetries >= kTries) {
                SetNodeInactive(node);
                return;
            }
            break;
        default:
            break;
        }
        Poll(node);
    }
}

void HalvoMaster::RefreshNode(short node) {
    unsigned char stn = static_cast<unsigned char>(node & 0xFF);
    if (stn == 255)
        ThrowInvalidNode(stn);
    CheckPort();
    m_reader.Setup(m_port, kRefreshTotal, kProbeGap);
    Probe(stn);
}

void HalvoMaster::PollAll() {
    CheckPort();
    m_reader.Setup(m_port, kExchangeTotal, kProbeGap);
    for (int node = 1; node <= 254; ++node)
        Probe(static_cast<unsigned char>(node));
}
