#include "support/ui/UiTestApp.h"

#include "platform/ui/Guard.h"
#include "platform/ui/Resources.h"
#include "platform/ui/TreeView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using namespace platform::ui;

namespace {

// A tree that records what it is told and answers as a test sets it up.
class Tree : public TreeView {
public:
    Tree() {
        resize(300, 300);
        SetLabelEditing(true);
    }

    std::vector<std::string> log;
    bool allowEdit = true;
    bool acceptLabel = true;
    std::string rewrite; // a label the end-edit handler substitutes
    TreeItem offerer = nullptr;
    DropTarget offer;
    bool handleChar = false;
    bool handleDblClk = false;
    bool throwOnChar = false;

protected:
    void OnSelChanged(TreeItem selected, TreeItem previous) override {
        log.push_back("sel " + ItemText(selected) + " from " + ItemText(previous));
    }
    bool OnBeginLabelEdit(TreeItem item) override {
        log.push_back("begin " + ItemText(item));
        return allowEdit;
    }
    bool OnEndLabelEdit(TreeItem item, std::string& text) override {
        log.push_back("end " + ItemText(item) + " -> " + text);
        if (!rewrite.empty())
            text = rewrite;
        return acceptLabel;
    }
    bool OnBeginDrag(TreeItem) override { return true; }
    // Like the workspace: the item under the cursor, then its ancestors, may offer a target.
    DropTarget OnDragOver(TreeItem, TreeItem under) override {
        for (TreeItem at = under; at; at = ParentItem(at))
            if (at == offerer)
                return offer;
        return {};
    }
    void OnDrop(TreeItem dragged, const DropTarget& target, bool copy) override {
        log.push_back(std::string(copy ? "copy " : "move ") + ItemText(dragged) + " to " +
                      ItemText(target.item));
    }
    void OnItemContextMenu(TreeItem item, const QPoint& at) override {
        log.push_back("menu " + ItemText(item));
        menuAt = at;
    }
    bool OnChar(unsigned ch, unsigned, unsigned) override {
        if (throwOnChar)
            throw std::runtime_error("node failed");
        log.push_back("char " + std::to_string(ch));
        return handleChar;
    }
    bool OnKeyDown(unsigned key, unsigned, unsigned) override {
        log.push_back("key " + std::to_string(key));
        return false;
    }
    bool OnLButtonDblClk(unsigned, const QPoint&) override {
        log.push_back("dblclk");
        return handleDblClk;
    }

public:
    QPoint menuAt;
};

void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(target, &event);
}

QPoint LabelCentre(const TreeView& tree, TreeItem item) {
    return tree.ItemRect(item, true).center();
}

// Root
//   Drives
//     Axis
//     Bank
//   Projects
struct Fixture {
    Tree tree;
    TreeItem root, drives, axis, bank, projects;
    Fixture() {
        TestApp();
        root = tree.InsertItem("Root");
        drives = tree.InsertItem("Drives", root);
        axis = tree.InsertItem("Axis", drives);
        bank = tree.InsertItem("Bank", drives);
        projects = tree.InsertItem("Projects", root);
        tree.Expand(root, TreeExpand::Expand);
        tree.Expand(drives, TreeExpand::Expand);
    }
};

TEST(TreeView, ItemsKeepTheirStructureDataAndImages) {
    Fixture f;
    TreeView& tree = f.tree;
    EXPECT_EQ(tree.FirstChild(nullptr), f.root);
    EXPECT_EQ(tree.NextSibling(f.root), nullptr);
    EXPECT_EQ(tree.Children(f.drives), (std::vector<TreeItem>{f.axis, f.bank}));
    EXPECT_EQ(tree.NextSibling(f.drives), f.projects);
    EXPECT_EQ(tree.ParentItem(f.axis), f.drives);
    EXPECT_EQ(tree.ParentItem(f.root), nullptr);

    int node = 7;
    tree.SetItemData(f.axis, &node);
    EXPECT_EQ(tree.ItemDataAs<int>(f.axis), &node);
    EXPECT_EQ(tree.ItemData(f.bank), nullptr);

    tree.SetItemText(f.axis, "Axis \xB0"); // code page 1252 survives the round trip
    EXPECT_EQ(tree.ItemText(f.axis), "Axis \xB0");

    QPixmap square(16, 16);
    square.fill(Qt::blue);
    Resources::RegisterPixmap(30001, square);
    tree.SetItemImage(f.axis, 30001);
    QTreeWidgetItem* shown = tree.findItems(QString::fromUtf8("Axis \u00B0"), Qt::MatchRecursive).value(0);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(tree.ItemImage(f.axis), 30001);
    EXPECT_FALSE(shown->icon(0).isNull());
    tree.SetItemImage(f.axis, -1);
    EXPECT_TRUE(shown->icon(0).isNull());

    for (int state : {STATE_UNCHECKED, STATE_CHECKED, STATE_PARTIAL, STATE_NONE}) {
        tree.SetItemState(f.bank, state);
        EXPECT_EQ(tree.ItemState(f.bank), state);
    }

    tree.DeleteItem(f.drives); // takes its subtree
    EXPECT_EQ(tree.Children(f.root), (std::vector<TreeItem>{f.projects}));
}

