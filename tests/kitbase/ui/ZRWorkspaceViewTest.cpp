// The workspace tree: what reaches the node managers, drag and drop, the refresh timer and the
// test harness's queries.
#include "TestNodes.h"

#include "support/ModalScript.h"
#include "support/ui/UiTestApp.h"

#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRTest.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/model/ZRValStringLength.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/SharedMemory.h"
#include "platform/ui/AppWindow.h"
#include "platform/ui/Command.h"
#include "platform/ui/MainWindow.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Text.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using platform::ui::DragCursor;
using platform::ui::TreeExpand;

constexpr unsigned kEditClear = 57632;
constexpr unsigned kEditCopy = 57634;
constexpr unsigned kMenu = 40950;

// Records the commands that reach it and enables Edit Copy.
class RecordingNodeMgr : public TestNodeMgr {
public:
    using TestNodeMgr::TestNodeMgr;
    bool OnCommand(unsigned id) override {
        commands.push_back(id);
        return TestNodeMgr::OnCommand(id);
    }
    bool OnUpdateCommand(unsigned id, platform::ui::CommandState& state) override {
        if (id == kEditCopy)
            return true;
        return TestNodeMgr::OnUpdateCommand(id, state);
    }
    std::vector<unsigned> commands;
};

class ZRWorkspaceViewTest : public testing::Test {
protected:
    ZRWorkspaceViewTest() {
        TestApp();
        a = tree.AddChild("A");
        tree.AddChild("Inner", a);
        tree.AddChild("B");
        b = Replace("Root?B");
        view.resize(300, 300);
        view.Expand(tree.rootNode->GetNode(), TreeExpand::Expand);
    }

    // The leaf's manager becomes a recording one.
    RecordingNodeMgr* Replace(const std::string& path) {
        ZRTreeItem* item = tree.Item(path);
        TestNodeMgr* old = tree.Node(path);
        ZRObject* object = old->GetModel();
        view.SetItemData(item, nullptr);
        old->Cleanup();
        delete old;
        auto* node = new RecordingNodeMgr(item, object, &view);
        view.SetItemData(item, node);
        node->Initialize();
        return node;
    }
    QPoint LabelCentre(const std::string& path) { return view.ItemRect(tree.Item(path), true).center(); }
    int Ticks(const TestNodeMgr& node) const {
        return int(std::count(node.reasons.begin(), node.reasons.end(), int(ZRUpdate::RefreshTick)));
    }

    TestTree tree;
    ZRWorkspaceView& view = *tree.view;
    TestObject* a;
    RecordingNodeMgr* b;
};

TEST_F(ZRWorkspaceViewTest, SelectionTakesTheCommandsAndFillsTheCommandsMenu) {
    using platform::ui::MenuItem;
    platform::ui::RegisterMenu(kMenu, {MenuItem("Node", {MenuItem("Commands", {MenuItem(501, "Do A")})})});
    platform::ui::MainWindow main;
    QMenu* commands = main.menuBar()->addMenu("&Commands");
    commands->addAction("First");
    commands->addAction("Second");
    platform::ui::SetMainWindow(&main);
    tree.Node("Root?A")->SetMenu(kMenu, 0);

    EXPECT_FALSE(view.OnCommand(TestNodeMgr::kOwnCommand)) << "no selection";
    view.SelectItem(tree.Item("Root?A"));
    EXPECT_EQ(commands->actions().size(), 3);
    EXPECT_TRUE(view.OnCommand(TestNodeMgr::kOwnCommand));
    EXPECT_EQ(tree.Node("Root?A")->ownCommands, 1);

    view.SelectItem(tree.Item("Root?B"));
    EXPECT_EQ(commands->actions().size(), 2);
    EXPECT_TRUE(view.OnCommand(TestNodeMgr::kOwnCommand));
    EXPECT_EQ(b->ownCommands, 1);
    EXPECT_TRUE(view.HasCommand(TestNodeMgr::kOwnCommand));

    // The view's own answer for what the node leaves.
    platform::ui::CommandState state;
    EXPECT_TRUE(view.OnUpdateCommand(57603, state));
    EXPECT_FALSE(state.enabled);
    platform::ui::SetMainWindow(nullptr);
}

