#include "support/ui/UiTestApp.h"

#include "platform/ui/ChildFrame.h"
#include "platform/ui/MainWindow.h"
#include "platform/ui/View.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

using namespace platform::ui;

namespace {

std::vector<std::string> g_log;

// A target that handles the ids it is given and logs them under its name.
struct Handles {
    std::string name;
    std::vector<unsigned> ids;
    bool Has(unsigned id) const { return std::find(ids.begin(), ids.end(), id) != ids.end(); }
    bool Run(unsigned id) {
        if (!Has(id))
            return false;
        g_log.push_back(name + " " + std::to_string(id));
        return true;
    }
};

class TestView : public QLineEdit, public View {
public:
    TestView(std::string name, std::vector<unsigned> ids, QWidget* parent = nullptr)
        : QLineEdit(parent), m_handles{std::move(name), std::move(ids)} {}
    bool OnCommand(unsigned id) override { return m_handles.Run(id); }
    bool HasCommand(unsigned id) const override { return m_handles.Has(id); }
    void OnInitialUpdate() override { g_log.push_back("init " + m_handles.name); }
    void OnActivateView(bool activate, View*, View*) override {
        g_log.push_back((activate ? "view on " : "view off ") + m_handles.name);
    }
    void OnActivateFrame(bool active, ChildFrame*) override {
        g_log.push_back((active ? "frame on " : "frame off ") + m_handles.name);
    }

private:
    Handles m_handles;
};

class Owner : public CommandTarget {
public:
    explicit Owner(std::vector<unsigned> ids) : m_handles{"owner", std::move(ids)} {}
    bool OnCommand(unsigned id) override { return m_handles.Run(id); }
    bool HasCommand(unsigned id) const override { return m_handles.Has(id); }

private:
    Handles m_handles;
};

class Frame : public ChildFrame {
public:
    explicit Frame(std::string name) : m_handles{std::move(name), {20}} {}
    bool allowClose = true;
    unsigned alwaysRouted = 0;
    bool OnCommand(unsigned id) override { return m_handles.Run(id) || ChildFrame::OnCommand(id); }
    bool HasCommand(unsigned id) const override { return m_handles.Has(id); }
    bool RoutesToOwner(unsigned id) const override {
        return id == alwaysRouted || ChildFrame::RoutesToOwner(id);
    }

protected:
    bool CanClose() override {
        g_log.push_back("asked " + m_handles.name);
        return allowClose;
    }
    void OnFrameActivated(bool active) override {
        g_log.push_back((active ? "active " : "inactive ") + m_handles.name);
    }

private:
    Handles m_handles;
};

struct Fixture {
    MainWindow main;
    Fixture() {
        TestApp();
        g_log.clear();
        main.resize(800, 600);
    }
    Frame* Open(const std::string& name, QWidget* view) {
        auto* frame = new Frame(name);
        frame->SetView(view);
        main.AddChildFrame(frame);
        return frame;
    }
};

void DeleteClosed() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(ChildFrame, ClosingAsksTheFrameAndARefusalKeepsItOpen) {
    Fixture f;
    ASSERT_TRUE(ShowActive(f.main));
    Frame* frame = f.Open("props", new TestView("view", {}));
    QPointer<Frame> alive(frame);

    frame->allowClose = false;
    EXPECT_FALSE(frame->close());
    DeleteClosed();
    ASSERT_TRUE(alive);
    EXPECT_EQ(f.main.ChildFrames().size(), 1u);

    frame->allowClose = true;
    EXPECT_TRUE(frame->close());
    DeleteClosed();
    EXPECT_FALSE(alive);
    EXPECT_TRUE(f.main.ChildFrames().empty());

    // Destroy closes without asking, whatever the frame would answer.
    Frame* doomed = f.Open("doomed", new TestView("view", {}));
    QPointer<Frame> gone(doomed);
    doomed->allowClose = false;
    doomed->Destroy();
    DeleteClosed();
    EXPECT_FALSE(gone);
    std::vector<std::string> asked;
    std::copy_if(g_log.begin(), g_log.end(), std::back_inserter(asked),
                 [](const std::string& line) { return line.rfind("asked", 0) == 0; });
    EXPECT_EQ(asked, (std::vector<std::string>{"asked props", "asked props"}));

    // An active frame deleted outright tells nobody of its end.
    Frame* last = f.Open("last", new TestView("view", {}));
    last->ActivateFrame();
    delete last;
    EXPECT_TRUE(f.main.ChildFrames().empty());
}

TEST(ChildFrame, CommandsGoToTheViewTheFrameThenTheOwnerForItsIds) {
    Fixture f;
    ASSERT_TRUE(ShowActive(f.main));
    Owner owner({30, 40, 42500});
    Owner app({50});
    Frame* frame = f.Open("frame", new TestView("view", {10}));
    frame->SetOwner(&owner);
    frame->RoutedCommands() = {30};
    frame->alwaysRouted = 42500;
    frame->ActivateFrame();
    f.main.SetCommandTargets({&app});
    ASSERT_EQ(f.main.ActiveChildFrame(), frame);
    g_log.clear();

    const CommandRouter& router = f.main.Router();
    for (unsigned id : {10u, 20u, 30u, 40u, 42500u, 50u})
        router.Execute(id);
    EXPECT_EQ(g_log,
              (std::vector<std::string>{"view 10", "frame 20", "owner 30", "owner 42500", "owner 50"}));
    EXPECT_TRUE(router.Query(30).enabled);
    EXPECT_FALSE(router.Query(40).enabled); // the owner has it, but the frame does not route it

    // A frame without an owner routes nothing further.
    frame->SetOwner(nullptr);
    EXPECT_FALSE(router.Query(30).enabled);
}

TEST(ChildFrame, ActivationReachesTheFrameAndItsActiveView) {
    Fixture f;
    ASSERT_TRUE(ShowActive(f.main));
    Frame* one = f.Open("one", new TestView("v1", {}));
    Frame* two = f.Open("two", new TestView("v2", {}));
    one->ActivateFrame();
    g_log.clear();
    two->ActivateFrame();
    EXPECT_EQ(f.main.ActiveChildFrame(), two);
    std::vector<std::string> expected = {"inactive one", "frame off v1", "active two", "frame on v2"};
    EXPECT_EQ(g_log, expected);
}

TEST(ChildFrame, InitialUpdateReachesEveryViewAndFocusPicksTheActiveOne) {
    Fixture f;
    ASSERT_TRUE(ShowActive(f.main));
    auto* outer = new TestView("outer", {});
    auto* form = new QWidget;
    auto* layout = new QVBoxLayout(form);
    layout->addWidget(outer);
    auto* inner = new TestView("inner", {});
    layout->addWidget(inner);
    Frame* frame = f.Open("frame", form);
    EXPECT_EQ(frame->ActiveView(), static_cast<View*>(outer)); // the first view in the frame
    frame->ActivateFrame();
    g_log.clear();

    frame->SendInitialUpdate();
    EXPECT_EQ(g_log, (std::vector<std::string>{"init outer", "init inner"}));

    g_log.clear();
    EXPECT_FALSE(ActivateViewOfFocus(inner)); // it does not hold the focus yet
    inner->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return inner->hasFocus(); }, 2000));
    EXPECT_TRUE(ActivateViewOfFocus(inner));
    EXPECT_EQ(frame->ActiveView(), static_cast<View*>(inner));
    EXPECT_EQ(g_log, (std::vector<std::string>{"view off outer", "view on inner"}));
    EXPECT_EQ(ChildFrame::FrameOf(inner), frame);
}

TEST(ChildFrame, ShowStatesAndMinimumTrackingSize) {
    Fixture f;
    ASSERT_TRUE(ShowActive(f.main));
    Frame* frame = f.Open("frame", new TestView("view", {}));
    frame->ActivateFrame(ChildFrame::ShowMaximized);
    EXPECT_TRUE(frame->isMaximized());
    frame->ActivateFrame(ChildFrame::ShowMinimized);
    EXPECT_TRUE(frame->isMinimized());
    frame->ActivateFrame(ChildFrame::ShowRestore);
    EXPECT_FALSE(frame->isMinimized());
    EXPECT_FALSE(frame->isMaximized());
    frame->ActivateFrame(ChildFrame::ShowKeep);
    EXPECT_FALSE(frame->isMaximized());

    frame->SetMinTrackSize(300, -1);
    frame->resize(100, 40);
    EXPECT_EQ(frame->width(), 300);
    EXPECT_EQ(frame->MinTrackHeight(), -1);
    EXPECT_EQ(frame->minimumHeight(), 0); // the height stays free
}

} // namespace
