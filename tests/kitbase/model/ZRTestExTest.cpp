// The self-test registry: selection, runs and their log lines, suites and their fail counts,
// and the queue of scripted answers.
#include "kitbase/model/ZRTestEx.h"
#include "kitbase/model/ZRBaseTest.h"
#include "kitbase/model/ZRMsgBox.h"
#include "kitbase/model/ZRTestSuite.h"
#include "platform/core/Directories.h"

#include "support/ModalScript.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <sstream>

namespace fs = std::filesystem;
using platform::core::IDNO;
using platform::core::IDOK;
using platform::core::IDYES;
using testing::ElementsAre;
using testing::StartsWith;

namespace {

struct Outcome {
    bool init = true;
    bool run = true;
    bool cleanup = true;
};

// A test whose steps answer as told and record that they ran.
class ScriptedTest : public ZRBaseTest {
public:
    ScriptedTest(const std::string& name, std::vector<std::string>& calls, Outcome outcome = {},
                 std::function<bool()> body = {})
        : ZRBaseTest(name), m_calls(calls), m_outcome(outcome), m_body(std::move(body)) {}
    ~ScriptedTest() override { ++s_deleted; }

    bool Init(std::ostream&) override { return Step("Init", m_outcome.init); }
    bool Run(std::ostream&) override { return Step("Run", m_body ? m_body() : m_outcome.run); }
    bool Cleanup(std::ostream&) override { return Step("Cleanup", m_outcome.cleanup); }

    static inline int s_deleted = 0;

private:
    bool Step(const char* step, bool answer) {
        m_calls.push_back(GetName() + "." + step);
        return answer;
    }
    std::vector<std::string>& m_calls;
    Outcome m_outcome;
    std::function<bool()> m_body;
};

// Each test gets its own user data and install directories and keeps the current directory.
class ZRTestExTest : public testing::Test {
protected:
    void SetUp() override {
        m_cwd = fs::current_path();
        m_dataHome.emplace("XDG_DATA_HOME", m_temp.File("data"));
        ZRTestEx::SetInstallPath(m_temp.File("install"));
    }
    void TearDown() override {
        ZRTestEx::DestroyInstance();
        fs::current_path(m_cwd);
        m_dataHome.reset();
        ZRTestEx::SetInstallPath({});
    }