TEST_F(ZRWorkspaceViewTest, KeysAndDoubleClickReachTheNode) {
    ASSERT_TRUE(ShowActive(view));
    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_TRUE(b->commands.empty()) << "nothing selected";

    view.SelectItem(tree.Item("Root?B"));
    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_EQ(b->commands, std::vector<unsigned>{kEditClear});
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_EQ(b->defaultActions, 1);

    // A double click goes to the node under the mouse, not the selected one.
    const bool expanded = view.IsExpanded(tree.Item("Root?A"));
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, LabelCentre("Root?A"));
    EXPECT_EQ(tree.Node("Root?A")->defaultActions, 1);
    EXPECT_EQ(view.IsExpanded(tree.Item("Root?A")), !expanded);
    EXPECT_EQ(b->defaultActions, 1);
    EXPECT_FALSE(view.IsEditPending());
}

TEST_F(ZRWorkspaceViewTest, ContextMenuCommandsReachTheSelectedNode) {
    using platform::ui::MenuItem;
    platform::ui::RegisterMenu(kMenu + 1, {MenuItem("Node", {MenuItem(TestNodeMgr::kOwnCommand, "Own")})});
    tree.Node("Root?A")->SetMenu(kMenu + 1, 0);
    ASSERT_TRUE(ShowActive(view));
    view.SelectItem(tree.Item("Root?A"));
    {
        // The mouse names the item.
        ModalScript script;
        script.ExpectMenu(TestNodeMgr::kOwnCommand);
        const QPoint at = LabelCentre("Root?A");
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, view.viewport()->mapToGlobal(at));
        QApplication::sendEvent(view.viewport(), &event);
        EXPECT_NE(script.Seen().front().find("Own"), std::string::npos);
    }
    EXPECT_EQ(tree.Node("Root?A")->ownCommands, 1);
    {
        // The keyboard's menu key opens it for the selected item.
        ModalScript script;
        script.ExpectMenu(TestNodeMgr::kOwnCommand);
        view.OnContextMenu(QPoint(-1, -1));
    }
    EXPECT_EQ(tree.Node("Root?A")->ownCommands, 2);
    {
        // A node without a menu shows none: the script has nothing to answer.
        view.SelectItem(tree.Item("Root?B"));
        ModalScript script;
        view.OnContextMenu(QPoint(-1, -1));
    }
    EXPECT_EQ(b->ownCommands, 0);
}