TEST(TreeView, DisplayedMeansNotHiddenAndEveryAncestorExpanded) {
    struct Case {
        const char* what;
        bool rootExpanded, drivesExpanded, drivesHidden, axisHidden;
        bool displayed;
    };
    const Case cases[] = {
        {"all open", true, true, false, false, true},
        {"parent collapsed", true, false, false, false, false},
        {"grandparent collapsed", false, true, false, false, false},
        {"parent hidden", true, true, true, false, false},
        {"item hidden", true, true, false, true, false},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.tree.Expand(f.root, c.rootExpanded ? TreeExpand::Expand : TreeExpand::Collapse);
        f.tree.Expand(f.drives, c.drivesExpanded ? TreeExpand::Expand : TreeExpand::Collapse);
        f.tree.SetItemHidden(f.drives, c.drivesHidden);
        f.tree.SetItemHidden(f.axis, c.axisHidden);
        EXPECT_EQ(f.tree.IsItemDisplayed(f.axis), c.displayed) << c.what;
        EXPECT_EQ(f.tree.ItemRect(f.axis, false).isEmpty(), !c.displayed) << c.what;
    }
    Fixture f;
    f.tree.Expand(f.drives, TreeExpand::Toggle);
    EXPECT_FALSE(f.tree.IsExpanded(f.drives));
    f.tree.Expand(f.drives, TreeExpand::Toggle);
    EXPECT_TRUE(f.tree.IsExpanded(f.drives));
}

TEST(TreeView, SelectionReportsTheNewAndThePreviousItem) {
    Fixture f;
    ASSERT_TRUE(ShowActive(f.tree));
    f.tree.SelectItem(f.axis);
    QTest::mouseClick(f.tree.viewport(), Qt::LeftButton, {}, LabelCentre(f.tree, f.projects));
    EXPECT_EQ(f.tree.SelectedItem(), f.projects);
    ASSERT_EQ(f.tree.log.size(), 2u);
    EXPECT_EQ(f.tree.log, (std::vector<std::string>{"sel Axis from ", "sel Projects from Axis"}));
    f.tree.DeleteItem(f.projects); // the selected item goes: no later report names it
    for (const std::string& line : f.tree.log)
        EXPECT_EQ(line.find("from Projects"), std::string::npos);
}

TEST(TreeView, HitTestTellsStateBoxIconAndLabelApart) {
    Fixture f;
    QPixmap square(16, 16);
    square.fill(Qt::red);
    Resources::RegisterPixmap(30002, square);
    f.tree.SetItemImage(f.bank, 30002);
    f.tree.SetItemState(f.bank, STATE_UNCHECKED);
    ASSERT_TRUE(ShowActive(f.tree));

    QRect row = f.tree.ItemRect(f.bank, false);
    QRect label = f.tree.ItemRect(f.bank, true);
    ASSERT_FALSE(label.isEmpty());
    EXPECT_TRUE(row.contains(label));

    TreeHit hit;
    EXPECT_EQ(f.tree.HitTest(label.center(), &hit), f.bank);
    EXPECT_EQ(hit, TreeHit::Label);
    EXPECT_EQ(f.tree.HitTest(QPoint(label.right() + 40, label.center().y()), &hit), f.bank);
    EXPECT_EQ(hit, TreeHit::Row);
    EXPECT_EQ(f.tree.HitTest(QPoint(5, row.bottom() + 200), &hit), nullptr);
    EXPECT_EQ(hit, TreeHit::Nowhere);

    // Left of the label: first the icon, then the state box.
    std::vector<TreeHit> seen;
    for (int x = label.left() - 1; x > row.left() && f.tree.HitTest(QPoint(x, label.center().y()), &hit); --x)
        if (hit != TreeHit::Row && (seen.empty() || seen.back() != hit))
            seen.push_back(hit);
    EXPECT_EQ(seen, (std::vector<TreeHit>{TreeHit::Icon, TreeHit::StateImage}));

    // Clicking the box does not tick it: whoever handles the click decides.
    for (int x = label.left(); x > 0; --x) {
        f.tree.HitTest(QPoint(x, label.center().y()), &hit);
        if (hit == TreeHit::StateImage) {
            QTest::mouseClick(f.tree.viewport(), Qt::LeftButton, {}, QPoint(x, label.center().y()));
            break;
        }
    }
    EXPECT_EQ(f.tree.ItemState(f.bank), STATE_UNCHECKED);
}

