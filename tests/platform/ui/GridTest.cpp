#include "support/ui/UiTestApp.h"

#include "platform/core/Text.h"
#include "platform/ui/Grid.h"
#include "platform/ui/Guard.h"
#include "platform/ui/StandardControls.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

using namespace platform::ui;
using platform::core::Format;

namespace {

class TestGrid : public Grid {
public:
    std::vector<std::string> log;
    std::function<bool(const std::string&)> accept; // validation of the control's value
    std::function<void(int, int)> onModify;
    int modifies = 0;
    bool clickHandled = false;

protected:
    bool OnValidateCell(int row, int col) override {
        std::string value = ControlValue();
        log.push_back(Format("validate %d,%d %s", row, col, value.c_str()));
        return accept ? accept(value) : true;
    }
    bool OnEndEditing(int row, int col) override {
        log.push_back(Format("end %d,%d %s", row, col, Value(row, col).c_str()));
        return true;
    }
    void OnModifyCell(int row, int col) override {
        ++modifies;
        if (onModify)
            onModify(row, col);
    }
    bool OnLButtonClickedRowCol(int row, int col, Qt::KeyboardModifiers, const QPoint&) override {
        log.push_back(Format("click %d,%d", row, col));
        return clickHandled;
    }
    void OnClickedButtonRowCol(int row, int col) override { log.push_back(Format("button %d,%d", row, col)); }
};

class GridTest : public testing::Test {
protected:
    GridTest() {
        grid.SetColCount(3);
        grid.SetRowCount(5);
        grid.SetColWidth(0, 20);
        for (int c = 1; c <= 3; ++c)
            grid.SetColWidth(c, 110);
        for (int r = 1; r <= 5; ++r)
            for (int c = 1; c <= 3; ++c)
                grid.SetValue(r, c, Format("v%d%d", r, c));
        grid.resize(420, 220);
        EXPECT_TRUE(ShowActive(grid));
    }

    QWidget* KeyTarget() {
        QWidget* focus = QApplication::focusWidget();
        if (focus && (focus == &grid || grid.isAncestorOf(focus)))
            return focus;
        if (QWidget* editor = grid.ActiveEditor())
            return editor->focusProxy() ? editor->focusProxy() : editor;
        return &grid;
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(KeyTarget(), key, mods);
    }
    void Type(const char* text) {
        for (const char* p = text; *p; ++p)
            QTest::keyClick(KeyTarget(), *p);
    }
    void Click(const QPoint& pos) { QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, pos); }
    void ClickCell(int row, int col) { Click(grid.CellRect(row, col).center()); }
    std::pair<int, int> Current() {
        int r = 0, c = 0;
        grid.GetCurrentCell(r, c);
        return {r, c};
    }

    TestGrid grid;
};

TEST_F(GridTest, TypingIntoACellAndLeavingStoresValidatesAndNotifies) {
    ASSERT_TRUE(grid.SetCurrentCell(2, 1));
    Type("42");
    EXPECT_TRUE(grid.IsActive());
    EXPECT_TRUE(grid.IsModified());
    EXPECT_EQ(grid.ControlValue(), "42");
    EXPECT_EQ(grid.Value(2, 1), "v21"); // not stored before the cell is left
    EXPECT_EQ(grid.modifies, 2);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Current(), std::make_pair(2, 2));
    EXPECT_FALSE(grid.IsActive());
    EXPECT_EQ(grid.Value(2, 1), "42");
    EXPECT_EQ(grid.log, (std::vector<std::string>{"validate 2,1 42", "end 2,1 42"}));
}