TEST_F(ZRWorkspaceViewTest, LabelEditsAreOfferedToTheNode) {
    view.OnInitialUpdate();
    ASSERT_TRUE(ShowActive(view));
    tree.Node("Root?A")->SetLabelEdit(true);
    a->GetName().SetLengthValidation(std::make_unique<ZRValStringLength>(8, 1));

    EXPECT_FALSE(view.EditLabel(tree.Item("Root?B"))) << "the node does not allow it";
    EXPECT_EQ(view.findChild<QLineEdit*>(), nullptr);

    auto edit = [&](const char* path, const char* text) {
        ASSERT_TRUE(view.EditLabel(tree.Item(path)));
        auto* editor = view.findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The editor commits and closes through the event queue, and goes afterwards.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    edit("Root?A", "Alpha");
    EXPECT_EQ(a->GetName().GetValue(), "Alpha");
    EXPECT_EQ(view.ItemText(tree.Item("Root?Alpha")), "Alpha");

    ModalScript script;
    script.ExpectMessage("", platform::core::IDOK);
    edit("Root?Alpha", "Much too long");
    EXPECT_EQ(a->GetName().GetValue(), "Alpha");
    EXPECT_NE(tree.Item("Root?Alpha"), nullptr);
}

TEST_F(ZRWorkspaceViewTest, DragMovesOrCopiesWhereAnAncestorTakesTheDrop) {
    tree.rootNode->drop = [this](ZRTreeItem*, ZRTreeItem*& dropItem, bool& copyPlain, bool& copyWithCtrl) {
        dropItem = tree.rootNode->GetNode();
        copyPlain = false;
        copyWithCtrl = true;
    };
    view.Expand(tree.Item("Root?A"), TreeExpand::Expand);
    ASSERT_TRUE(ShowActive(view));

    // Over B, which takes nothing, the root offers itself; Ctrl switches move to copy and back.
    ASSERT_TRUE(view.BeginDrag(tree.Item("Root?A?Inner")));
    view.DragOver(LabelCentre("Root?B"), false);
    EXPECT_EQ(view.CurrentDropTarget().item, tree.rootNode->GetNode());
    EXPECT_EQ(view.CurrentDragCursor(), DragCursor::Move);
    view.DragOver(LabelCentre("Root?B"), true);
    EXPECT_EQ(view.CurrentDragCursor(), DragCursor::Copy);
    view.DragOver(LabelCentre("Root?B"), false);
    EXPECT_EQ(view.CurrentDragCursor(), DragCursor::Move);
    view.Drop();
    EXPECT_TRUE(a->GetChildren().empty());
    EXPECT_NE(tree.Node("Root?Inner"), nullptr);

    ASSERT_TRUE(view.BeginDrag(tree.Item("Root?B")));
    view.DragOver(LabelCentre("Root?A"), true);
    view.Drop();
    EXPECT_NE(tree.Node("Root?B1"), nullptr);
    EXPECT_NE(tree.Node("Root?B"), nullptr);

    // Nowhere to drop: nothing happens.
    ASSERT_TRUE(view.BeginDrag(tree.Item("Root?B")));
    view.DragOver(QPoint(5, view.viewport()->height() - 2), false);
    EXPECT_EQ(view.CurrentDragCursor(), DragCursor::NoDrop);
    view.Drop();
    EXPECT_EQ(tree.root->GetChildren().size(), 4u);
}

TEST_F(ZRWorkspaceViewTest, TimerTicksOnlyRegisteredNodesThatAreDisplayed) {
    TestNodeMgr* inner = tree.Node("Root?A?Inner");
    TestNodeMgr* unregistered = tree.Node("Root?A");
    view.AddTimerNode(b);
    view.AddTimerNode(inner);
    view.OnInitialUpdate();

    // Inner sits in the collapsed A.
    ASSERT_TRUE(QTest::qWaitFor([&] { return Ticks(*b) >= 2; }, 5000));
    EXPECT_EQ(Ticks(*inner), 0);
    EXPECT_EQ(Ticks(*unregistered), 0);

    view.Expand(tree.Item("Root?A"), TreeExpand::Expand);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Ticks(*inner) >= 1; }, 5000));
    view.RemoveTimerNode(inner);
    view.RemoveTimerNode(b);
}

TEST_F(ZRWorkspaceViewTest, PathsAreLabelsFromTheTopLevel) {
    EXPECT_EQ(view.GetNodeMgr("Root?A?Inner"), tree.Node("Root?A?Inner"));
    EXPECT_EQ(view.GetNodeMgr("Root"), tree.rootNode);
    EXPECT_EQ(view.GetNodeMgr("A"), nullptr) << "only a deeper item has the label";
    EXPECT_EQ(view.GetNodeMgr("Root?a"), nullptr);
    EXPECT_EQ(view.GetNodeMgr("Root?A?Inner?More"), nullptr);
    EXPECT_EQ(view.GetNodeMgr(""), nullptr);

    // A second top-level node whose manager enables Edit Copy.
    ZRTreeItem* other = view.InsertItem("Other");
    view.SetItemData(other, new RecordingNodeMgr(other, nullptr, &view));
    std::ostringstream survey;
    view.TestCopy(survey);
    EXPECT_EQ(survey.str(), "Root is not enabled\nOther is enabled\n");
}

// The harness page of this process, made afresh under a name of its own.
class HarnessPage {
public:
    explicit HarnessPage(bool withPage = true)
        : m_name("/qv-ws-page-" + std::to_string(::getpid())), m_previous(ZRTest::_instance) {
        ZRTest::_instance = new ZRTest(withPage ? m_name : std::string("/no/such/page"));
    }
    ~HarnessPage() {
        delete ZRTest::_instance;
        ZRTest::_instance = m_previous;
        platform::core::SharedMemory::Remove(m_name);
    }
    ZRTest& Page() { return *ZRTest::_instance; }
    std::int32_t IntAt(std::size_t offset) {
        std::int32_t value = 0;
        std::memcpy(&value, Page().GetBaseFileAddress() + offset, sizeof value);
        return value;
    }

private:
    std::string m_name;
    ZRTest* m_previous;
};

