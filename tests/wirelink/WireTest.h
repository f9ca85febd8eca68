// Helpers of the link-layer tests.
#pragma once

#include "wirelink/ZRCommError.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

// Runs f and returns the ZRCommError it raised; fails the test when it raised none.
template <class F> ZRCommError CommErrorOf(F&& f) {
    try {
        f();
    } catch (const ZRCommError& e) {
        return e;
    }
    ADD_FAILURE() << "no ZRCommError was raised";
    return ZRCommError(ZRCommError::NodeInactive, "<none>");
}

#define EXPECT_COMM_ERROR(statement, code, text)                                                             \
    do {                                                                                                     \
        ZRCommError error_ = CommErrorOf([&] { statement; });                                                \
        EXPECT_EQ(error_.GetError(), (code));                                                                \
        EXPECT_EQ(error_.GetMessage(), std::string(text));                                                   \
    } while (0)

// Waits (really) until cond holds, for at most two seconds.
inline bool WaitFor(const std::function<bool()>& cond) {
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!cond()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

// Milliseconds of the link layer's clock since `start`.
inline int32_t Elapsed(uint32_t start, uint32_t now) {
    return static_cast<int32_t>(now - start);
}
