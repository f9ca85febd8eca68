// Byte source of the reply parsers: a total and an inter-byte time-out over the port, and one
// pushed-back value through which a parser ends its own read loop.
#pragma once

#include <cstdint>

class SerialComm;

class TimedByteReader {
public:
    // Results above the byte range.
    enum : uint16_t {
        TotalTimeout = 256,
        GapTimeout = 257,
        FrameGood = 258,
        FrameBad = 259,
    };

    TimedByteReader() = default;

    // The pending value survives a new set-up on purpose: only construction clears it.
    void Setup(SerialComm* port, uint32_t total, uint32_t gap);
    uint16_t Read();
    void Unget(uint16_t value) {
        m_pending = true;
        m_pendingValue = value;
    }
    void RestartTotal();
    void RestartGap();

private:
    SerialComm* m_port = nullptr;
    uint32_t m_total = 0;
    uint32_t m_gap = 0;
    uint32_t m_start = 0;
    uint32_t m_lastByte = 0;
    unsigned char m_byte = 0;
    bool m_lastRead = false;
    bool m_pending = false;
    uint16_t m_pendingValue = 0;
};
