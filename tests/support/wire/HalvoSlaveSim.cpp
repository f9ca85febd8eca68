#include "tests/support/wire/HalvoSlaveSim.h"

#include <algorithm>

namespace wiresim {

namespace {
constexpr uint8_t DLE = 0x10, SOH = 0x01, STX = 0x02, ETX = 0x03, EOT = 0x04, ENQ = 0x05, ACK = 0x06,
                  NAK = 0x15;
constexpr uint8_t ABORT = 0x0F;

uint8_t Negated(unsigned sum) {
    return static_cast<uint8_t>(0x100 - (sum & 0xFF));
}
} // namespace

HalvoSlaveSim::HalvoSlaveSim(std::set<uint8_t> nodes) : m_nodes(std::move(nodes)) {}

HalvoSlaveSim::~HalvoSlaveSim() {
    Stop();
}

void HalvoSlaveSim::SetHandler(Handler handler) {
    std::lock_guard lock(m_mutex);
    m_handler = std::move(handler);
}

void HalvoSlaveSim::Misbehave(Fault fault, int times) {
    std::lock_guard lock(m_mutex);
    for (int i = 0; i < times; ++i)
        m_faults.push_back(fault);
}

void HalvoSlaveSim::Queue(uint8_t node, Bytes message) {
    std::lock_guard lock(m_mutex);
    m_queues[node].push_back(std::move(message));
}

std::vector<Bytes> HalvoSlaveSim::Messages() const {
    std::lock_guard lock(m_mutex);
    return m_messages;
}

int HalvoSlaveSim::PollCount() const {
    std::lock_guard lock(m_mutex);
    return m_polls;
}

int HalvoSlaveSim::AbortCount() const {
    std::lock_guard lock(m_mutex);
    return m_aborts;
}

int HalvoSlaveSim::AckCount() const {
    std::lock_guard lock(m_mutex);
    return m_acks;
}

Bytes HalvoSlaveSim::Frame(const Bytes& data, bool goodBcc) {
    Bytes frame{DLE, STX};
    unsigned sum = 0;
    for (uint8_t b : data) {
        frame.push_back(b);
        if (b == DLE)
            frame.push_back(DLE);
        sum += b;
    }
    frame.push_back(DLE);
    frame.push_back(ETX);
    frame.push_back(static_cast<uint8_t>(Negated(sum) + (goodBcc ? 0 : 1)));
    return frame;
}

Bytes HalvoSlaveSim::ReplyPacket(const Bytes& command, uint8_t status, const Bytes& data, uint8_t extStatus) {
    Bytes packet(7 + data.size());
    packet[1] = command.empty() ? 0 : command[0];
    packet[2] = 0x4F;
    packet[3] = status;
    packet[4] = command.size() > 4 ? command[4] : 0;
    packet[5] = command.size() > 5 ? command[5] : 0;
    packet[6] = status == 0 ? static_cast<uint8_t>(data.size()) : extStatus;
    std::copy(data.begin(), data.end(), packet.begin() + 7);
    return packet;
}

std::vector<Bytes> HalvoSlaveSim::Answer(uint8_t node, const Bytes& data) {
    Handler handler;
    {
        std::lock_guard lock(m_mutex);
        handler = m_handler;
    }
    if (handler)
        return handler(node, data);
    return {ReplyPacket(data, 0, {})};
}

bool HalvoSlaveSim::TakeFault(Event event, Fault& fault) {
    if (m_faults.empty())
        return false;
    Fault front = m_faults.front();
    bool applies = front == Fault::Silent || front == Fault::Garbage ||
                   (event == Event::Message
                        ? front == Fault::Refuse
                        : front == Fault::BadBcc || front == Fault::Overlong || front == Fault::SilentPoll);
    if (!applies)
        return false;
    m_faults.pop_front();
    fault = front;
    return true;
}

void HalvoSlaveSim::OnMessage(uint8_t node, const Bytes& data) {
    std::unique_lock lock(m_mutex);
    if (!m_nodes.count(node))
        return;
    m_messages.push_back(data);
    Fault fault;
    if (TakeFault(Event::Message, fault)) {
        lock.unlock();
        if (fault == Fault::Refuse)
            Send(Bytes{DLE, NAK}.data(), 2);
        else if (fault == Fault::Garbage)
            Send("zz");
        return;
    }
    lock.unlock();
    Send(Bytes{DLE, ACK}.data(), 2);
    std::vector<Bytes> replies = Answer(node, data);
    lock.lock();
    for (auto& reply : replies)
        m_queues[node].push_back(std::move(reply));
}

void HalvoSlaveSim::OnPoll(uint8_t node) {
    std::unique_lock lock(m_mutex);
    ++m_polls;
    if (!m_nodes.count(node))
        return;
    Fault fault;
    bool faulty = TakeFault(Event::Poll, fault);
    if (faulty && (fault == Fault::Silent || fault == Fault::SilentPoll))
        return;
    if (faulty && fault == Fault::Garbage) {
        lock.unlock();
        Send("zz");
        return;
    }
    auto& queue = m_queues[node];
    if (queue.empty()) {
        lock.unlock();
        Send(Bytes{DLE, EOT}.data(), 2);
        return;
    }
    Bytes frame;
    if (faulty && fault == Fault::Overlong) {
        frame = Frame(Bytes(300, 0x55));
    } else {
        frame = Frame(queue.front(), !(faulty && fault == Fault::BadBcc));
        m_sentTo = node;
    }
    lock.unlock();
    Send(frame.data(), frame.size());
}

void HalvoSlaveSim::OnAck() {
    std::lock_guard lock(m_mutex);
    if (m_sentTo < 0)
        return;
    ++m_acks;
    auto& queue = m_queues[static_cast<uint8_t>(m_sentTo)];
    if (!queue.empty())
        queue.pop_front();
    m_sentTo = -1;
}

void HalvoSlaveSim::OnInput(const uint8_t* bytes, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        uint8_t b = bytes[i];
        switch (m_rx) {
        case Rx::Idle:
            if (b == DLE)
                m_rx = Rx::Dle;
            break;
        case Rx::Dle:
            m_rx = Rx::Idle;
            if (b == ENQ) {
                m_rx = Rx::PollStn;
            } else if (b == SOH) {
                m_rx = Rx::MsgStn;
            } else if (b == ACK) {
                OnAck();
            } else if (b == ABORT) {
                std::lock_guard lock(m_mutex);
                ++m_aborts;
                m_sentTo = -1;
            }
            break;
        case Rx::PollStn:
            m_stn = b;
            m_rx = b == DLE ? Rx::PollStnDle : Rx::PollBcc;
            break;
        case Rx::PollStnDle:
            m_rx = b == DLE ? Rx::PollBcc : Rx::Idle;
            break;
        case Rx::PollBcc:
            m_rx = Rx::Idle;
            if (static_cast<uint8_t>(m_stn + b) == 0)
                OnPoll(m_stn);
            break;
        case Rx::MsgStn:
            m_stn = b;
            m_data.clear();
            m_rx = b == DLE ? Rx::MsgStnDle : Rx::MsgDle;
            break;
        case Rx::MsgStnDle:
            m_rx = b == DLE ? Rx::MsgDle : Rx::Idle;
            break;
        case Rx::MsgDle:
            m_rx = b == DLE ? Rx::MsgStx : Rx::Idle;
            break;
        case Rx::MsgStx:
            m_rx = b == STX ? Rx::MsgData : Rx::Idle;
            break;
        case Rx::MsgData:
            if (b == DLE)
                m_rx = Rx::MsgDataDle;
            else
                m_data.push_back(b);
            break;
        case Rx::MsgDataDle:
            if (b == DLE) {
                m_data.push_back(DLE);
                m_rx = Rx::MsgData;
            } else if (b == ETX) {
                m_rx = Rx::MsgBcc;
            } else {
                m_rx = Rx::Idle;
            }
            break;
        case Rx::MsgBcc: {
            m_rx = Rx::Idle;
            unsigned sum = m_stn + b;
            for (uint8_t d : m_data)
                sum += d;
            if ((sum & 0xFF) == 0)
                OnMessage(m_stn, m_data);
            break;
        }
        }
    }
}

} // namespace wiresim
