#include "wirelink/WireClock.h"

#include "platform/core/Clock.h"

#include <poll.h>

namespace {
class SystemWireClock final : public WireClock {
public:
    uint32_t Now() override { return platform::core::TickCount(); }
    void Sleep(uint32_t ms) override { platform::core::Sleep(ms); }
    void WaitReadable(int fd, uint32_t ms) override {
        pollfd p{fd, POLLIN, 0};
        // Interruptions and errors just end the wait early; the next read reports real faults.
        ::poll(&p, 1, static_cast<int>(ms));
    }
};

SystemWireClock g_system;
} // namespace

WireClock* WireClock::s_current = &g_system;

void WireClock::Install(WireClock* clock) {
    s_current = clock ? clock : &g_system;
}