    std::string LogPath() const {
        return platform::core::JoinPath(platform::core::UserDataDir(), "Test.log");
    }
    std::vector<std::string> LogLines() const {
        std::ifstream in(LogPath());
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    TempDir m_temp;
    std::vector<std::string> m_calls;

private:
    fs::path m_cwd;
    std::optional<ScopedEnv> m_dataHome;
};

TEST_F(ZRTestExTest, SelectsTheFirstTestOfExactlyTheName) {
    ZRTestEx* registry = ZRTestEx::Instance();
    registry->AddTest(new ScriptedTest("Tarvik Verify Defaults", m_calls));
    registry->AddTest(new ScriptedTest("Fenwa Verify Copy Paste ", m_calls));
    registry->AddTest(new ScriptedTest("Fenwa Verify Copy Paste ", m_calls, {.run = false}));
    EXPECT_EQ(registry->GetTests().size(), 3u);

    EXPECT_FALSE(registry->SetSelection("tarvik verify defaults"));
    EXPECT_FALSE(registry->RunSelection()) << "nothing is selected yet";
    EXPECT_TRUE(m_calls.empty());

    EXPECT_TRUE(registry->SetSelection("Fenwa Verify Copy Paste "));
    EXPECT_FALSE(registry->SetSelection("Fenwa Verify Copy Paste")); // keeps the selection
    ModalScript script;
    script.ExpectMessage("Test(s) completed successfuly.", IDOK);
    EXPECT_TRUE(registry->RunSelection()) << "the first of two namesakes runs, and it passes";
}

TEST_F(ZRTestExTest, RunPassesOnlyWhenInitRunAndCleanupAllPass) {
    struct Case {
        Outcome outcome;
        std::vector<std::string> calls;
        bool passes;
    };
    const Case cases[] = {
        {{}, {"T.Init", "T.Run", "T.Cleanup"}, true},
        {{.cleanup = false}, {"T.Init", "T.Run", "T.Cleanup"}, false},
        {{.init = false}, {"T.Init", "T.Cleanup"}, false},
        {{.run = false}, {"T.Init", "T.Run", "T.Cleanup"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        m_calls.clear();
        fs::remove(LogPath());
        ZRTestEx* registry = ZRTestEx::Instance();
        registry->AddTest(new ScriptedTest("T", m_calls, c.outcome));
        ASSERT_TRUE(registry->SetSelection("T"));
        {
            ModalScript script;
            script.ExpectMessage(c.passes ? "Test(s) completed successfuly."
                                          : "Test failed. See Test.log for more details.",
                                 IDOK);
            EXPECT_EQ(registry->RunSelection(), c.passes);
        }
        EXPECT_EQ(m_calls, c.calls);
        // The start time, the start line, the end line with its time, a blank line.
        std::vector<std::string> lines = LogLines();
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_FALSE(lines[0].empty());
        EXPECT_EQ(lines[1], "Starting T");
        std::string end = c.passes ? "Successful Completion T " : "Failed T ";
        EXPECT_THAT(lines[2], StartsWith(end));
        EXPECT_GT(lines[2].size(), end.size());
        EXPECT_EQ(lines[3], "");
        ZRTestEx::DestroyInstance();
    }
}

TEST_F(ZRTestExTest, SuiteCountsFailedMembersAndCleansWorkBeforeEach) {
    ZRTestEx* registry = ZRTestEx::Instance();
    auto* suite = new ZRTestSuite("Tarvik Test Suite");
    auto* first = new ScriptedTest("A", m_calls, {}, [] {
        std::ofstream("left.txt") << "written in Work";
        return fs::exists("left.txt");
    });
    auto* second = new ScriptedTest("B", m_calls, {.init = false});
    // Not registered: the registry does not delete it.
    auto third =
        std::make_unique<ScriptedTest>("C", m_calls, Outcome{}, [] { return !fs::exists("left.txt"); });
    registry->AddTest(suite);
    registry->AddTest(first);
    registry->AddTest(second);
    suite->AddScript(first);
    suite->AddScript(second);
    suite->AddScript(third.get());

    ASSERT_TRUE(registry->SetSelection("Tarvik Test Suite"));
    const char* box =
        "Suite completed with errors. Number of failed tests is: 1.\n See Test.log for more details.";
    {
        ModalScript script;
        script.ExpectMessage(box, IDOK);
        EXPECT_FALSE(registry->RunSelection());
    }
    EXPECT_EQ(suite->GetFailCount(), 1);
    EXPECT_EQ(m_calls, (std::vector<std::string>{"A.Init", "A.Run", "A.Cleanup", "B.Init", "B.Cleanup",
                                                 "C.Init", "C.Run", "C.Cleanup"}));
    std::vector<std::string> lines = LogLines();
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end() - 2),
              (std::vector<std::string>{"Starting Tarvik Test Suite", "Starting A", "Successful Completion A",
                                        "", "Starting B", "***Failed B", "", "Starting C",
                                        "Successful Completion C", ""}));
    EXPECT_THAT(lines[11], StartsWith("Failed Tarvik Test Suite "));

    // A second run reports its own failures only.
    {
        ModalScript script;
        script.ExpectMessage(box, IDOK);
        EXPECT_FALSE(registry->RunSelection());
    }
    EXPECT_EQ(suite->GetFailCount(), 1);

    ScriptedTest::s_deleted = 0;
    ZRTestEx::DestroyInstance();
    EXPECT_EQ(ScriptedTest::s_deleted, 2);
}

TEST_F(ZRTestExTest, SuiteWithoutMembersPasses) {
    ZRTestEx* registry = ZRTestEx::Instance();
    registry->AddTest(new ZRTestSuite("Empty"));
    ASSERT_TRUE(registry->SetSelection("Empty"));
    ModalScript script;
    script.ExpectMessage("Test(s) completed successfuly.", IDOK);
    EXPECT_TRUE(registry->RunSelection());
}

TEST_F(ZRTestExTest, RunsNothingWhenTheWorkDirectoryCannotBeMade) {
    std::ofstream(platform::core::JoinPath(platform::core::UserDataDir(), "Work")) << "a file in the way";
    ZRTestEx* registry = ZRTestEx::Instance();
    registry->AddTest(new ScriptedTest("T", m_calls));
    ASSERT_TRUE(registry->SetSelection("T"));
    EXPECT_FALSE(registry->RunSelection());
    EXPECT_TRUE(m_calls.empty());
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(ZRTestExTest, QueueHandsOutPairsInOrderAndTextsByValue) {
    ZRTestEx* registry = ZRTestEx::Instance();
    EXPECT_TRUE(registry->IsRespQueEmpty());
    EXPECT_EQ(registry->PeekRespTypeFromQue(), ZRTestEx::NoResponse);

    registry->AddResponseToQue(0, 6);
    EXPECT_EQ(registry->PeekRespTypeFromQue(), 0u);
    unsigned type = 99;
    EXPECT_EQ(registry->GetResponseFromQue(type), 6u);
    EXPECT_EQ(type, 0u);
    EXPECT_TRUE(registry->IsRespQueEmpty());
    EXPECT_EQ(registry->GetResponseFromQue(type), 0u);
    EXPECT_EQ(type, ZRTestEx::NoResponse);

    {
        std::string name = "Fenwa.uxf";
        registry->AddResponseToQue(name);
        name = "changed after queueing";
    }
    registry->AddResponseToQue(ZRTestEx::NumberResponse, 4);
    std::string text;
    EXPECT_EQ(registry->PeekRespTypeFromQue(), ZRTestEx::TextResponse);
    EXPECT_TRUE(registry->GetTextResponseFromQue(text));
    EXPECT_EQ(text, "Fenwa.uxf");
    EXPECT_FALSE(registry->GetTextResponseFromQue(text)) << "a number is at the head";
    EXPECT_EQ(registry->PeekRespTypeFromQue(), ZRTestEx::NumberResponse);

    registry->AddResponseToQue(0, 7);
    registry->EmptyRespQue();
    EXPECT_TRUE(registry->IsRespQueEmpty());
}

TEST_F(ZRTestExTest, MessageBoxesAnswerFromTheQueueWhileTheRegistryExists) {
    EXPECT_FALSE(ZRTestEx::s_bRunningTests);
    ZRTestEx* registry = ZRTestEx::Instance();
    EXPECT_TRUE(ZRTestEx::s_bRunningTests);
    registry->AddResponseToQue(0, IDYES);
    EXPECT_EQ(ZRMsgBox().Show("Save changes to Test.qdb?", platform::core::MB_YESNO), IDYES);
    {
        ModalScript script;
        script.ExpectMessage("Paste here?", IDNO);
        EXPECT_EQ(ZRMsgBox().Show("Paste here?", platform::core::MB_YESNO), IDNO);
    }
    ZRTestEx::DestroyInstance();
    EXPECT_FALSE(ZRTestEx::s_bRunningTests);
    EXPECT_EQ(ZRMsgBox::GetTestResponses(), nullptr);

    // The log is appended to by every registry.
    ZRTestEx::Instance()->WriteToLog("second run");
    ZRTestEx::DestroyInstance();
    EXPECT_THAT(LogLines(), ElementsAre("Unexpected MsgBox: Paste here?", "second run"));
}

} // namespace
