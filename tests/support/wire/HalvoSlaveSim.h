// A Merrix-type slave on the half-duplex link: acknowledges the master's messages with DLE ACK,
// answers polls with its queued messages (DLE STX data DLE ETX BCC, DLE doubled) or DLE EOT.
#pragma once

#include "tests/support/wire/PtySimulator.h"

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <vector>

namespace wiresim {

using Bytes = std::vector<uint8_t>;

class HalvoSlaveSim : public PtySimulator {
public:
    enum class Fault {
        Silent,     // ignores the next frame addressed to it (message or poll)
        SilentPoll, // ignores the next poll
        Refuse,     // answers the next message with DLE NAK instead of DLE ACK
        Garbage,    // answers the next frame with bytes that are no symbol
        BadBcc,     // sends its next message with a wrong block check
        Overlong,   // sends 300 data bytes before its next message
    };
    // The messages a node queues in answer to a master message.
    using Handler = std::function<std::vector<Bytes>(uint8_t node, const Bytes& data)>;

    explicit HalvoSlaveSim(std::set<uint8_t> nodes = {1});
    ~HalvoSlaveSim() override;

    void SetHandler(Handler handler);
    void Misbehave(Fault fault, int times = 1);
    // Queues a message as if the node had something to say.
    void Queue(uint8_t node, Bytes message);

    // The master's messages to this slave's nodes, unstuffed, in order.
    std::vector<Bytes> Messages() const;
    // Polls and aborts (DLE 0x0F) seen, for any node.
    int PollCount() const;
    int AbortCount() const;
    // Acknowledgements the master sent for this slave's messages.
    int AckCount() const;

    // The bytes of a message frame as a slave sends it.
    static Bytes Frame(const Bytes& data, bool goodBcc = true);
    // A reply packet: STS at byte 3, the data count (or the extended status) at byte 6.
    static Bytes ReplyPacket(const Bytes& command, uint8_t status, const Bytes& data, uint8_t extStatus = 0);

protected:
    // The drive's side of one master message: the hook for drive-family simulators.
    virtual std::vector<Bytes> Answer(uint8_t node, const Bytes& data);
    void OnInput(const uint8_t* data, size_t length) override;

private:
    enum class Event { Message, Poll };
    bool TakeFault(Event event, Fault& fault);
    void OnMessage(uint8_t node, const Bytes& data);
    void OnPoll(uint8_t node);
    void OnAck();

    std::set<uint8_t> m_nodes;
    Handler m_handler;
    std::deque<Fault> m_faults;
    std::map<uint8_t, std::deque<Bytes>> m_queues;
    std::vector<Bytes> m_messages;
    int m_polls = 0;
    int m_aborts = 0;
    int m_acks = 0;
    int m_sentTo = -1; // node whose message waits for the master's ACK

    // Receiver of the master's frames.
    enum class Rx {
        Idle,
        Dle,
        PollStn,
        PollStnDle,
        PollBcc,
        MsgStn,
        MsgStnDle,
        MsgDle,
        MsgStx,
        MsgData,
        MsgDataDle,
        MsgBcc
    };
    Rx m_rx = Rx::Idle;
    uint8_t m_stn = 0;
    Bytes m_data;
};

} // namespace wiresim
