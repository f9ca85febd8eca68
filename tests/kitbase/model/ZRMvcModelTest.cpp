#include "kitbase/model/ZRIdleController.h"
#include "kitbase/model/ZRMvcModel.h"
#include "kitbase/model/ZRUpdate.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {
// Records the reasons it is told, in a log shared with other observers, and can act on a message.
struct Recorder : platform::core::Observer {
    std::string name;
    std::vector<std::string>* log;
    std::function<void()> action;
    Recorder(std::string n, std::vector<std::string>* l) : name(std::move(n)), log(l) {}
    void OnUpdate(platform::core::Subject*, platform::core::Message* m) override {
        log->push_back(name + std::to_string(ReasonOf(m)));
        if (action)
            action();
    }
};
} // namespace

TEST(ZRMvcModel, TellsNewestFirstSkipsSenderAndAllowsDuplicates) {
    std::vector<std::string> log;
    ZRMvcModel model;
    Recorder a("a", &log), b("b", &log);
    model.AddObserver(nullptr);
    model.AddObserver(&a);
    model.AddObserver(&b);
    model.AddObserver(&a);
    model.Notify(0);
    EXPECT_EQ(log, (std::vector<std::string>{"a0", "b0", "a0"}));
    log.clear();
    model.Notify(1, &a);
    EXPECT_EQ(log, (std::vector<std::string>{"b1"}));
}

TEST(ZRMvcModel, SelfRemovalDuringWalkSkipsNobody) {
    std::vector<std::string> log;
    ZRMvcModel model;
    Recorder a("a", &log), b("b", &log), c("c", &log);
    model.AddObserver(&a);
    model.AddObserver(&b);
    model.AddObserver(&c);
    b.action = [&] { model.RemoveObserver(&b); };
    model.Notify(0);
    EXPECT_EQ(log, (std::vector<std::string>{"c0", "b0", "a0"}));
    EXPECT_EQ(model.GetObservers().size(), 2u);
}

TEST(ZRMvcModel, ObserverAddedDuringWalkWaitsForNextMessageAndComesFirst) {
    std::vector<std::string> log;
    ZRMvcModel model;
    Recorder a("a", &log), late("late", &log);
    model.AddObserver(&a);
    bool added = false;
    a.action = [&] {
        if (!added)
            model.AddObserver(&late);
        added = true;
    };
    model.Notify(0);
    EXPECT_EQ(log, (std::vector<std::string>{"a0"}));
    model.Notify(5);
    EXPECT_EQ(log, (std::vector<std::string>{"a0", "late5", "a5"}));
}

TEST(ZRMvcModel, RemovingPendingObserverKeepsItOut) {
    std::vector<std::string> log;
    ZRMvcModel model;
    Recorder a("a", &log), late("late", &log);
    model.AddObserver(&a);
    a.action = [&] {
        model.AddObserver(&late);
        model.RemoveObserver(&late);
    };
    model.Notify(0);
    EXPECT_EQ(model.GetObservers().size(), 1u);
    EXPECT_TRUE(model.GetPending().empty());
}

TEST(ZRMvcModel, ThrowingObserverDoesNotStrandLaterRegistrations) {
    std::vector<std::string> log;
    ZRMvcModel model;
    Recorder a("a", &log), late("late", &log);
    model.AddObserver(&a);
    a.action = [&] {
        model.AddObserver(&late);
        throw std::runtime_error("observer failed");
    };
    EXPECT_THROW(model.Notify(0), std::runtime_error);
    EXPECT_FALSE(model.IsNotifying());
    a.action = nullptr;
    Recorder later("later", &log);
    model.AddObserver(&later);
    log.clear();
    model.Notify(0);
    EXPECT_EQ(log, (std::vector<std::string>{"later0", "late0", "a0"}));
}

TEST(ZRMvcModel, NestedNotificationKeepsOuterWalkPending) {
    std::vector<std::string> log;
    ZRMvcModel model;
    Recorder a("a", &log), b("b", &log), late("late", &log);
    model.AddObserver(&a);
    model.AddObserver(&b);
    bool nested = false;
    b.action = [&] {
        if (nested)
            return;
        nested = true;
        model.Notify(1);          // nested walk
        model.AddObserver(&late); // still inside the outer walk
    };
    model.Notify(0);
    EXPECT_EQ(log, (std::vector<std::string>{"b0", "b1", "a1", "a0"}));
    EXPECT_EQ(model.GetObservers().size(), 3u);
}

TEST(ZRMvcModel, CopyMadeWhileNotifyingStartsWithNoWalkInProgress) {
    std::vector<std::string> log;
    ZRMvcModel model;
    Recorder a("a", &log), late("late", &log), after("after", &log);
    model.AddObserver(&a);
    std::unique_ptr<ZRMvcModel> copy;
    ZRMvcModel assigned;
    a.action = [&] {
        model.AddObserver(&late);
        copy = std::make_unique<ZRMvcModel>(model);
        assigned = model;
    };
    model.Notify(0);
    a.action = nullptr;
    for (ZRMvcModel* m : {copy.get(), &assigned}) {
        ASSERT_FALSE(m->IsNotifying());
        // The observer pending in the source is a registered one in the copy, and new ones join at once.
        EXPECT_TRUE(m->GetPending().empty());
        m->AddObserver(&after);
        EXPECT_TRUE(m->GetPending().empty());
        log.clear();
        m->Notify(2);
        EXPECT_EQ(log, (std::vector<std::string>{"after2", "late2", "a2"}));
    }
}

TEST(ZRUpdate, SprintAndTypeId) {
    std::string text;
    ZRUpdate(ZRUpdate::ValueWritten).Sprint(text);
    EXPECT_EQ(text, "Reason = 15");
    EXPECT_EQ(ZRUpdate(ZRUpdate::Destroying).GetTypeID(), 0);
}

TEST(ZRIdleController, AnswersWhetherSubscribersRemain) {
    std::vector<std::string> log;
    auto* idle = ZRIdleController::Instance();
    EXPECT_EQ(idle->DoIdle(), 0);
    Recorder r("r", &log);
    idle->AddObserver(&r);
    EXPECT_EQ(idle->DoIdle(), 1);
    r.action = [&] { idle->RemoveObserver(&r); };
    EXPECT_EQ(idle->DoIdle(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"r4", "r4"}));
    ZRIdleController::DestroyInstance();
    EXPECT_EQ(ZRIdleController::m_pInstance, nullptr);
}
