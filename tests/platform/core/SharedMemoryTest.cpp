#include "platform/core/SharedMemory.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>
#include <unistd.h>

using platform::core::SharedMemory;

namespace {

// CTest runs cases as parallel processes: each block gets a name of its own and is removed after.
class UniqueName {
public:
    UniqueName() {
        static std::atomic<int> counter{0};
        m_name = "/qv-shm-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    }
    ~UniqueName() { SharedMemory::Remove(m_name); }
    const std::string& Get() const { return m_name; }

private:
    std::string m_name;
};

TEST(SharedMemory, TwoOpenersOfOneNameShareTheBytes) {
    UniqueName name;
    SharedMemory first, second;
    ASSERT_EQ(first.Open(name.Get(), 255), SharedMemory::Status::Open);
    ASSERT_EQ(second.Open(name.Get(), 255), SharedMemory::Status::Open);
    EXPECT_EQ(first.Size(), 255u);

    ASSERT_TRUE(first.WriteText("Signals?Motor?Velocity"));
    ASSERT_TRUE(first.WriteInt32(48, -42));
    std::string text;
    ASSERT_TRUE(second.ReadText(text));
    EXPECT_EQ(text, "Signals?Motor?Velocity");
    std::int32_t value = 0;
    std::memcpy(&value, second.Data() + 48, sizeof value);
    EXPECT_EQ(value, -42);

    first.Close();
    EXPECT_FALSE(first.IsOpen());
    EXPECT_EQ(first.Data(), nullptr);
    EXPECT_FALSE(first.ReadText(text));
    // The other side keeps its mapping, and the name outlives both until removed.
    EXPECT_TRUE(second.WriteText("still here"));
    second.Close();
    SharedMemory third;
    ASSERT_EQ(third.Open(name.Get(), 255), SharedMemory::Status::Open);
    ASSERT_TRUE(third.ReadText(text));
    EXPECT_EQ(text, "still here");
    third.Close();
    EXPECT_TRUE(SharedMemory::Remove(name.Get()));
    EXPECT_FALSE(SharedMemory::Remove(name.Get()));
}

TEST(SharedMemory, TextsStayInsideTheBlockWhateverTheOtherSideWrote) {
    UniqueName name;
    SharedMemory page;
    ASSERT_EQ(page.Open(name.Get(), 255), SharedMemory::Status::Open);

    // A writer keeps one byte for the terminator.
    ASSERT_TRUE(page.WriteText(std::string(300, 'a')));
    EXPECT_EQ(page.Data()[253], 'a');
    EXPECT_EQ(page.Data()[254], 0);
    std::string text;
    ASSERT_TRUE(page.ReadText(text));
    EXPECT_EQ(text, std::string(254, 'a'));

    // Another process may leave no terminator at all.
    std::memset(page.Data(), 'x', 255);
    ASSERT_TRUE(page.ReadText(text));
    EXPECT_EQ(text, std::string(254, 'x'));

    EXPECT_TRUE(page.WriteInt32(251, 7));
    EXPECT_FALSE(page.WriteInt32(252, 7));
    EXPECT_FALSE(page.WriteInt32(static_cast<std::size_t>(-1), 7));
}

TEST(SharedMemory, GrowsABlockThatAnotherProcessMadeTooShort) {
    UniqueName name;
    SharedMemory small, page;
    ASSERT_EQ(small.Open(name.Get(), 10), SharedMemory::Status::Open);
    ASSERT_EQ(page.Open(name.Get(), 255), SharedMemory::Status::Open);
    page.Data()[254] = 'z'; // would fault past the end of a 10-byte block
    EXPECT_EQ(page.Data()[254], 'z');
}

TEST(SharedMemory, ReportsABlockThatCannotBeMade) {
    SharedMemory page;
    EXPECT_EQ(page.Open("/no/such/dir", 255), SharedMemory::Status::CreateFailed);
    EXPECT_NE(page.LastError(), 0);
    EXPECT_FALSE(page.IsOpen());
    std::string text;
    EXPECT_FALSE(page.ReadText(text));
    EXPECT_FALSE(page.WriteText("x"));
    EXPECT_FALSE(page.WriteInt32(0, 1));
}

} // namespace
