// Gives the process a harness page of its own for one test, and puts the previous one back.
#pragma once

#include "kitbase/model/ZRTest.h"
#include "platform/core/SharedMemory.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

class ScopedPage {
public:
    explicit ScopedPage(const std::string& name) : m_name(name), m_pSaved(ZRTest::_instance) {
        ZRTest::_instance = new ZRTest(name);
    }
    ~ScopedPage() {
        delete ZRTest::_instance;
        ZRTest::_instance = m_pSaved;
        platform::core::SharedMemory::Remove(m_name);
    }
    ScopedPage(const ScopedPage&) = delete;
    ScopedPage& operator=(const ScopedPage&) = delete;

    ZRTest& Page() { return *ZRTest::_instance; }
    int32_t IntAt(size_t offset) {
        int32_t value = 0;
        std::memcpy(&value, Page().GetBaseFileAddress() + offset, sizeof value);
        return value;
    }
    // The rectangle a query wrote: left, right, top, bottom at bytes 0, 16, 32 and 48.
    std::array<int32_t, 4> Rect() {
        std::array<int32_t, 4> r{};
        for (size_t i = 0; i < r.size(); ++i)
            r[i] = IntAt(16 * i);
        return r;
    }

private:
    std::string m_name;
    ZRTest* m_pSaved;
};
