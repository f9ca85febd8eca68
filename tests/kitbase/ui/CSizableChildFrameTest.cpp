#include "TestNodes.h"
#include "support/ui/UiTestApp.h"

#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/ui/AppWindow.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/DockBar.h"
#include "platform/ui/HelpRequest.h"
#include "platform/ui/MainWindow.h"
#include "platform/ui/Menu.h"

#include <QMdiArea>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

using namespace platform::ui::ids;

namespace {

constexpr unsigned kNodeMenu = 39001;

// A main window with a "&Commands" menu of two fixed items and the workspace tree in a docking bar.
class CSizableChildFrameTest : public testing::Test {
protected:
    void SetUp() override {
        platform::ui::SetMainWindow(&main);
        QMenu* commands = main.menuBar()->addMenu(QStringLiteral("&Commands"));
        commands->addAction(QStringLiteral("Fixed 1"));
        commands->addAction(QStringLiteral("Fixed 2"));
        m_commands = commands;
        bar = new platform::ui::DockBar("Workspace", "WorkspaceBar", &main);
        bar->setWidget(tree.view.get());
        main.AddDockBar(bar, Qt::LeftDockWidgetArea);
        main.resize(900, 700);
        ASSERT_TRUE(ShowActive(main));
    }
    void TearDown() override { platform::ui::SetMainWindow(nullptr); }

    // A frame of the node, primary or not, in the document area.
    CSizableChildFrame* OpenFrame(ZRNodeMgr* node, bool primary) {
        auto* frame = new CSizableChildFrame;
        frame->SetView(new QWidget);
        frame->SetPrimary(primary);
        main.AddChildFrame(frame);
        frame->SetController(node);
        return frame;
    }
    int CommandItems() const { return static_cast<int>(m_commands->actions().size()); }