QLineEdit* Editor() {
    return qobject_cast<QLineEdit*>(QApplication::focusWidget());
}

// Ends the open edit with a key; the editor hands its text over from the event loop.
void EndEdit(TreeView& tree, Qt::Key key) {
    QTest::keyClick(Editor(), key);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !tree.IsEditingLabel(); }, 3000));
}

// The drops a tree was told of.
std::vector<std::string> Drops(const std::vector<std::string>& log) {
    std::vector<std::string> drops;
    for (const std::string& line : log)
        if (line.rfind("copy ", 0) == 0 || line.rfind("move ", 0) == 0)
            drops.push_back(line);
    return drops;
}

TEST(TreeView, LabelEditAcceptedRefusedAndCancelled) {
    Fixture f;
    ASSERT_TRUE(ShowActive(f.tree));

    // Accepted, with the handler's own spelling shown.
    f.tree.rewrite = "Axis2";
    ASSERT_TRUE(f.tree.EditLabel(f.axis));
    ASSERT_NE(Editor(), nullptr);
    Editor()->setText("axis two");
    EndEdit(f.tree, Qt::Key_Return);
    EXPECT_EQ(f.tree.ItemText(f.axis), "Axis2");

    // Refused: the old label stays.
    f.tree.rewrite.clear();
    f.tree.acceptLabel = false;
    ASSERT_TRUE(f.tree.EditLabel(f.bank));
    Editor()->setText("Bad/Name");
    EndEdit(f.tree, Qt::Key_Return);
    EXPECT_EQ(f.tree.ItemText(f.bank), "Bank");

    // Escape sends nothing.
    ASSERT_TRUE(f.tree.EditLabel(f.bank));
    Editor()->setText("Other");
    EndEdit(f.tree, Qt::Key_Escape);
    EXPECT_EQ(f.tree.ItemText(f.bank), "Bank");

    // Vetoed at the start, or label editing off: no editor.
    f.tree.allowEdit = false;
    EXPECT_FALSE(f.tree.EditLabel(f.projects));
    EXPECT_FALSE(f.tree.IsEditingLabel());
    f.tree.allowEdit = true;
    f.tree.SetLabelEditing(false);
    EXPECT_FALSE(f.tree.EditLabel(f.projects));

    EXPECT_EQ(f.tree.log, (std::vector<std::string>{"begin Axis", "end Axis -> axis two", "begin Bank",
                                                    "end Bank -> Bad/Name", "begin Bank", "begin Projects"}));
}

TEST(TreeView, SecondClickOnTheSelectedLabelSchedulesAnEditThatADoubleClickCancels) {
    Fixture f;
    ASSERT_TRUE(ShowActive(f.tree));
    f.tree.SelectItem(f.axis);
    f.tree.handleDblClk = true;

    QTest::mouseClick(f.tree.viewport(), Qt::LeftButton, {}, LabelCentre(f.tree, f.axis));
    EXPECT_TRUE(f.tree.IsEditPending());
    SendMouse(f.tree.viewport(), QEvent::MouseButtonDblClick, LabelCentre(f.tree, f.axis), Qt::LeftButton,
              Qt::LeftButton);
    EXPECT_FALSE(f.tree.IsEditPending());

    QTest::mouseClick(f.tree.viewport(), Qt::LeftButton, {}, LabelCentre(f.tree, f.axis));
    ASSERT_TRUE(f.tree.IsEditPending());
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.tree.IsEditingLabel(); }, 3000));

    // A click on an item that was not selected only selects it.
    Fixture g;
    ASSERT_TRUE(ShowActive(g.tree));
    g.tree.SelectItem(g.axis);
    QTest::mouseClick(g.tree.viewport(), Qt::LeftButton, {}, LabelCentre(g.tree, g.bank));
    EXPECT_FALSE(g.tree.IsEditPending());
}

