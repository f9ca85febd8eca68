// The shared singletons: clipboard, message box, progress model and activity count.
#include "kitbase/model/ZRClipboard.h"
#include "kitbase/model/ZREye.h"
#include "kitbase/model/ZRMsgBox.h"
#include "kitbase/model/ZRProgress.h"
#include "kitbase/model/ZRUpdate.h"

#include "support/ModalScript.h"
#include "support/model/ReasonRecorder.h"
#include "support/model/TestObjects.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

using platform::core::IDNO;
using platform::core::IDOK;
using platform::core::IDYES;

TEST(ZRClipboard, StartsEmptyAndClearDeletesTheHeldObject) {
    ZRClipboard* clipboard = ZRClipboard::Instance();
    EXPECT_EQ(clipboard, ZRClipboard::Instance());
    EXPECT_EQ(clipboard->GetType(), -1);
    EXPECT_EQ(clipboard->GetObject(), nullptr);
    EXPECT_EQ(clipboard->GetTransCount(), 0);
    clipboard->Clear();
    EXPECT_EQ(clipboard->GetType(), -1);

    auto object = std::make_unique<TestObject>();
    ReasonRecorder reasons(*object);
    clipboard->SetObject(std::move(object));
    clipboard->SetType(TestObject::kClass);
    clipboard->SetTransCount(12);
    clipboard->Clear();
    EXPECT_EQ(reasons.reasons, std::vector<int>{ZRUpdate::Destroying});
    EXPECT_EQ(clipboard->GetObject(), nullptr);
    EXPECT_EQ(clipboard->GetType(), -1);

    // Destroying the clipboard deletes what it holds.
    auto held = std::make_unique<TestObject>();
    ReasonRecorder heldReasons(*held);
    clipboard->SetObject(std::move(held));
    ZRClipboard::DestroyInstance();
    EXPECT_EQ(heldReasons.reasons, std::vector<int>{ZRUpdate::Destroying});
    EXPECT_EQ(ZRClipboard::m_pInstance, nullptr);
}

// The smallest response queue: pairs of words and a log.
class FakeQueue : public ZRMsgBox::Responses {
public:
    FakeQueue() { ZRMsgBox::SetTestResponses(this); }
    ~FakeQueue() override { ZRMsgBox::SetTestResponses(nullptr); }
    bool IsRespQueEmpty() override { return words.empty(); }
    unsigned PeekRespTypeFromQue() override { return words.front(); }
    unsigned GetResponseFromQue(unsigned& type) override {
        type = words.front();
        unsigned value = words[1];
        words.erase(words.begin(), words.begin() + 2);
        return value;
    }
    bool WriteToLog(const std::string& text) override {
        log.push_back(text);
        return true;
    }
    std::deque<unsigned> words;
    std::vector<std::string> log;
};

TEST(ZRMsgBox, ShowsTheRealBoxWhenNoTestRuns) {
    ModalScript script;
    script.ExpectMessage("Overwrite?", IDNO);
    EXPECT_EQ(ZRMsgBox().Show("Overwrite?", platform::core::MB_YESNO, 0), IDNO);
}

TEST(ZRMsgBox, AnswersFromTheQueueWhileTestsRun) {
    FakeQueue queue;
    queue.words = {0, 6, 0, 7};
    ZRMsgBox box;
    EXPECT_EQ(box.Show("First?", platform::core::MB_YESNO), IDYES);
    EXPECT_EQ(box.Show("Second?", platform::core::MB_YESNO), IDNO);
    EXPECT_TRUE(queue.log.empty());

    ModalScript script;
    script.ExpectMessage("Third?", IDOK);
    EXPECT_EQ(box.Show("Third?"), IDOK);
    EXPECT_EQ(queue.log, std::vector<std::string>{"Unexpected MsgBox: Third?"});
}

TEST(ZRMsgBox, KeepsAnAnswerOfAnotherTypeAndShowsTheBox) {
    FakeQueue queue;
    queue.words = {1, 1234};
    ModalScript script;
    script.ExpectMessage("Test Error: MsgBox response has wrong type", IDOK);
    script.ExpectMessage("Name?", IDOK);
    EXPECT_EQ(ZRMsgBox().Show("Name?"), IDOK);
    EXPECT_EQ(queue.words, (std::deque<unsigned>{1, 1234}));
}

