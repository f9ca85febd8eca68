#include "TestNodes.h"

#include "support/ModalScript.h"
#include "support/ui/UiTestApp.h"

#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/model/ZRValStringLength.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRGroupRow.h"
#include "kitbase/ui/ZRModelDoc.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/ui/AppWindow.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/HelpRequest.h"
#include "platform/ui/MainWindow.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Text.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPoint>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace platform::ui::ids;

namespace {

// Frames and views go after the current event; let them.
void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::vector<std::string> Texts(const QMenu& menu) {
    std::vector<std::string> texts;
    for (QAction* action : menu.actions())
        texts.push_back(platform::ui::FromQString(action->text()));
    return texts;
}

class ZRNodeMgrTest : public testing::Test {
protected:
    ZRNodeMgrTest() { TestApp(); }

    const int live = TestNodeMgr::s_Live;
};

TEST_F(ZRNodeMgrTest, ChildNodesAreMadeOnAddedChildrenAndSetUp) {
    TestTree tree;
    EXPECT_TRUE(tree.view->Children(tree.rootNode->GetNode()).empty());

    TestObject* a = tree.AddChild("A");
    TestNodeMgr* nodeA = tree.Node("Root?A");
    ASSERT_NE(nodeA, nullptr);
    EXPECT_EQ(nodeA->GetModel(), a);
    EXPECT_EQ(nodeA->initializeCalls, 1);
    EXPECT_EQ(tree.rootNode->FindChild(static_cast<ZRMvcModel*>(a)), nodeA->GetNode());

    // A subtree made before it joins: its root's node appears on reason ChildAdded, the rest on set-up
    // (InitialUpdate).
    auto b = std::make_unique<TestObject>();
    b->Init();
    b->GetName().SetValue("B");
    auto b1 = std::make_unique<TestObject>();
    b1->Init();
    b1->GetName().SetValue("B1");
    b->AddChild(std::move(b1), false);
    tree.root->AddChild(std::move(b), true);
    ASSERT_NE(tree.Node("Root?B?B1"), nullptr);
    EXPECT_EQ(tree.Node("Root?B?B1")->initializeCalls, 1);

    // Another reason ChildAdded finds every child already shown.
    tree.root->Notify(ZRUpdate::ChildAdded);
    EXPECT_EQ(tree.view->Children(tree.rootNode->GetNode()).size(), 2u);
    EXPECT_EQ(TestNodeMgr::s_Live, live + 4);
}

TEST_F(ZRNodeMgrTest, RemovedChildTakesItsItemsAndNodesWithIt) {
    TestTree tree;
    TestObject* a = tree.AddChild("A");
    TestObject* b = tree.AddChild("B");
    tree.AddChild("B1", b);
    ASSERT_EQ(TestNodeMgr::s_Live, live + 4);

    std::unique_ptr<ZRObject> removed = tree.root->RemoveChild(b);
    EXPECT_EQ(tree.Node("Root?B"), nullptr);
    EXPECT_EQ(TestNodeMgr::s_Live, live + 2);
    EXPECT_NE(tree.Node("Root?A"), nullptr);
    // Nobody below is left listening to the removed objects.
    EXPECT_TRUE(b->GetObservers().empty());
    EXPECT_TRUE(b->GetChildren()[0]->GetObservers().empty());
    EXPECT_TRUE(b->GetName().GetObservers().empty());
    EXPECT_FALSE(a->GetObservers().empty());
}

TEST_F(ZRNodeMgrTest, TreeAndCleanupDeleteTheNodesBelow) {
    {
        TestTree tree;
        tree.AddChild("B1", tree.AddChild("B"));
        EXPECT_EQ(TestNodeMgr::s_Live, live + 3);

        // Clean-up deletes the managers below; the items stay for the caller.
        tree.rootNode->Cleanup();
        EXPECT_EQ(TestNodeMgr::s_Live, live + 1);
        ZRTreeItem* b = tree.view->Children(tree.rootNode->GetNode()).at(0);
        EXPECT_EQ(tree.view->ItemData(b), nullptr);
        EXPECT_EQ(tree.view->ItemData(tree.view->Children(b).at(0)), nullptr);
    }
    EXPECT_EQ(TestNodeMgr::s_Live, live);

    TestTree other;
    other.AddChild("A");
    other.view.reset();
    EXPECT_EQ(TestNodeMgr::s_Live, live);
}

TEST_F(ZRNodeMgrTest, LabelFollowsTheNameAndAcceptedEdits) {
    TestTree tree;
    TestObject* a = tree.AddChild("A");
    ZRTreeItem* item = tree.Item("Root?A");
    a->GetName().SetValue("Axis");
    EXPECT_EQ(tree.view->ItemText(item), "Axis");

    TestNodeMgr* node = tree.Node("Root?Axis");
    std::string name = "Motor";
    EXPECT_TRUE(node->EditName(name));
    EXPECT_EQ(a->GetName().GetValue(), "Motor");
    EXPECT_EQ(tree.view->ItemText(item), "Motor");

    a->GetName().SetLengthValidation(std::make_unique<ZRValStringLength>(5, 1));
    ModalScript script;
    script.ExpectMessage("Name: Cannot be more than 5 characters", platform::core::IDOK);
    name = "Spindle";
    EXPECT_FALSE(node->EditName(name));
    EXPECT_EQ(a->GetName().GetValue(), "Motor");
}

// A node class whose map has no entries of its own and no Properties command.
class BareNodeMgr : public ZRNodeMgr {
public:
    using ZRNodeMgr::ZRNodeMgr;
    void Initialize() override {}
};

TEST_F(ZRNodeMgrTest, CommandsMeetTheOwnIdsThenTheTail) {
    TestTree tree;
    tree.device.SetOffLine(false);
    TestNodeMgr& node = *tree.rootNode;
    node.noPropsDoc = true;
    node.SetHelpTopic(77);
    std::vector<std::pair<unsigned long, unsigned>> help;
    auto previous = platform::ui::SetHelpHandler(
        [&](unsigned long topic, unsigned command) { help.emplace_back(topic, command); });

    EXPECT_TRUE(node.OnCommand(TestNodeMgr::kOwnCommand));
    EXPECT_EQ(node.ownCommands, 1);
    EXPECT_TRUE(node.OnCommand(ID_ENABLE_DRIVE));
    EXPECT_EQ(tree.device.toggleCalls, 1);
    EXPECT_TRUE(node.OnCommand(ID_HELP));
    node.SetHelpTopic(0);
    EXPECT_TRUE(node.OnCommand(ID_HELP));
    EXPECT_EQ(help, (std::vector<std::pair<unsigned long, unsigned>>{{77, platform::ui::HELP_CONTEXT},
                                                                     {0, platform::ui::HELP_CONTENTS}}));
    EXPECT_TRUE(node.OnCommand(ID_PROPERTIES));
    EXPECT_EQ(node.propsDocs, 1);
    EXPECT_FALSE(node.OnCommand(12345));
    for (unsigned id : {TestNodeMgr::kOwnCommand, ID_ENABLE_DRIVE, ID_HELP, ID_PROPERTIES})
        EXPECT_TRUE(node.HasCommand(id)) << id;
    EXPECT_FALSE(node.HasCommand(12345));

    BareNodeMgr bare(nullptr, tree.root.get(), nullptr);
    EXPECT_FALSE(bare.OnCommand(ID_PROPERTIES));
    EXPECT_FALSE(bare.HasCommand(ID_PROPERTIES));
    EXPECT_FALSE(bare.HasCommand(TestNodeMgr::kOwnCommand));
    EXPECT_TRUE(bare.OnCommand(ID_ENABLE_DRIVE));
    EXPECT_EQ(tree.device.toggleCalls, 2);
    platform::ui::SetHelpHandler(previous);
}

TEST_F(ZRNodeMgrTest, EnableDriveFollowsTheDevice) {
    FakeStorage storage;
    struct Case {
        const char* what;
        bool hasDevice, offLine, driveEnabled;
        bool enabled, checked;
    } cases[] = {
        {"no device", false, false, false, false, false},
        {"off line", true, true, true, false, false},
        {"on line, enabled", true, false, true, true, true},
        {"on line, disabled", true, false, false, true, false},
    };
    for (const Case& c : cases) {
        TestDevice device(&storage, c.offLine);
        device.enabled = c.driveEnabled;
        TestObject object;
        object.Init();
        object.SetDevice(c.hasDevice ? &device : nullptr);
        BareNodeMgr node(nullptr, &object, nullptr);
        platform::ui::CommandState state;
        state.checked = !c.checked;
        EXPECT_TRUE(node.OnUpdateCommand(ID_ENABLE_DRIVE, state)) << c.what;
        EXPECT_EQ(state.enabled, c.enabled) << c.what;
        EXPECT_EQ(state.checked, c.checked) << c.what;
        node.OnCommand(ID_ENABLE_DRIVE);
        EXPECT_EQ(device.toggleCalls, c.hasDevice ? 1 : 0) << c.what;
    }
}

TEST_F(ZRNodeMgrTest, EnterAndDoubleClickRunTheDefaultAction) {
    TestTree tree;
    tree.AddChild("A");
    TestNodeMgr& node = *tree.rootNode;
    ZRTreeItem* item = node.GetNode();
    const bool expanded = tree.view->IsExpanded(item);

    EXPECT_FALSE(node.OnChar('a', 1, 0));
    EXPECT_EQ(node.defaultActions, 0);
    EXPECT_TRUE(node.OnChar(13, 1, 0));
    EXPECT_EQ(tree.view->IsExpanded(item), !expanded);
    EXPECT_TRUE(node.OnLButtonDblClk(0, QPoint(1, 1)));
    EXPECT_EQ(tree.view->IsExpanded(item), expanded);
    EXPECT_EQ(node.defaultActions, 2);
}

TEST_F(ZRNodeMgrTest, MonitorTreeComesFromTheNearestAncestorThatHasOne) {
    TestTree tree;
    TestObject* a = tree.AddChild("A");
    tree.AddChild("A1", a);
    TestNodeMgr* a1 = tree.Node("Root?A?A1");
    EXPECT_EQ(a1->GetMonitorTree(), nullptr);
    tree.rootNode->m_pMonitorGroup = std::make_unique<ZRPropertyGroup>();
    EXPECT_EQ(a1->GetMonitorTree(), tree.rootNode->m_pMonitorGroup.get());
    tree.Node("Root?A")->m_pMonitorGroup = std::make_unique<ZRPropertyGroup>();
    EXPECT_EQ(a1->GetMonitorTree(), tree.Node("Root?A")->m_pMonitorGroup.get());
}

TEST_F(ZRNodeMgrTest, TreeQueriesFindChildrenAndAncestors) {
    TestTree tree;
    TestObject* a = tree.AddChild("A");
    tree.AddChild("A1", a);
    tree.AddChild("Other", nullptr, 101);
    TestNodeMgr& root = *tree.rootNode;
    EXPECT_EQ(root.FindChild("A", TestObject::kClass), tree.Item("Root?A"));
    EXPECT_EQ(root.FindChild("a", TestObject::kClass), nullptr);
    EXPECT_EQ(root.FindChild("Other", TestObject::kClass), nullptr);
    EXPECT_EQ(root.FindChild("Other", 101), tree.Item("Root?Other"));
    EXPECT_TRUE(root.FindChild(tree.Item("Root?A")));
    EXPECT_FALSE(root.FindChild(tree.Item("Root?A?A1")));
    TestNodeMgr* a1 = tree.Node("Root?A?A1");
    EXPECT_TRUE(a1->FindAncestor(root.GetNode()));
    EXPECT_FALSE(a1->FindAncestor(a1->GetNode()));
    EXPECT_FALSE(root.FindAncestor(a1->GetNode()));
}

// ---- Menus

class ZRNodeMgrMenuTest : public ZRNodeMgrTest {
protected:
    static constexpr unsigned kMenu = 40900;