    platform::ui::MainWindow main;
    TestTree tree{&main};
    platform::ui::DockBar* bar = nullptr;

private:
    QMenu* m_commands = nullptr;
};

TEST_F(CSizableChildFrameTest, WithoutControllerNoNodeCommandsNoLocateAndAlwaysClosable) {
    CSizableChildFrame* frame = OpenFrame(nullptr, true);
    EXPECT_EQ(frame->OkToClose(), 1);
    platform::ui::CommandRouter router([frame] { return frame->CommandChain(); });
    EXPECT_FALSE(router.Execute(ID_ENABLE_DRIVE));
    EXPECT_FALSE(router.Query(ID_LOCATE).enabled);
    EXPECT_FALSE(router.Query(ID_FILE_SAVE).enabled);
    EXPECT_TRUE(router.Execute(ID_LOCATE)); // handled, does nothing
}

TEST_F(CSizableChildFrameTest, NodeCommandsReachTheControllerOnlyForRoutedIds) {
    tree.device.SetOffLine(false);
    CSizableChildFrame* frame = OpenFrame(tree.rootNode, true);
    platform::ui::CommandRouter router([frame] { return frame->CommandChain(); });

    EXPECT_TRUE(router.Execute(ID_ENABLE_DRIVE));
    EXPECT_EQ(tree.device.toggleCalls, 1);
    EXPECT_TRUE(router.Query(ID_ENABLE_DRIVE).checked);
    EXPECT_TRUE(router.Query(ID_LOCATE).enabled);

    // The node's own command needs its id in the routed list, as a command row puts it there.
    EXPECT_FALSE(router.Execute(TestNodeMgr::kOwnCommand));
    frame->RoutedCommands().push_back(TestNodeMgr::kOwnCommand);
    EXPECT_TRUE(router.Execute(TestNodeMgr::kOwnCommand));
    EXPECT_EQ(tree.rootNode->ownCommands, 1);
}

TEST_F(CSizableChildFrameTest, ARefusingNodeKeepsItsWindowOpen) {
    CSizableChildFrame* frame = OpenFrame(tree.rootNode, true);
    QPointer<CSizableChildFrame> alive(frame);
    tree.rootNode->canClose = false;
    frame->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(alive);
    EXPECT_TRUE(frame->isVisible());
    // A refused close leaves the grids validating again.
    EXPECT_FALSE(frame->IsSystemClosing());

    tree.rootNode->canClose = true;
    frame->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(alive);
}

TEST_F(CSizableChildFrameTest, ActivationFillsOrEmptiesTheCommandsMenu) {
    platform::ui::RegisterMenu(
        kNodeMenu, {platform::ui::MenuItem(
                       "Node", {platform::ui::MenuItem("Commands", {{40010, "Run"}, {40011, "Stop"}})})});
    tree.rootNode->SetMenu(kNodeMenu, 0);
    CSizableChildFrame* primary = OpenFrame(tree.rootNode, true);
    CSizableChildFrame* secondary = OpenFrame(tree.rootNode, false);

    main.DocumentArea()->setActiveSubWindow(primary);
    EXPECT_EQ(CommandItems(), 4);
    main.DocumentArea()->setActiveSubWindow(secondary);
    EXPECT_EQ(CommandItems(), 2);
    main.DocumentArea()->setActiveSubWindow(primary);
    EXPECT_EQ(CommandItems(), 4);
}

TEST_F(CSizableChildFrameTest, MinimumWidthLimitsOnlyTheWidth) {
    CSizableChildFrame* frame = OpenFrame(nullptr, true);
    frame->showNormal();
    frame->SetMinWidth(320);
    frame->resize(100, 120);
    EXPECT_EQ(frame->width(), 320);
    EXPECT_EQ(frame->height(), 120);
    frame->SetMinWidth(-1);
    frame->resize(200, 120);
    EXPECT_EQ(frame->width(), 200);
}

TEST_F(CSizableChildFrameTest, TheFirstFrameOpensMaximizedLaterOnesAsAsked) {
    auto* first = new CSizableChildFrame;
    first->SetView(new QWidget);
    main.DocumentArea()->addSubWindow(first);
    ASSERT_EQ(main.DocumentArea()->currentSubWindow(), nullptr);
    first->ActivateFrame(CSizableChildFrame::ShowNormal);
    EXPECT_TRUE(first->isMaximized());

    first->showNormal();
    auto* second = new CSizableChildFrame;
    second->SetView(new QWidget);
    main.DocumentArea()->addSubWindow(second);
    second->ActivateFrame(CSizableChildFrame::ShowNormal);
    EXPECT_FALSE(second->isMaximized());
    EXPECT_EQ(main.DocumentArea()->activeSubWindow(), second);
}

TEST_F(CSizableChildFrameTest, LocateShowsTheHiddenTreeSelectsTheNodeAndFocusesTheTree) {
    tree.AddChild("Axis");
    TestNodeMgr* node = tree.Node("Root?Axis");
    ASSERT_NE(node, nullptr);
    CSizableChildFrame* frame = OpenFrame(node, true);
    bar->ShowBar(false);
    ASSERT_FALSE(tree.view->isVisible());

    EXPECT_TRUE(frame->OnCommand(ID_LOCATE));
    EXPECT_TRUE(tree.view->isVisible());
    EXPECT_EQ(tree.view->SelectedItem(), node->GetNode());
    EXPECT_TRUE(tree.view->hasFocus());
}

TEST_F(CSizableChildFrameTest, HelpUsesTheFrameTopicOrTheContents) {
    std::vector<std::pair<unsigned long, unsigned>> asked;
    platform::ui::HelpHandler previous = platform::ui::SetHelpHandler(
        [&](unsigned long topic, unsigned command) { asked.emplace_back(topic, command); });
    CSizableChildFrame* frame = OpenFrame(tree.rootNode, true);
    frame->OnCommand(ID_HELP);
    frame->SetHelpTopic(812);
    frame->OnCommand(ID_HELP);
    platform::ui::SetHelpHandler(previous);
    EXPECT_EQ(asked, (std::vector<std::pair<unsigned long, unsigned>>{{0, platform::ui::HELP_CONTENTS},
                                                                      {812, platform::ui::HELP_CONTEXT}}));
}

} // namespace
