// A clock for the link layer that runs `scale` times as fast as real time and can jump ahead,
// so time-outs of seconds take milliseconds (or, below 1, short time-outs get more slack). It starts just
// before the 32-bit wrap, so every test that uses it also crosses the wrap.
//
// It counts line time, not wall time: it moves only while the code under test waits on the line and
// every simulator is idle, so neither a late simulator nor a late code under test can make a drive
// look silent. Its waits last that long in its own time. Scale 0 stands still but for Advance.
#pragma once

#include "tests/support/wire/PtySimulator.h"
#include "wirelink/WireClock.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <poll.h>
#include <thread>

class FakeClock : public WireClock {
public:
    explicit FakeClock(double scale = 1)
        : m_scale(scale), m_start(wiresim::LineTimeUs()), m_previous(&WireClock::Get()) {
        WireClock::Install(this);
    }
    // Clocks nest: the one that was in force before comes back.
    ~FakeClock() override { WireClock::Install(m_previous); }

    uint32_t Now() override { return m_offset + static_cast<uint32_t>(ScaledUs() / 1000); }
    void Sleep(uint32_t ms) override {
        if (ms == 0)
            std::this_thread::yield();
        else
            Wait(-1, ms);
    }
    void WaitReadable(int fd, uint32_t ms) override { Wait(fd, ms); }

    // Moves the clock on at once (from any thread).
    void Advance(uint32_t ms) { m_offset += ms; }

private:
    // Microseconds of this clock since it started, leaving out the jumps.
    double ScaledUs() const { return static_cast<double>(wiresim::LineTimeUs() - m_start) * m_scale; }

    // Waits until ms of this clock have passed or fd has input. The wait goes in short slices, as
    // the clock may stand still or jump meanwhile.
    void Wait(int fd, uint32_t ms) {
        constexpr double kSliceUs = 2000;
        const uint32_t offset = m_offset;
        const double begin = ScaledUs();
        for (;;) {
            const double jumped = 1000.0 * static_cast<int32_t>(m_offset - offset);
            const double left = ms * 1000.0 - (ScaledUs() - begin) - jumped;
            if (left <= 0)
                return;
            const double us = m_scale > 0 ? std::min(std::ceil(left / m_scale), kSliceUs) : kSliceUs;
            timespec ts{0, static_cast<long>(us) * 1000};
            pollfd p{fd, POLLIN, 0};
            const int64_t sliceBegin = wiresim::RealUs();
            const bool input = ::ppoll(&p, 1, &ts, nullptr) > 0;
            wiresim::CountWait(sliceBegin, static_cast<int64_t>(us), input);
            if (input)
                return;
        }
    }

    const double m_scale;
    const int64_t m_start;
    WireClock* const m_previous;
    std::atomic<uint32_t> m_offset{0xFFFFFFFFu - 40};
};