    ZRNodeMgrMenuTest() {
        using platform::ui::MenuItem;
        platform::ui::RegisterMenu(
            kMenu,
            {MenuItem("Other", {MenuItem(1, "X")}),
             MenuItem("Node", {MenuItem(2, "Open"), MenuItem(3, "Commands"),
                               MenuItem("Commands", {MenuItem(501, "Do A"), MenuItem(502, "Do B")})})});
        commands = main.menuBar()->addMenu("&Commands");
        commands->addAction("First");
        commands->addAction("Second");
        commands->addAction("Left over");
        platform::ui::SetMainWindow(&main);
    }
    ~ZRNodeMgrMenuTest() override { platform::ui::SetMainWindow(nullptr); }

    platform::ui::MainWindow main;
    QMenu* commands;
    TestTree tree{&main};
};

TEST_F(ZRNodeMgrMenuTest, FocusFillsTheCommandsMenuAndLosingItEmptiesIt) {
    TestNodeMgr& node = *tree.rootNode;
    node.GettingFocus(true); // no menu id: only the first two stay
    EXPECT_EQ(Texts(*commands), (std::vector<std::string>{"First", "Second"}));

    node.SetMenu(kMenu, 1);
    node.GettingFocus(true);
    EXPECT_EQ(Texts(*commands), (std::vector<std::string>{"First", "Second", "Do A", "Do B"}));
    EXPECT_EQ(platform::ui::CommandId(*commands->actions()[3]), 502u);
    node.GettingFocus(true);
    EXPECT_EQ(commands->actions().size(), 4);
    node.GettingFocus(false);
    EXPECT_EQ(Texts(*commands), (std::vector<std::string>{"First", "Second"}));
}

TEST_F(ZRNodeMgrMenuTest, ContextMenuIsTheSubMenuOfTheResource) {
    TestNodeMgr& node = *tree.rootNode;
    std::unique_ptr<QMenu> holder;
    EXPECT_EQ(node.CreateContextMenu(holder), nullptr);
    node.SetMenu(kMenu, 1);
    QMenu* menu = node.CreateContextMenu(holder);
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(holder, nullptr);
    EXPECT_EQ(Texts(*menu), (std::vector<std::string>{"Open", "Commands", "Commands"}));
    EXPECT_EQ(platform::ui::CommandId(*menu->actions()[0]), 2u);
}

// ---- Property windows

class ZRNodeMgrWindowTest : public ZRNodeMgrMenuTest {
protected:
    ZRNodeMgrWindowTest() {
        a = tree.AddChild("A");
        node = tree.Node("Root?A");
        main.show();
    }

