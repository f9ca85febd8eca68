// The page shared with an outside test driver.
#include "kitbase/model/ZRTest.h"
#include "platform/core/SharedMemory.h"

#include "support/ModalScript.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <unistd.h>

namespace {

// Parallel test processes must not share a page.
class UniquePageName {
public:
    UniquePageName() {
        static std::atomic<int> counter{0};
        m_name = "/qv-page-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    }
    ~UniquePageName() { platform::core::SharedMemory::Remove(m_name); }
    const std::string& Get() const { return m_name; }

private:
    std::string m_name;
};

std::int32_t IntAt(const ZRTest& page, std::size_t offset) {
    std::int32_t value = 0;
    std::memcpy(&value, page.GetBaseFileAddress() + offset, sizeof value);
    return value;
}

TEST(ZRTest, ViewsAndTheDriverShareTextsAndRectangles) {
    UniquePageName name;
    ZRTest view(name.Get()), driver(name.Get());
    ASSERT_TRUE(view.HasPage());

    ASSERT_TRUE(driver.WriteText("On-Line Drives?Drive 1"));
    std::string path;
    ASSERT_TRUE(view.ReadText(path));
    EXPECT_EQ(path, "On-Line Drives?Drive 1");

    ASSERT_TRUE(view.WriteRect(10, 110, -5, 25));
    EXPECT_EQ(IntAt(driver, 0), 10);
    EXPECT_EQ(IntAt(driver, 16), 110);
    EXPECT_EQ(IntAt(driver, 32), -5);
    EXPECT_EQ(IntAt(driver, 48), 25);

    // A cell text longer than the page keeps its terminator inside it.
    ASSERT_TRUE(view.WriteText(std::string(400, 'c')));
    ASSERT_TRUE(driver.ReadText(path));
    EXPECT_EQ(path.size(), ZRTest::kPageSize - 1);
}

TEST(ZRTest, WithoutAPageNothingIsReadOrWritten) {
    ModalScript script;
    script.ExpectMessage("Memory Mapped File could not be created.", platform::core::IDOK);
    ZRTest page("/no/such/page");
    EXPECT_EQ(page.GetBaseFileAddress(), nullptr);
    EXPECT_FALSE(page.HasPage());
    std::string text;
    EXPECT_FALSE(page.ReadText(text));
    EXPECT_FALSE(page.WriteText("x"));
    EXPECT_FALSE(page.WriteRect(1, 2, 3, 4));
}

TEST(ZRTest, InstanceUsesThePageNameGivenBeforeItIsMade) {
    UniquePageName name;
    delete ZRTest::_instance;
    ZRTest::_instance = nullptr;
    ZRTest::SetPageName(name.Get());

    ZRTest* page = ZRTest::Instance();
    EXPECT_EQ(ZRTest::Instance(), page);
    ASSERT_TRUE(page->WriteText("Signals?Motor?Velocity"));
    std::string text;
    ASSERT_TRUE(ZRTest(name.Get()).ReadText(text));
    EXPECT_EQ(text, "Signals?Motor?Velocity");

    delete ZRTest::_instance;
    ZRTest::_instance = nullptr;
    ZRTest::SetPageName(ZRTest::kPageName);
}

} // namespace
