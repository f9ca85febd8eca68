#include "support/ui/UiTestApp.h"

#include "platform/ui/ChildFrame.h"
#include "platform/ui/DockBar.h"
#include "platform/ui/MainWindow.h"
#include "platform/ui/View.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace platform::ui;

namespace {

class Window : public MainWindow {
public:
    bool allowClose = true;
    int asked = 0;

protected:
    bool CanClose() override {
        ++asked;
        return allowClose;
    }
};

class DockedView : public QLineEdit, public View {
public:
    bool OnCommand(unsigned id) override { return id == 7; }
    bool HasCommand(unsigned id) const override { return id == 7; }
};

struct Bars {
    Window main;
    DockBar* workspace = new DockBar("Workspace", "WorkspaceBar");
    DockBar* output = new DockBar("Output", "OutputBar");
    Bars() {
        TestApp();
        main.resize(800, 600);
        workspace->setWidget(new DockedView);
        output->setWidget(new QLineEdit);
        main.AddDockBar(workspace, Qt::LeftDockWidgetArea);
        main.AddDockBar(output, Qt::BottomDockWidgetArea);
    }
};

TEST(MainWindow, BarStateRoundTripsThroughText) {
    Bars a;
    ASSERT_TRUE(ShowActive(a.main));
    a.output->ShowBar(false);
    EXPECT_FALSE(a.output->IsBarShown());
    EXPECT_TRUE(a.workspace->IsBarShown());
    std::string saved = a.main.SaveBarState();
    ASSERT_FALSE(saved.empty());

    // A fresh window takes the saved layout; text that is no bar state changes nothing.
    Bars b;
    ASSERT_TRUE(ShowActive(b.main));
    EXPECT_FALSE(b.main.LoadBarState("not a bar state"));
    EXPECT_FALSE(b.main.LoadBarState(""));
    EXPECT_FALSE(b.main.LoadBarState(saved, 1)); // another version
    EXPECT_TRUE(b.output->IsBarShown());
    EXPECT_TRUE(b.main.LoadBarState(saved));
    EXPECT_FALSE(b.output->IsBarShown());
    EXPECT_TRUE(b.workspace->IsBarShown());

    b.output->ToggleBar();
    EXPECT_TRUE(b.output->IsBarShown());
}

TEST(MainWindow, ABarBehindAnotherStillCountsAsShownAndActivatesToTheFront) {
    Bars b;
    b.main.tabifyDockWidget(b.workspace, b.output);
    ASSERT_TRUE(ShowActive(b.main));
    b.output->raise();
    EXPECT_TRUE(b.workspace->IsBarShown());
    b.workspace->ShowBar(false);
    b.workspace->ActivateBar();
    EXPECT_TRUE(b.workspace->IsBarShown());
    EXPECT_TRUE(QTest::qWaitFor([&] { return b.workspace->widget()->hasFocus(); }, 2000));
}

TEST(MainWindow, WorkbookModeAndCloseVeto) {
    Window main;
    TestApp();
    main.SetWorkbookMode(true);
    EXPECT_TRUE(main.IsWorkbookMode());
    EXPECT_EQ(main.DocumentArea()->viewMode(), QMdiArea::TabbedView);
    main.SetWorkbookMode(false);
    EXPECT_FALSE(main.IsWorkbookMode());

    ASSERT_TRUE(ShowActive(main));
    main.allowClose = false;
    EXPECT_FALSE(main.close());
    EXPECT_TRUE(main.isVisible());
    main.allowClose = true;
    EXPECT_TRUE(main.close());
    EXPECT_EQ(main.asked, 2);
}

TEST(MainWindow, ADockedViewWithTheFocusTakesCommandsBeforeTheChildFrames) {
    Bars b;
    ASSERT_TRUE(ShowActive(b.main));
    auto* frame = new ChildFrame;
    frame->SetView(new QLineEdit);
    b.main.AddChildFrame(frame);
    frame->ActivateFrame();

    b.workspace->widget()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.workspace->widget()->hasFocus(); }, 2000));
    EXPECT_TRUE(b.main.Router().Query(7).enabled);
    frame->widget()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->widget()->hasFocus(); }, 2000));
    EXPECT_FALSE(b.main.Router().Query(7).enabled);
}

} // namespace
