#include "support/ui/UiTestApp.h"

#include "platform/ui/Application.h"
#include "platform/ui/Events.h"
#include "platform/ui/Guard.h"
#include "platform/ui/IdlePacer.h"

#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using namespace platform::ui;

namespace {

TEST(IdlePacer, RoundsFollowActivityAndArePacedWhileMoreIsWanted) {
    IdlePacer pacer(7);
    EXPECT_EQ(pacer.OnQueueEmpty(), 0);  // first empty queue: at once
    EXPECT_EQ(pacer.OnQueueEmpty(), -1); // already scheduled
    ASSERT_TRUE(pacer.BeginRound(true));
    EXPECT_EQ(pacer.Count(), 0);
    pacer.EndRound(true);
    EXPECT_EQ(pacer.OnQueueEmpty(), 7);    // more wanted: after the pace
    EXPECT_FALSE(pacer.BeginRound(false)); // inside a modal: skipped, still due
    EXPECT_EQ(pacer.OnQueueEmpty(), 7);
    ASSERT_TRUE(pacer.BeginRound(true));
    EXPECT_EQ(pacer.Count(), 1);
    pacer.EndRound(false);
    EXPECT_EQ(pacer.OnQueueEmpty(), -1); // satisfied: nothing until activity
    pacer.NoteActivity();
    EXPECT_EQ(pacer.OnQueueEmpty(), 0);
    ASSERT_TRUE(pacer.BeginRound(true));
    EXPECT_EQ(pacer.Count(), 0);
}

TEST(IdlePacer, ActivityRestartsTheCount) {
    IdlePacer pacer(5);
    pacer.OnQueueEmpty();
    pacer.BeginRound(true);
    pacer.EndRound(true);
    pacer.OnQueueEmpty();
    pacer.BeginRound(true);
    pacer.EndRound(true);
    EXPECT_EQ(pacer.Count(), 2);
    pacer.NoteActivity();
    EXPECT_EQ(pacer.Count(), 0);
}

class IdleLoop : public testing::Test {
protected:
    ~IdleLoop() override { TestApp().SetIdleHandler(nullptr); }
    void Run(int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }
};

TEST_F(IdleLoop, IdleRunsWhileAskedAndAgainAfterActivity) {
    std::vector<long> counts;
    TestApp().SetIdlePace(2);
    TestApp().SetIdleHandler([&](long count) {
        counts.push_back(count);
        return count < 3;
    });
    QTimer::singleShot(60, [] {}); // some activity later on
    Run(150);
    ASSERT_GE(counts.size(), 8u);
    EXPECT_EQ(std::vector<long>(counts.begin(), counts.begin() + 8),
              (std::vector<long>{0, 1, 2, 3, 0, 1, 2, 3}));
}

TEST_F(IdleLoop, IdleIsPacedNotSpun) {
    int calls = 0;
    TestApp().SetIdlePace(10);
    TestApp().SetIdleHandler([&](long) {
        ++calls;
        return true;
    });
    Run(100);
    EXPECT_GE(calls, 2);
    EXPECT_LE(calls, 15);
}

TEST_F(IdleLoop, NoIdleInsideNestedLoopsOrPumps) {
    bool nested = false;
    int insideCalls = 0, calls = 0;
    TestApp().SetIdlePace(1);
    TestApp().SetIdleHandler([&](long) {
        ++calls;
        if (nested || IsPumping())
            ++insideCalls;
        return true;
    });
    QTimer::singleShot(10, [&] {
        nested = true;
        QEventLoop inner; // as a modal dialog runs one
        QTimer::singleShot(40, &inner, &QEventLoop::quit);
        inner.exec();
        nested = false;
    });
    QTimer::singleShot(70, [&] {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 30)
            PumpEvents();
    });
    Run(150);
    EXPECT_EQ(insideCalls, 0);
    EXPECT_GT(calls, 3);
}

TEST(PumpEvents, DoesNotNestAndHandlesQueuedWork) {
    TestApp();
    std::vector<int> order;
    bool innerResult = true;
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            order.push_back(1);
            innerResult = PumpEvents(); // from inside the pump: refused
        },
        Qt::QueuedConnection);
    QMetaObject::invokeMethod(
        qApp, [&] { order.push_back(2); }, Qt::QueuedConnection);
    EXPECT_TRUE(PumpEvents(PumpMode::ExcludeUserInput));
    EXPECT_FALSE(innerResult);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_FALSE(IsPumping());
}

} // namespace

namespace {

TEST(EventBoundary, AnExceptionLeavingAHandlerIsReportedAndTheLoopGoesOn) {
    TestApp();
    std::vector<std::string> reported;
    ExceptionReporter previous = SetExceptionReporter([&](const std::string& where, std::exception_ptr e) {
        reported.push_back(where + ": " + DescribeException(e));
    });
    bool after = false;
    QMetaObject::invokeMethod(
        qApp, [] { throw std::runtime_error("lost link"); }, Qt::QueuedConnection);
    QMetaObject::invokeMethod(
        qApp, [&] { after = true; }, Qt::QueuedConnection);
    PumpEvents();
    SetExceptionReporter(previous);
    EXPECT_EQ(reported, (std::vector<std::string>{"event handler: lost link"}));
    EXPECT_TRUE(after);
}

} // namespace
