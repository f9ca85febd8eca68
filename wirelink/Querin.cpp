#include "wirelink/Querin.h"

#include "wirelink/HalvoMaster.h"
#include "wirelink/ZRCommError.h"

#include <cstring>

namespace {
constexpr int kHeader = 8;
constexpr unsigned char kCommand = 0x0F;
constexpr unsigned char kFunction = 0x95;
constexpr int kStatusAt = 3;
constexpr int kCountAt = 6;
constexpr int kDataAt = 7;

// Raises the transaction number when the exchange ends, whichever way it ends.
struct TransactionStep {
    uint16_t& tns;
    ~TransactionStep() { ++tns; }
};
} // namespace

void Querin::CreateCommandPacket(unsigned char node, const unsigned char* data, unsigned char length,
                                 unsigned char* packet) const {
    packet[0] = node;
    packet[1] = 0;
    packet[2] = kCommand;
    packet[3] = 0;
    packet[4] = static_cast<unsigned char>(m_tns & 0xFF);
    packet[5] = static_cast<unsigned char>(m_tns >> 8);
    packet[6] = kFunction;
    packet[7] = length;
    if (length)
        std::memcpy(packet + kHeader, data, length);
}

void Querin::Encapsulate(unsigned char node, const unsigned char* data, unsigned char length,
                         unsigned char* reply, unsigned short& replyLength, unsigned short& status) {
    unsigned char packet[kHeader + 255];
    unsigned char answer[HalvoMaster::kMaxMessage];
    unsigned short answerLength = 0;
    {
        CreateCommandPacket(node, data, length, packet);
        TransactionStep step{m_tns};
        m_master->SendAMessage(node, packet, static_cast<unsigned short>(length + kHeader), answer,
                               answerLength);
    }
    // A reply too short to hold its status (and count or extended status) is malformed, not
    // a status read from whatever the buffer held before.
    if (answerLength <= kStatusAt)
        throw ZRCommError(ZRCommError::ProtocolError, "Bad response from controller");
    unsigned short sts = answer[kStatusAt];
    replyLength = 0;
    if (sts == 0) {
        if (answerLength <= kCountAt)
            throw ZRCommError(ZRCommError::ProtocolError, "Bad response from controller");
        int count = answer[kCountAt];
        int available = answerLength - kDataAt;
        if (count > available)
            count = available;
        std::memcpy(reply, answer + kDataAt, static_cast<size_t>(count));
        replyLength = static_cast<unsigned short>(count);
    } else if ((sts & 0xF0) == 0xF0) {
        if (answerLength <= kCountAt)
            throw ZRCommError(ZRCommError::ProtocolError, "Bad response from controller");
        sts = static_cast<unsigned short>(sts + 256 * answer[kCountAt]);
    }
    status = sts;
}

void Querin::Encapsulate(unsigned char node, const unsigned char* data, unsigned char length) {
    unsigned char packet[kHeader + 255];
    CreateCommandPacket(node, data, length, packet);
    TransactionStep step{m_tns};
    m_master->SendAMessage(node, packet, static_cast<unsigned short>(length + kHeader));
}