    TestObject* a;
    TestNodeMgr* node;
};

TEST_F(ZRNodeMgrWindowTest, ShowPropertiesOpensOneSheetWithRowsAndBringsItBack) {
    node->SetPropsHelpTopic(55);
    node->ShowProperties();
    ZRPropertiesView* view = node->GetPropsView();
    ASSERT_NE(view, nullptr);
    CSizableChildFrame* frame = node->GetPropsFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->IsPrimary());
    EXPECT_EQ(frame->GetController(), node);
    EXPECT_EQ(frame->GetHelpTopic(), 55u);
    EXPECT_EQ(view->GetObject(), a);
    ASSERT_NE(view->m_pPropertiesGrid, nullptr);
    // Name, Text and two longs; the status attribute in the status pane; no services.
    EXPECT_EQ(view->m_pPropertiesGrid->GetRows().size(), 4u);
    EXPECT_TRUE(view->m_pPropertiesGrid->IsOffLine());
    ASSERT_NE(view->m_pStatusGrid, nullptr);
    EXPECT_EQ(view->m_pStatusGrid->GetRows().size(), 1u);
    EXPECT_EQ(view->m_pServicesGrid, nullptr);
    EXPECT_TRUE(ZRPropertiesView::s_bCreateStatusPane);
    EXPECT_TRUE(ZRPropertiesView::s_bCreateServicesPane);
    EXPECT_TRUE(node->IsWindowOpen());
    EXPECT_TRUE(tree.rootNode->AreWindowsOpen());