TEST_F(GridTest, LeavingKeysMoveOrCommitInPlace) {
    struct Case {
        const char* name;
        int row, col;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int toRow, toCol;
        bool stored;
    };
    const Case cases[] = {
        {"tab", 2, 2, Qt::Key_Tab, Qt::NoModifier, 2, 3, true},
        {"shift tab", 2, 2, Qt::Key_Tab, Qt::ShiftModifier, 2, 1, true},
        {"enter", 2, 2, Qt::Key_Return, Qt::NoModifier, 3, 2, true},
        {"shift enter", 2, 2, Qt::Key_Return, Qt::ShiftModifier, 1, 2, true},
        {"enter on the last row", 5, 2, Qt::Key_Return, Qt::NoModifier, 5, 2, true},
        {"tab in the last column", 2, 3, Qt::Key_Tab, Qt::NoModifier, 2, 3, true},
        {"down arrow", 2, 2, Qt::Key_Down, Qt::NoModifier, 3, 2, true},
        {"escape", 2, 2, Qt::Key_Escape, Qt::NoModifier, 2, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid.SetValue(c.row, c.col, "old");
        grid.log.clear();
        ASSERT_TRUE(grid.SetCurrentCell(c.row, c.col));
        Type("7");
        Key(c.key, c.mods);
        EXPECT_EQ(Current(), std::make_pair(c.toRow, c.toCol));
        EXPECT_FALSE(grid.IsActive());
        EXPECT_EQ(grid.Value(c.row, c.col), c.stored ? "7" : "old");
        EXPECT_EQ(grid.log.size(), c.stored ? 2u : 0u);
    }
}

TEST_F(GridTest, ClickingAnotherCellLeavesTheEditedOne) {
    ClickCell(1, 1);
    EXPECT_TRUE(grid.IsActive()); // a click starts the edit
    Type("x");
    ClickCell(3, 2);
    EXPECT_EQ(Current(), std::make_pair(3, 2));
    EXPECT_EQ(grid.Value(1, 1), "x");
    EXPECT_EQ(grid.log, (std::vector<std::string>{"click 1,1", "validate 1,1 x", "end 1,1 x", "click 3,2"}));
}

TEST_F(GridTest, RefusedValueKeepsTheCellCurrentWithTheTypedText) {
    grid.accept = [](const std::string& v) { return v != "bad"; };
    ASSERT_TRUE(grid.SetCurrentCell(2, 2));
    Type("bad");
    Key(Qt::Key_Tab);
    EXPECT_EQ(Current(), std::make_pair(2, 2));
    EXPECT_TRUE(grid.IsActive());
    EXPECT_EQ(grid.ControlValue(), "bad");
    EXPECT_EQ(grid.Value(2, 2), "v22");
    ClickCell(4, 1);
    EXPECT_EQ(Current(), std::make_pair(2, 2));
    EXPECT_FALSE(grid.SetCurrentCell(1, 1));
    Key(Qt::Key_Return);
    EXPECT_EQ(Current(), std::make_pair(2, 2));
    EXPECT_EQ(grid.log.size(), 4u);
    EXPECT_EQ(std::count(grid.log.begin(), grid.log.end(), std::string("end 2,2 bad")), 0);

    // Corrected, the same key now leaves.
    grid.SetControlValue("");
    Type("ok");
    Key(Qt::Key_Return);
    EXPECT_EQ(Current(), std::make_pair(3, 2));
    EXPECT_EQ(grid.Value(2, 2), "ok");
    EXPECT_EQ(grid.log.back(), "end 2,2 ok");
}

TEST_F(GridTest, UnchangedCellIsLeftWithoutValidation) {
    ClickCell(1, 1);
    ASSERT_TRUE(grid.IsActive());
    Key(Qt::Key_Tab);
    EXPECT_EQ(Current(), std::make_pair(1, 2));
    EXPECT_EQ(grid.log, (std::vector<std::string>{"click 1,1"}));
}

TEST_F(GridTest, ReadOnlyCellsBecomeCurrentButDoNotEdit) {
    grid.SetReadOnly(2, 2, true);
    ASSERT_TRUE(grid.SetCurrentCell(2, 2));
    Type("5");
    Key(Qt::Key_F2);
    EXPECT_FALSE(grid.IsActive());
    EXPECT_EQ(grid.Value(2, 2), "v22");
    EXPECT_EQ(grid.modifies, 0);
}

TEST_F(GridTest, HandledClickDoesNotStartAnEdit) {
    grid.clickHandled = true;
    ClickCell(2, 1);
    EXPECT_EQ(Current(), std::make_pair(2, 1));
    EXPECT_FALSE(grid.IsActive());
    ClickCell(2, 0); // the leading column is clicked but never current
    EXPECT_EQ(Current(), std::make_pair(2, 1));
    EXPECT_EQ(grid.log.back(), "click 2,0");
}

TEST_F(GridTest, ExceptionInANotificationIsReportedAndRefuses) {
    std::vector<std::string> reported;
    ExceptionReporter previous = SetExceptionReporter([&](const std::string& where, std::exception_ptr e) {
        reported.push_back(where + ": " + DescribeException(e));
    });
    grid.accept = [](const std::string&) -> bool { throw std::runtime_error("boom"); };
    ASSERT_TRUE(grid.SetCurrentCell(1, 1));
    Type("1");
    Key(Qt::Key_Tab);
    SetExceptionReporter(previous);
    EXPECT_EQ(reported, (std::vector<std::string>{"validate cell: boom"}));
    EXPECT_EQ(Current(), std::make_pair(1, 1));
}

TEST_F(GridTest, IndexComboPickNotifiesAtOnceAndShowsTheEntryText) {
    grid.SetControl(2, 2, CellControlId::IndexTextList);
    grid.SetChoiceList(2, 2, "Off\nOn\nAuto\n");
    grid.SetValue(2, 2, "0");
    EXPECT_EQ(grid.model()->index(1, 2).data().toString(), "Off");
    std::vector<std::string> picked;
    grid.onModify = [&](int, int) { picked.push_back(grid.ControlValue()); };

    Click(grid.CellButtonRect(2, 2, 0).center());
    auto* combo = qobject_cast<QComboBox*>(grid.ActiveEditor());
    ASSERT_NE(combo, nullptr);
    ASSERT_TRUE(combo->view()->isVisible());
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    EXPECT_EQ(picked, (std::vector<std::string>{"2"}));
    EXPECT_EQ(grid.ControlText(), "Auto");
    Key(Qt::Key_Tab);
    EXPECT_EQ(grid.Value(2, 2), "2");
    EXPECT_EQ(grid.model()->index(1, 2).data().toString(), "Auto");
}

TEST_F(GridTest, TabAndEscapeInAnOpenDropDown) {
    grid.SetControl(2, 2, CellControlId::IndexTextList);
    grid.SetChoiceList(2, 2, "Off\nOn\nAuto\n");
    grid.SetValue(2, 2, "0");
    ASSERT_TRUE(grid.SetCurrentCell(2, 2));

    Key(Qt::Key_F4);
    auto* combo = qobject_cast<QComboBox*>(grid.ActiveEditor());
    ASSERT_TRUE(combo && combo->view()->isVisible());
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Escape);
    EXPECT_FALSE(combo->view()->isVisible());
    EXPECT_EQ(grid.ControlValue(), "0"); // not taken

    Key(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(combo->view()->isVisible());
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Tab);
    EXPECT_FALSE(combo->view()->isVisible());
    EXPECT_EQ(Current(), std::make_pair(2, 3)); // taken, and the Tab moved on
    EXPECT_EQ(grid.Value(2, 2), "1");
}

