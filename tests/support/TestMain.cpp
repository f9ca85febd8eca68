// Test main: a modal that no test scripted fails the test that raised it, even where the
// code under test swallowed the exception.
#include "platform/core/Modal.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>

namespace {
class UnexpectedModalListener : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo&) override { m_before = platform::core::UnexpectedModal::Count(); }
    void OnTestEnd(const testing::TestInfo& info) override {
        if (platform::core::UnexpectedModal::Count() != m_before) {
            std::fprintf(stderr, "%s.%s raised an unexpected modal\n", info.test_suite_name(), info.name());
            m_failed = true;
        }
    }
    bool Failed() const { return m_failed; }

private:
    int m_before = 0;
    bool m_failed = false;
};
} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_NUMERIC, "C");
    testing::InitGoogleTest(&argc, argv);
    auto* listener = new UnexpectedModalListener;
    testing::UnitTest::GetInstance()->listeners().Append(listener);
    int rc = RUN_ALL_TESTS();
    return rc != 0 || listener->Failed() ? 1 : 0;
}