    frame->showMinimized();
    node->ShowProperties();
    EXPECT_EQ(node->propsDocs, 1);
    EXPECT_FALSE(frame->isMinimized());
}

TEST_F(ZRNodeMgrWindowTest, GroupsMarkedCollapsedOpenFolded) {
    auto madeFolded = std::make_unique<ZRPropertyGroup>();
    ZRPropertyGroup* folded = madeFolded.get();
    folded->SetName("Folded");
    folded->AddProperty(&a->Long(0));
    folded->SetCollapsed(true);
    node->m_Properties.AddGroup(std::move(madeFolded));
    auto madeOpen = std::make_unique<ZRPropertyGroup>();
    ZRPropertyGroup* open = madeOpen.get();
    open->SetName("Open");
    open->AddProperty(&a->Long(1));
    node->m_Properties.AddGroup(std::move(madeOpen));
    node->ShowProperties();
    ASSERT_NE(folded->GetGroupRow(), nullptr);
    ASSERT_NE(open->GetGroupRow(), nullptr);
    EXPECT_TRUE(folded->GetGroupRow()->IsCollapsed());
    EXPECT_TRUE(folded->GetGroupRow()->GetRows().at(0)->IsHidden());
    EXPECT_FALSE(open->GetGroupRow()->IsCollapsed());
    EXPECT_FALSE(open->GetGroupRow()->GetRows().at(0)->IsHidden());
}