TEST_F(ZRWorkspaceViewTest, HarnessFindsItemsAndTheirRectangles) {
    HarnessPage harness;
    ZRTest& page = harness.Page();
    ASSERT_TRUE(page.HasPage());
    ASSERT_TRUE(ShowActive(view));

    page.WriteText("Root?A");
    EXPECT_EQ(view.OnVtMessage(9, 0), 0);
    EXPECT_EQ(harness.IntAt(0), 1);
    page.WriteText("Root?Nope");
    view.OnVtMessage(9, 0);
    EXPECT_EQ(harness.IntAt(0), 0);

    page.WriteText("Root?B");
    view.OnVtMessage(3, 0);
    const QRect rect = view.ItemRect(tree.Item("Root?B"), true);
    ASSERT_FALSE(rect.isEmpty());
    EXPECT_EQ(harness.IntAt(0), rect.left());
    EXPECT_EQ(harness.IntAt(16), rect.left() + rect.width());
    EXPECT_EQ(harness.IntAt(32), rect.top());
    EXPECT_EQ(harness.IntAt(48), rect.top() + rect.height());

    page.WriteText("Root?B");
    view.OnVtMessage(10, 0);
    EXPECT_EQ(view.SelectedItem(), tree.Item("Root?B"));

    // A page full of label text with no terminator is read no further than the page.
    std::memset(page.GetBaseFileAddress(), 'x', ZRTest::kPageSize);
    view.OnVtMessage(9, 0);
    EXPECT_EQ(harness.IntAt(0), 0);
}

TEST_F(ZRWorkspaceViewTest, HarnessWithoutAPageIsIgnored) {
    ModalScript script;
    script.ExpectMessage("Memory Mapped File could not be created.", platform::core::IDOK);
    HarnessPage harness(false);
    ASSERT_FALSE(harness.Page().HasPage());
    EXPECT_EQ(view.OnVtMessage(3, 0), 0);
    EXPECT_EQ(view.OnVtMessage(10, 0), 0);
    EXPECT_EQ(view.SelectedItem(), nullptr);
}

TEST_F(ZRWorkspaceViewTest, AfterDestroyNothingReachesTheNodes) {
    view.OnInitialUpdate();
    view.SelectItem(tree.Item("Root?B"));
    ZRTreeItem* root = tree.rootNode->GetNode();
    const int live = TestNodeMgr::s_Live;
    view.OnDestroy();
    EXPECT_TRUE(view.IsClosing());
    EXPECT_EQ(TestNodeMgr::s_Live, live - 4);
    EXPECT_EQ(view.NodeOf(root), nullptr);
    EXPECT_FALSE(view.OnCommand(TestNodeMgr::kOwnCommand));
    EXPECT_FALSE(view.OnChar(13, 1, 0));
    tree.rootNode = nullptr;
}

TEST_F(ZRWorkspaceViewTest, DeletedNodeHandedOverGoesAfterTheCurrentEventOrWithTheView) {
    const int live = TestNodeMgr::s_Live;
    ASSERT_TRUE(b->Delete());
    view.DisposeLater(std::unique_ptr<ZRNodeMgr>(b));
    // Still there for the rest of the command that deleted it.
    EXPECT_EQ(TestNodeMgr::s_Live, live);
    QCoreApplication::processEvents();
    EXPECT_EQ(TestNodeMgr::s_Live, live - 1);

    TestNodeMgr* inner = tree.Node("Root?A?Inner");
    ASSERT_TRUE(inner->Delete());
    view.DisposeLater(std::unique_ptr<ZRNodeMgr>(inner));
    view.OnDestroy();
    EXPECT_EQ(TestNodeMgr::s_Live, live - 4);
    tree.rootNode = nullptr;
}

} // namespace
