// Time per exchange with a simulated drive over a pseudo-terminal, next to the time the same bytes
// take on a real line at 38400 baud, 10 bits a character.
#pragma once

#include "tests/support/wire/PtySimulator.h"

#include <benchmark/benchmark.h>

#include <chrono>

constexpr double kBaud = 38400;

inline size_t LineBytes(const wiresim::PtySimulator& sim) {
    return sim.Received().size() + sim.BytesSent();
}

// Runs the exchange for the benchmark's iterations and sets the counters: exchanges per second,
// bytes on the line and their wire time per exchange, and the time per exchange over that wire
// time.
template <class F> void Measure(benchmark::State& state, const wiresim::PtySimulator& sim, F exchange) {
    exchange(); // the first one finds the node and warms up
    const size_t before = LineBytes(sim);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        exchange();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double exchanges = static_cast<double>(state.iterations());
    const double bytes = static_cast<double>(LineBytes(sim) - before) / exchanges;
    const double wireSeconds = bytes * 10 / kBaud;
    state.counters["exchanges"] = benchmark::Counter(exchanges, benchmark::Counter::kIsRate);
    state.counters["bytes"] = bytes;
    state.counters["wire_us"] = wireSeconds * 1e6;
    state.counters["overhead"] = seconds / exchanges / wireSeconds;
}
