#include "wirelink/TimedByteReader.h"

#include "wirelink/SerialComm.h"
#include "wirelink/WireClock.h"

namespace {
// Signed differences keep the arithmetic right across the tick counter's wrap.
bool Exceeds(uint32_t now, uint32_t since, uint32_t limit) {
    return static_cast<int64_t>(static_cast<int32_t>(now - since)) > static_cast<int64_t>(limit);
}
} // namespace

void TimedByteReader::Setup(SerialComm* port, uint32_t total, uint32_t gap) {
    m_port = port;
    m_total = total;
    m_gap = gap;
}

void TimedByteReader::RestartTotal() {
    m_start = WireClock::Get().Now();
}

void TimedByteReader::RestartGap() {
    m_lastByte = WireClock::Get().Now();
}

uint16_t TimedByteReader::Read() {
    if (m_pending) {
        m_pending = false;
        return m_pendingValue;
    }
    WireClock& clock = WireClock::Get();
    if (Exceeds(clock.Now(), m_start, m_total))
        return TotalTimeout;
    m_lastRead = m_port->ReadByte(m_byte);
    if (m_lastRead)
        return m_byte;
    for (;;) {
        uint32_t now = clock.Now();
        if (Exceeds(now, m_start, m_total))
            return TotalTimeout;
        if (Exceeds(now, m_lastByte, m_gap))
            return GapTimeout;
        clock.Sleep(0);
        m_lastRead = m_port->ReadByte(m_byte);
        if (m_lastRead)
            return m_byte;
    }
}
