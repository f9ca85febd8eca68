// Time source and waits of the link layer. Tests install a faster clock so that the protocols'
// fixed time-outs (up to a minute) can be exercised in milliseconds.
#pragma once

#include <cstdint>

class WireClock {
public:
    virtual ~WireClock() = default;

    // Milliseconds; wraps at 32 bits, so callers compare signed differences.
    virtual uint32_t Now() = 0;
    // Sleep(0) only yields.
    virtual void Sleep(uint32_t ms) = 0;
    // Waits up to ms for input on fd and returns early when some arrives.
    virtual void WaitReadable(int fd, uint32_t ms) = 0;

    // The installed clock, or the system's.
    static WireClock& Get() { return *s_current; }
    // nullptr puts the system's clock back.
    static void Install(WireClock* clock);

private:
    static WireClock* s_current;
};