// Presses on the item, moves past the drag distance to the point, with or without Ctrl.
void StartDrag(Tree& tree, TreeItem item, QPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QPoint from = LabelCentre(tree, item);
    QTest::mousePress(tree.viewport(), Qt::LeftButton, {}, from);
    SendMouse(tree.viewport(), QEvent::MouseMove, from + QPoint(0, 1), Qt::NoButton, Qt::LeftButton);
    SendMouse(tree.viewport(), QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, mods);
}

Qt::CursorShape OverrideShape() {
    return QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor;
}

TEST(TreeView, DragFollowsTheTargetAndCtrlBetweenMoveAndCopy) {
    Fixture f;
    ASSERT_TRUE(ShowActive(f.tree));
    // The parent offers itself when the cursor is over its child; plain drops move, Ctrl copies.
    f.tree.offerer = f.drives;
    f.tree.offer = {f.drives, false, true};

    StartDrag(f.tree, f.projects, LabelCentre(f.tree, f.axis));
    ASSERT_TRUE(f.tree.IsDragging());
    EXPECT_EQ(f.tree.DraggedItem(), f.projects);
    EXPECT_EQ(f.tree.CurrentDropTarget().item, f.drives); // highlighted: the parent it named
    EXPECT_EQ(f.tree.CurrentDragCursor(), DragCursor::Move);
    EXPECT_EQ(OverrideShape(), Qt::DragMoveCursor);

    QTest::keyPress(&f.tree, Qt::Key_Control);
    EXPECT_EQ(f.tree.CurrentDragCursor(), DragCursor::Copy);
    EXPECT_EQ(OverrideShape(), Qt::DragCopyCursor);
    QTest::keyRelease(&f.tree, Qt::Key_Control);
    EXPECT_EQ(f.tree.CurrentDragCursor(), DragCursor::Move);

    // Off any target: the no-drop cursor, no highlight.
    SendMouse(f.tree.viewport(), QEvent::MouseMove, LabelCentre(f.tree, f.root), Qt::NoButton,
              Qt::LeftButton);
    EXPECT_EQ(f.tree.CurrentDropTarget().item, nullptr);
    EXPECT_EQ(f.tree.CurrentDragCursor(), DragCursor::NoDrop);
    EXPECT_EQ(OverrideShape(), Qt::ForbiddenCursor);

    // Back over the child, dropped with Ctrl held: a copy onto the parent.
    SendMouse(f.tree.viewport(), QEvent::MouseMove, LabelCentre(f.tree, f.bank), Qt::NoButton, Qt::LeftButton,
              Qt::ControlModifier);
    SendMouse(f.tree.viewport(), QEvent::MouseButtonRelease, LabelCentre(f.tree, f.bank), Qt::LeftButton,
              Qt::NoButton, Qt::ControlModifier);
    EXPECT_FALSE(f.tree.IsDragging());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Drops(f.tree.log), (std::vector<std::string>{"copy Projects to Drives"}));
}

TEST(TreeView, DropDecisionFollowsTheTargetsTwoFlags) {
    struct Case {
        bool copyPlain, copyWithCtrl, ctrl;
        DragCursor cursor;
        const char* drop;
    };
    const Case cases[] = {
        {false, true, false, DragCursor::Move, "move Projects to Drives"},
        {false, true, true, DragCursor::Copy, "copy Projects to Drives"},
        {true, true, false, DragCursor::Copy, "copy Projects to Drives"},
        {false, false, true, DragCursor::Move, "move Projects to Drives"},
        {true, false, true, DragCursor::Move, "move Projects to Drives"},
    };
    for (const Case& c : cases) {
        Fixture f;
        ASSERT_TRUE(ShowActive(f.tree));
        f.tree.offerer = f.drives;
        f.tree.offer = {f.drives, c.copyPlain, c.copyWithCtrl};
        ASSERT_TRUE(f.tree.BeginDrag(f.projects));
        f.tree.DragOver(LabelCentre(f.tree, f.drives), c.ctrl);
        EXPECT_EQ(f.tree.CurrentDragCursor(), c.cursor);
        f.tree.Drop();
        EXPECT_EQ(Drops(f.tree.log), (std::vector<std::string>{c.drop}));
    }
}