TEST_F(GridTest, TextComboSelectsTheEntryThatBeginsWithTheText) {
    ComboControl combo(ComboControl::Plain);
    ComboControl byIndex(ComboControl::ZeroBased | ComboControl::ShowText);
    std::vector<std::string> entries{"Alpha", "Beta", "Bravo"};
    EXPECT_EQ(combo.EntryToSelect(entries, "Bravo", true), 2);
    EXPECT_EQ(combo.EntryToSelect(entries, "B", true), 1);
    EXPECT_EQ(combo.EntryToSelect(entries, "X", true), -1);
    EXPECT_EQ(byIndex.EntryToSelect(entries, "2", false), 2);
    EXPECT_EQ(byIndex.EntryToSelect(entries, "Beta", true), 1);
}

TEST_F(GridTest, CheckListTickWritesTheCellAtOnce) {
    grid.SetControl(3, 2, CellControlId::CheckList);
    grid.SetChoiceList(3, 2, "Unassigned\nA\nB\nC\n");
    grid.SetValue(3, 2, "0");
    EXPECT_EQ(grid.model()->index(2, 2).data().toString(), "Unassigned");
    std::vector<std::string> seen;
    grid.onModify = [&](int r, int c) {
        seen.push_back(grid.Value(r, c));
        grid.SetChoiceList(r, c, grid.Value(r, c) == "0" ? "Unassigned\nA\nB\nC\n" : "Some\nA\nB\nC\n");
    };

    Click(grid.CellButtonRect(3, 2, 0).center());
    ASSERT_TRUE(grid.IsActive());
    auto* control = static_cast<CheckListControl*>(grid.Control(CellControlId::CheckList));
    QListWidget* list = control->Popup();
    ASSERT_TRUE(list && list->isVisible());
    ASSERT_EQ(list->count(), 3);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(grid.Value(3, 2), "2");
    EXPECT_EQ(grid.ControlText(), "Some");
    list->setCurrentRow(2);
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(grid.Value(3, 2), "6");
    EXPECT_EQ(list->item(2)->checkState(), Qt::Checked);
    QTest::keyClick(list, Qt::Key_Tab);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(Current(), std::make_pair(3, 3));
    EXPECT_EQ(seen, (std::vector<std::string>{"2", "6"}));
    EXPECT_EQ(grid.Value(3, 2), "6");
    EXPECT_EQ(grid.log, (std::vector<std::string>{"click 3,2", "validate 3,2 6", "end 3,2 6"}));
}

