#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform::core {
class SharedMemory;
}

// The 255-byte page shared with a test driver outside the process, through which views hand
// over grid texts, tree paths and rectangles. When the page could not be made there is none:
// GetBaseFileAddress is null, the accessors answer false, and views ignore harness queries.
class ZRTest {
public:
    static constexpr std::size_t kPageSize = 255;
    static constexpr const char* kPageName = "/SharedMem";

    // The page of this process, made on first use; it lives to the end of the process.
    static ZRTest* Instance();
    // Tests give their process a page of its own before the first Instance().
    static void SetPageName(const std::string& name);

    explicit ZRTest(const std::string& name = kPageName);
    ~ZRTest();
    ZRTest(const ZRTest&) = delete;
    ZRTest& operator=(const ZRTest&) = delete;

    unsigned char* GetBaseFileAddress() const;
    bool HasPage() const { return GetBaseFileAddress() != nullptr; }

    // The text at the start of the page, at most 254 bytes, whatever the driver left there.
    bool ReadText(std::string& text) const;
    // At most 254 bytes of the text and a terminator.
    bool WriteText(const std::string& text);
    // A 32-bit integer at a byte offset of the page.
    bool WriteInt32(std::size_t offset, std::int32_t value);
    // Left at byte 0, right at 16, top at 32, bottom at 48.
    bool WriteRect(std::int32_t left, std::int32_t right, std::int32_t top, std::int32_t bottom);

    static ZRTest* _instance;

private:
    std::unique_ptr<platform::core::SharedMemory> m_pPage;
};