TEST_F(ZRNodeMgrWindowTest, PanesFollowTheStatusGroupAndTheCommands) {
    node->m_Statuses.GetProperties().clear();
    node->SetHasCommands(true);
    node->commandRows = {{"Home", 9001}, {"Stop", 9002}};
    node->ShowProperties();
    ZRPropertiesView* view = node->GetPropsView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->m_pStatusGrid, nullptr);
    ASSERT_NE(view->m_pServicesGrid, nullptr);
    EXPECT_EQ(view->m_pServicesGrid->GetRows().size(), 2u);
    EXPECT_TRUE(ZRPropertiesView::s_bCreateStatusPane);
}

TEST_F(ZRNodeMgrWindowTest, NoDocumentOpensNothingAndLeavesThePanesForTheNext) {
    node->m_Statuses.GetProperties().clear();
    node->noPropsDoc = true;
    node->ShowProperties();
    EXPECT_EQ(node->propsDocs, 1);
    EXPECT_FALSE(node->IsWindowOpen());
    EXPECT_TRUE(ZRPropertiesView::s_bCreateStatusPane);
    EXPECT_TRUE(ZRPropertiesView::s_bCreateServicesPane);
}

TEST_F(ZRNodeMgrWindowTest, TitlesFollowTheirAttributes) {
    node->SetViewTitle("Properties of %s", &a->GetName());
    node->ShowProperties();
    CSizableChildFrame* frame = node->GetPropsFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->windowTitle(), "Properties of A");

    ZRModelDoc* second = OpenPropsDocument(&main);
    auto* extra = dynamic_cast<ZRPropertiesView*>(second->GetViews().front());
    node->AddPropsView(extra, 0, "Extra %s", &a->Text());
    a->Text().SetValue("t1");
    a->GetName().SetValue("B");
    EXPECT_EQ(frame->windowTitle(), "Properties of B");
    EXPECT_EQ(node->GetPropsFrame(0)->windowTitle(), "Extra t1");
    EXPECT_EQ(tree.view->ItemText(node->GetNode()), "B");
    node->DoCloseWindows();
    FlushDeletes();
    delete second;
}

TEST_F(ZRNodeMgrWindowTest, ClosingWindowsTellsTheDeviceOncePerPropertyView) {
    node->ShowProperties();
    ZRModelDoc* second = OpenPropsDocument(&main);
    auto* extra = dynamic_cast<ZRPropertiesView*>(second->GetViews().front());
    node->AddPropsView(extra, 0, "", nullptr);
    ZRMvcModel plainModel;
    auto* plain = new QWidget;
    node->AddSimpleView(plain, &plainModel);

    // The user closes the main sheet.
    node->GetPropsFrame()->close();
    FlushDeletes();
    EXPECT_EQ(node->GetPropsView(), nullptr);
    EXPECT_EQ(node->GetPropsFrame(), nullptr);
    EXPECT_EQ(tree.device.savePowerUpCalls, 1);
    EXPECT_TRUE(node->IsWindowOpen());

    // The plain view's model goes first: its entry goes with it.
    plainModel.Notify(ZRUpdate::Destroying);
    EXPECT_TRUE(node->IsWindowOpen());

    EXPECT_TRUE(tree.rootNode->DoCloseWindows());
    EXPECT_FALSE(node->IsWindowOpen());
    EXPECT_FALSE(tree.rootNode->AreWindowsOpen());
    EXPECT_EQ(tree.device.savePowerUpCalls, 2);
    FlushDeletes();
    EXPECT_EQ(tree.device.savePowerUpCalls, 2);
    delete second;
    delete plain;
}

TEST_F(ZRNodeMgrWindowTest, IconsAreFoundFromTheLastView) {
    std::vector<ZRModelDoc*> documents;
    for (unsigned short icon : {5, 6, 5}) {
        documents.push_back(OpenPropsDocument(&main));
        node->AddPropsView(dynamic_cast<ZRPropertiesView*>(documents.back()->GetViews().front()), icon, "",
                           nullptr);
    }
    int index = 7;
    EXPECT_TRUE(node->FindIcon(5, index));
    EXPECT_EQ(index, 2);
    EXPECT_TRUE(node->FindIcon(6, index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(node->FindIcon(9, index));
    EXPECT_EQ(index, -1);
    node->CloseWindows();
    FlushDeletes();
    for (ZRModelDoc* document : documents)
        delete document;
}

} // namespace