TEST_F(GridTest, SpinArrowStartsTheEditStepsAndNotifies) {
    grid.RegisterControl(19700, std::make_unique<SpinEditControl>());
    grid.SetControl(4, 2, 19700);
    grid.SetValue(4, 2, "9");
    grid.SetUserAttribute(4, 2, CellAttribute::SpinMinimum, "0");
    grid.SetUserAttribute(4, 2, CellAttribute::SpinMaximum, "10");

    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, grid.CellButtonRect(4, 2, 0).center());
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, grid.CellButtonRect(4, 2, 0).center());
    EXPECT_EQ(Current(), std::make_pair(4, 2));
    ASSERT_TRUE(grid.IsActive());
    EXPECT_TRUE(grid.IsModified());
    EXPECT_EQ(grid.ControlValue(), "10");
    EXPECT_EQ(grid.log, (std::vector<std::string>{"button 4,2", "click 4,2"}));

    auto* up = grid.ActiveEditor()->findChild<QToolButton*>("up");
    ASSERT_NE(up, nullptr);
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(grid.ControlValue(), "10"); // stays at the maximum
    grid.SetUserAttribute(4, 2, CellAttribute::SpinWrap, "1");
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(grid.ControlValue(), "0");
    Key(Qt::Key_Return);
    EXPECT_EQ(grid.Value(4, 2), "0");
}

TEST_F(GridTest, SpinStepRules) {
    SpinEditControl spin;
    CellStyle style;
    EXPECT_EQ(spin.Step("2.5", true, style), "3.5");
    EXPECT_EQ(spin.Step("", false, style), "-1");
    style.attributes = {{CellAttribute::SpinMinimum, "0"},
                        {CellAttribute::SpinMaximum, "10"},
                        {CellAttribute::SpinStart, "5"}};
    EXPECT_EQ(spin.Step("", true, style), "6");
    EXPECT_EQ(spin.Step("0", false, style), "0");
    EXPECT_EQ(spin.Step("-3", true, style), "0");
    style.attributes[CellAttribute::SpinWrap] = "1";
    EXPECT_EQ(spin.Step("0", false, style), "10");
}

TEST_F(GridTest, PushButtonCellNotifiesOnClickAndSpace) {
    grid.SetControl(5, 1, CellControlId::PushButton);
    grid.SetValue(5, 1, "Run");
    ClickCell(5, 1);
    EXPECT_FALSE(grid.IsActive());
    EXPECT_EQ(grid.log, (std::vector<std::string>{"click 5,1", "button 5,1"}));
    Key(Qt::Key_Space);
    EXPECT_EQ(grid.log.back(), "button 5,1");
    EXPECT_EQ(grid.log.size(), 3u);
}

TEST_F(GridTest, NavigationSkipsHiddenRowsAndEntersCoveredCellsAtTheirStart) {
    grid.SetRowHeight(2, 0);
    grid.SetCovered(3, 1, 3, 3);
    int r = 1, c = 2;
    ASSERT_TRUE(grid.FindNextCell(Direction::Down, r, c));
    EXPECT_EQ(std::make_pair(r, c), std::make_pair(3, 1));
    EXPECT_FALSE(grid.FindNextCell(Direction::Right, r, c));
    ASSERT_TRUE(grid.FindNextCell(Direction::Down, r, c));
    EXPECT_EQ(std::make_pair(r, c), std::make_pair(4, 1));
    EXPECT_TRUE(grid.CellRect(2, 1).isEmpty());
    EXPECT_EQ(grid.CellRect(3, 2), grid.CellRect(3, 1)); // one rectangle for the covered range
    int top, left, bottom, right;
    grid.CoveredRange(3, 3, top, left, bottom, right);
    EXPECT_EQ(std::vector<int>({top, left, bottom, right}), std::vector<int>({3, 1, 3, 3}));
    grid.SetRowHeight(2, 20);
    EXPECT_FALSE(grid.CellRect(2, 1).isEmpty());
}