// A user interface that records what the model asks of it.
class FakeHost : public ZRProgress::Host {
public:
    FakeHost() { ZRProgress::SetHost(this); }
    ~FakeHost() override { ZRProgress::SetHost(nullptr); }
    bool OpenMeter(ZRProgress*, const std::string& text, bool cancellable) override {
        opened.push_back(text);
        lastCancellable = cancellable;
        return true;
    }
    void PumpMessages() override {
        ++pumps;
        // The user presses Cancel and answers Yes while the transfer runs.
        if (cancelOnPump)
            ZRProgress::Instance()->SetCancelled(true);
    }
    void EnableMainWindow() override { ++enables; }
    std::vector<std::string> opened;
    bool lastCancellable = false;
    bool cancelOnPump = false;
    int pumps = 0;
    int enables = 0;
};

class ZRProgressTest : public testing::Test {
protected:
    ~ZRProgressTest() override { ZRProgress::DestroyInstance(); }
    ZRProgress* progress = ZRProgress::Instance();
};

TEST_F(ZRProgressTest, IncrementStopsAtTheMaximum) {
    progress->Show("Copying", 200, false);
    progress->Increment(198);
    EXPECT_EQ(progress->GetPercentDone(), 99);
    ReasonRecorder reasons(*progress);
    progress->Increment(5.0);
    EXPECT_EQ(progress->GetValue(), 200);
    EXPECT_EQ(progress->GetPercentDone(), 100);
    EXPECT_EQ(reasons.reasons, std::vector<int>{ZRUpdate::ValueChanged});

    progress->Show("Again", 0, false);
    progress->Increment(1);
    EXPECT_EQ(progress->GetPercentDone(), 0);
}

TEST_F(ZRProgressTest, CancelReachesTheCallerThroughTheMessagePump) {
    FakeHost host;
    progress->IsCancelled();
    EXPECT_EQ(host.pumps, 0); // no meter, nothing to pump

    progress->Show("loading x...", 100, true);
    EXPECT_EQ(host.opened, std::vector<std::string>{"loading x..."});
    EXPECT_TRUE(host.lastCancellable);
    EXPECT_FALSE(progress->IsCancelled());
    host.cancelOnPump = true;
    EXPECT_TRUE(progress->IsCancelled());
    EXPECT_EQ(host.pumps, 2);
}

TEST_F(ZRProgressTest, CleanupCompletesTheBarThenClosesTheMeter) {
    FakeHost host;
    progress->Show("Copying", 10, true);
    progress->Increment(4);
    progress->SetCancelled(true);
    ReasonRecorder reasons(*progress, false);
    { ZRCleanup guard(progress); }
    EXPECT_EQ(progress->GetPercentDone(), 100);
    EXPECT_EQ(progress->GetValue(), 10);
    ASSERT_FALSE(reasons.reasons.empty());
    EXPECT_EQ(reasons.reasons.back(), ZRUpdate::Destroying);
    EXPECT_EQ(reasons.Count(ZRUpdate::Destroying), 1);
    EXPECT_GT(reasons.Count(ZRUpdate::ValueChanged), 0);
    EXPECT_EQ(host.enables, 1);
    EXPECT_FALSE(progress->IsCancelled());
    EXPECT_FALSE(progress->IsMeterOpen());
}

TEST(ZREye, CountsTicksAndLetsItsWindowThrough) {
    struct View : ZREye::View {
        int ticks = 0;
        void OnIncrement() override { ++ticks; }
    } view;
    ZREye* eye = ZREye::Instance();
    int before = eye->GetCount();
    eye->Increment();
    eye->SetView(&view);
    eye->Increment();
    eye->SetView(nullptr);
    EXPECT_EQ(eye->GetCount(), before + 2);
    EXPECT_EQ(view.ticks, 1);
    ZREye::DestroyInstance();
    EXPECT_EQ(ZREye::m_pInstance, nullptr);
}

} // namespace