TEST(TreeView, DragWithoutTargetOrWithAVanishedItemDropsNothing) {
    Fixture f;
    ASSERT_TRUE(ShowActive(f.tree));
    StartDrag(f.tree, f.axis, LabelCentre(f.tree, f.projects)); // nobody offers a target
    SendMouse(f.tree.viewport(), QEvent::MouseButtonRelease, LabelCentre(f.tree, f.projects), Qt::LeftButton,
              Qt::NoButton);
    EXPECT_TRUE(Drops(f.tree.log).empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The dragged item's branch goes away in the middle of the drag: the drag ends with it.
    f.tree.offerer = f.projects;
    f.tree.offer = {f.projects, false, true};
    ASSERT_TRUE(f.tree.BeginDrag(f.axis));
    f.tree.DragOver(LabelCentre(f.tree, f.projects), false);
    f.tree.DeleteItem(f.drives);
    EXPECT_FALSE(f.tree.IsDragging());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    f.tree.Drop();
    EXPECT_TRUE(Drops(f.tree.log).empty());

    // A plain tree never starts a drag.
    TreeView plain;
    TreeItem item = plain.InsertItem("Item");
    EXPECT_FALSE(plain.BeginDrag(item));
}

TEST(TreeView, ContextMenuGoesToTheItemUnderTheMouseOrTheSelectedOne) {
    Fixture f;
    ASSERT_TRUE(ShowActive(f.tree));
    f.tree.SelectItem(f.bank);
    f.tree.log.clear();

    QPoint local = LabelCentre(f.tree, f.projects);
    QContextMenuEvent mouse(QContextMenuEvent::Mouse, local, f.tree.viewport()->mapToGlobal(local));
    QApplication::sendEvent(f.tree.viewport(), &mouse);
    EXPECT_EQ(f.tree.menuAt, f.tree.viewport()->mapToGlobal(local));

    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(), f.tree.mapToGlobal(QPoint()));
    QApplication::sendEvent(&f.tree, &key);
    EXPECT_EQ(f.tree.menuAt, f.tree.viewport()->mapToGlobal(QPoint(1, 1)));

    QPoint empty(5, f.tree.viewport()->height() - 2);
    QContextMenuEvent nowhere(QContextMenuEvent::Mouse, empty, f.tree.viewport()->mapToGlobal(empty));
    QApplication::sendEvent(f.tree.viewport(), &nowhere);

    EXPECT_EQ(f.tree.log, (std::vector<std::string>{"menu Projects", "menu Bank"}));
}

TEST(TreeView, KeysAndDoubleClicksReachTheTypedHandlersFirst) {
    Fixture f;
    ASSERT_TRUE(ShowActive(f.tree));
    f.tree.SelectItem(f.drives);
    f.tree.log.clear();

    QTest::keyClick(&f.tree, Qt::Key_Return);
    QTest::keyClick(&f.tree, Qt::Key_Delete);
    EXPECT_EQ(f.tree.log, (std::vector<std::string>{"key 13", "char 13", "key 46"}));

    // Unhandled, the tree's own handling runs: Down moves the selection.
    QTest::keyClick(&f.tree, Qt::Key_Down);
    EXPECT_EQ(f.tree.SelectedItem(), f.axis);

    // A handled double click keeps the tree from toggling the branch; an unhandled one toggles it.
    QPoint at = LabelCentre(f.tree, f.drives);
    f.tree.handleDblClk = true;
    SendMouse(f.tree.viewport(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(f.tree.viewport(), QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(f.tree.IsExpanded(f.drives));
    f.tree.handleDblClk = false;
    SendMouse(f.tree.viewport(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(f.tree.viewport(), QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(f.tree.IsExpanded(f.drives));
}

TEST(TreeView, AFailingHandlerIsReportedAndStaysInside) {
    Fixture f;
    ASSERT_TRUE(ShowActive(f.tree));
    std::vector<std::string> reports;
    ExceptionReporter previous =
        SetExceptionReporter([&](const std::string& where, std::exception_ptr error) {
            reports.push_back(where + ": " + DescribeException(error));
        });
    f.tree.throwOnChar = true;
    QTest::keyClick(&f.tree, Qt::Key_A);
    SetExceptionReporter(previous);
    EXPECT_EQ(reports, (std::vector<std::string>{"OnChar: node failed"}));
}

} // namespace