TEST_F(GridTest, MovedRowsTakeTheirCellsAndHeights) {
    grid.SetRowHeight(3, 33);
    ASSERT_TRUE(grid.SetCurrentCell(2, 1));
    ASSERT_TRUE(grid.MoveRows(2, 3, 4));
    std::vector<std::string> order;
    for (int r = 1; r <= 5; ++r)
        order.push_back(grid.Value(r, 1));
    EXPECT_EQ(order, (std::vector<std::string>{"v11", "v41", "v51", "v21", "v31"}));
    EXPECT_EQ(grid.RowHeight(5), 33);
    EXPECT_EQ(Current(), std::make_pair(4, 1));
    EXPECT_FALSE(grid.MoveRows(4, 5, 5));
    EXPECT_FALSE(grid.MoveRows(3, 2, 1));
}

TEST_F(GridTest, FittedRowHeightFollowsWrappedCoveredText) {
    grid.SetCovered(1, 1, 1, 3);
    grid.SetWordWrap(1, 1, true);
    grid.SetValue(1, 1, std::string(200, 'w').replace(50, 1, " ").replace(100, 1, " ").replace(150, 1, " "));
    grid.FitRowHeight(1);
    int wrapped = grid.RowHeight(1);
    grid.SetValue(1, 1, "short");
    grid.FitRowHeight(1);
    EXPECT_GT(wrapped, grid.RowHeight(1));
    grid.SetValue(0, 2, "A rather long column title");
    grid.FitColWidth(2);
    EXPECT_GT(grid.ColWidth(2), 110);
}

TEST_F(GridTest, FittedColumnOfAPushButtonFollowsItsCaption) {
    grid.SetControl(1, 1, CellControlId::PushButton);
    grid.SetValue(1, 1, "Reset");
    grid.SetValue(2, 1, "Position Gain");
    grid.FitColWidth(1);
    int width = grid.ColWidth(1);
    EXPECT_GE(width, QFontMetrics(grid.font()).horizontalAdvance("Position Gain"));
    EXPECT_LT(width, 200);
}

TEST_F(GridTest, EveryStandardControlDrawsAndTheBrowseButtonNotifies) {
    const int ids[] = {CellControlId::Static,    CellControlId::PushButton,
                       CellControlId::TextCombo, CellControlId::BrowseEdit,
                       CellControlId::IndexList, CellControlId::Progress,
                       CellControlId::CheckList, 19700};
    grid.RegisterControl(19700, std::make_unique<SpinEditControl>());
    grid.SetRowCount(8);
    for (int r = 1; r <= 8; ++r) {
        grid.SetControl(r, 1, ids[r - 1]);
        grid.SetChoiceList(r, 1, "One\nTwo\n");
        grid.SetValue(r, 1, "1");
    }
    grid.SetUserAttribute(6, 1, CellAttribute::ProgressCaption, "%ld %%");
    grid.SetValue(7, 2, "#BMP(4711)"); // an unknown bitmap draws as text
    EXPECT_FALSE(grid.grab().isNull());
    EXPECT_EQ(grid.model()->index(4, 1).data().toString(), "Two");

    ClickCell(4, 1);
    ASSERT_TRUE(grid.IsActive());
    auto* browse = grid.ActiveEditor()->findChild<QToolButton*>();
    ASSERT_NE(browse, nullptr);
    QTest::mouseClick(browse, Qt::LeftButton);
    EXPECT_EQ(grid.log.back(), "button 4,1");
    EXPECT_FALSE(grid.grab().isNull());
}

TEST_F(GridTest, TextComboTakesTypedText) {
    grid.SetControl(1, 2, CellControlId::TextCombo);
    grid.SetChoiceList(1, 2, "Normal\nFast\n");
    grid.SetValue(1, 2, "Normal");
    ASSERT_TRUE(grid.SetCurrentCell(1, 2));
    Type("Fa");
    EXPECT_EQ(grid.ControlValue(), "Fa");
    Key(Qt::Key_Return);
    EXPECT_EQ(grid.Value(1, 2), "Fa");
    EXPECT_EQ(grid.log.front(), "validate 1,2 Fa");
}

} // namespace
