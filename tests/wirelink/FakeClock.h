// A clock for the link layer that runs `scale` times as fast as real time and can jump ahead,
// so time-outs of seconds take milliseconds (or, below 1, short time-outs get more slack). It starts just
// before the 32-bit wrap, so every test that uses it also crosses the wrap.
#pragma once

#include "wirelink/WireClock.h"

#include <atomic>
#include <chrono>
#include <poll.h>
#include <thread>

class FakeClock : public WireClock {
public:
    explicit FakeClock(double scale = 1)
        : m_scale(scale), m_start(std::chrono::steady_clock::now()), m_previous(&WireClock::Get()) {
        WireClock::Install(this);
    }
    // Clocks nest: the one that was in force before comes back.
    ~FakeClock() override { WireClock::Install(m_previous); }

    uint32_t Now() override {
        auto real =
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - m_start);
        return m_offset + static_cast<uint32_t>(static_cast<double>(real.count()) * m_scale / 1000);
    }
    void Sleep(uint32_t ms) override {
        if (ms == 0)
            std::this_thread::yield();
        else
            std::this_thread::sleep_for(RealTime(ms));
    }
    void WaitReadable(int fd, uint32_t ms) override {
        pollfd p{fd, POLLIN, 0};
        auto us = RealTime(ms).count();
        timespec ts{static_cast<time_t>(us / 1000000), static_cast<long>(us % 1000000) * 1000};
        ::ppoll(&p, 1, &ts, nullptr);
    }

    // Moves the clock on at once (from any thread).
    void Advance(uint32_t ms) { m_offset += ms; }

private:
    std::chrono::microseconds RealTime(uint32_t ms) const {
        return std::chrono::microseconds(static_cast<long long>(ms * 1000.0 / m_scale));
    }

    const double m_scale;
    const std::chrono::steady_clock::time_point m_start;
    WireClock* const m_previous;
    std::atomic<uint32_t> m_offset{0xFFFFFFFFu - 40};
};
