#include "support/ModalScript.h"
#include "support/ui/UiTestApp.h"

#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRIdleController.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/ZRGridRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "platform/ui/CellStyle.h"
#include "platform/ui/CommandIds.h"

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace platform::ui::ids;

namespace {

using platform::ui::CellControlId::Edit;
using platform::ui::CellControlId::Static;

// What the fake rows saw, shared by all rows of a test: "name:event".
std::vector<std::string> g_log;

// A row with a name and an edit cell; validation refuses "bad"; counts what the grid asks of it.
class FakeRow : public ZRGridRow {
public:
    explicit FakeRow(std::string name, int* deleted = nullptr)
        : m_name(std::move(name)), m_deleted(deleted) {}
    ~FakeRow() override {
        if (m_deleted)
            ++*m_deleted;
    }

    void Initialize(platform::ui::Grid* grid) override {
        ZRGridRow::Initialize(grid);
        ++initializeCalls;
    }
    void SetRow(int row) override {
        ZRGridRow::SetRow(row);
        if (!IsPlaced())
            return;
        GetGrid()->SetControl(row, 1, Static);
        GetGrid()->SetValue(row, 1, m_name);
        GetGrid()->SetControl(row, 2, Edit);
        GetGrid()->SetValue(row, 2, value);
    }
    void Refresh(bool force) override {
        g_log.push_back(m_name + (force ? ":refresh!" : ":refresh"));
        if (throwOnRefresh)
            throw ZRError(5, "link lost");
    }
    void Backup() override { g_log.push_back(m_name + ":backup"); }
    void Revert() override { g_log.push_back(m_name + ":revert"); }
    bool Validate(const std::string& text) override {
        validated.push_back(text);
        return text != "bad";
    }
    void OnEndEditing(int column) override {
        g_log.push_back(m_name + ":end" + std::to_string(column) + "=" + GetCellValue(column));
    }
    void OnModifyCell(int column) override { g_log.push_back(m_name + ":modify" + std::to_string(column)); }

    std::string value = "1";
    bool throwOnRefresh = false;
    int initializeCalls = 0;
    std::vector<std::string> validated;

private:
    std::string m_name;
    int* m_deleted;
};

ZRUpdate g_tick(ZRUpdate::IdleTick);

class PropertiesGrid : public testing::Test {
protected:
    PropertiesGrid() { g_log.clear(); }

    void Make(int rows, bool offLine = true) {
        grid = std::make_unique<ZRPropertiesGrid>();
        grid->SetOffLine(offLine);
        grid->SetTitle("Parameter");
        grid->OnInitialUpdate();
        for (int i = 1; i <= rows; ++i)
            Add(new FakeRow("r" + std::to_string(i)));
    }
    FakeRow* Add(FakeRow* row) {
        grid->GetRows().emplace_back(row);
        return row;
    }
    FakeRow* Row(int n) { return static_cast<FakeRow*>(grid->RowAt(n)); }
    void Show(int height = 300) {
        grid->resize(400, height);
        ASSERT_TRUE(ShowActive(*grid));
    }
    std::vector<std::string> Log(const std::string& event) {
        std::vector<std::string> out;
        for (const std::string& e : g_log)
            if (e.find(event) != std::string::npos)
                out.push_back(e);
        return out;
    }
    void Tick() { grid->OnUpdate(ZRIdleController::Instance(), &g_tick); }
    QWidget* Editor() {
        QWidget* editor = grid->ActiveEditor();
        return editor && editor->focusProxy() ? editor->focusProxy() : editor;
    }
    // Types over the value cell of a row.
    void Type(int row, const char* text) {
        ASSERT_TRUE(grid->SetCurrentCell(row, 2));
        ASSERT_TRUE(grid->ActivateCurrentCell());
        auto* line = qobject_cast<QLineEdit*>(Editor());
        ASSERT_TRUE(line);
        line->selectAll();
        QTest::keyClicks(line, text);
    }

    std::unique_ptr<ZRPropertiesGrid> grid;
};

} // namespace

TEST_F(PropertiesGrid, LayoutWritesTheHeaderNumbersTheRowsAndInitializesEachOnce) {
    Make(3);
    grid->UpdateRows();
    grid->UpdateRows();
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(grid->RowCount(), 3);
    EXPECT_EQ(grid->Value(0, 1), "Parameter");
    EXPECT_EQ(grid->Value(0, 2), "Value");
    EXPECT_EQ(grid->Value(0, 3), "Units");
    for (int c = 0; c <= 3; ++c)
        EXPECT_TRUE(grid->IsReadOnly(0, c));
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(Row(n)->GetRow(), n);
        EXPECT_EQ(Row(n)->initializeCalls, 1);
        EXPECT_EQ(grid->Value(n, 1), "r" + std::to_string(n));
    }
    EXPECT_GE(grid->ColWidth(2), 72);
    EXPECT_EQ(grid->DefaultRowHeight(), 18);
}

TEST_F(PropertiesGrid, BackupRevertAndFormatBaseReachEveryRowInOrder) {
    Make(2);
    grid->UpdateRows();
    grid->Backup();
    grid->Revert();
    grid->SetFormatBase(2);
    EXPECT_EQ(grid->GetFormatBase(), 2);
    EXPECT_EQ(g_log, (std::vector<std::string>{"r1:backup", "r2:backup", "r1:revert", "r2:revert",
                                               "r1:refresh!", "r2:refresh!"}));
}

TEST_F(PropertiesGrid, OnlyOnLineGridsObserveTheIdleTickAndDestructionDeletesTheRows) {
    auto observes = [](ZRPropertiesGrid* g) {
        const auto& list = ZRIdleController::Instance()->GetObservers();
        return std::find(list.begin(), list.end(), g) != list.end();
    };
    int deleted = 0;
    Make(0, false);
    Add(new FakeRow("a", &deleted));
    Add(new FakeRow("b", &deleted));
    EXPECT_TRUE(observes(grid.get()));
    grid->SetOffLine(true);
    EXPECT_FALSE(observes(grid.get()));
    grid->OnDestroy();
    EXPECT_EQ(deleted, 2);
    EXPECT_TRUE(grid->GetRows().empty());

    Make(0, true);
    EXPECT_FALSE(observes(grid.get()));
    ZRPropertiesGrid* raw = grid.get();
    grid.reset();
    EXPECT_FALSE(observes(raw));
}

TEST_F(PropertiesGrid, IdleTicksReadVisibleRowsOneAtATimeAndSkipTheEditedRow) {
    Make(5);
    grid->UpdateRows();
    Row(2)->Hide();
    Show();
    for (int t = 0; t < 5; ++t)
        Tick();
    EXPECT_EQ(Log("refresh"), (std::vector<std::string>{"r1:refresh", "r3:refresh", "r4:refresh",
                                                        "r5:refresh", "r1:refresh"}));

    // While row 3 is edited its tick reads nothing; the status grid reads it anyway.
    g_log.clear();
    ASSERT_TRUE(grid->SetCurrentCell(3, 2));
    ASSERT_TRUE(grid->ActivateCurrentCell());
    for (int t = 0; t < 4; ++t)
        Tick();
    EXPECT_EQ(Log("refresh"), (std::vector<std::string>{"r4:refresh", "r5:refresh", "r1:refresh"}));
    g_log.clear();
    Tick(); // row 3
    EXPECT_TRUE(Log("refresh").empty());
    grid->SetAlwaysRefresh(true);
    for (int t = 0; t < 4; ++t)
        Tick();
    EXPECT_EQ(Log("refresh"),
              (std::vector<std::string>{"r4:refresh", "r5:refresh", "r1:refresh", "r3:refresh"}));
}

TEST_F(PropertiesGrid, RowsOutOfViewAreNeverRead) {
    Make(20);
    grid->UpdateRows();
    Show(120);
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
    QApplication::processEvents();
    for (int t = 0; t < 40; ++t)
        Tick();
    std::vector<std::string> refreshed = Log("refresh");
    ASSERT_FALSE(refreshed.empty());
    EXPECT_EQ(std::count(refreshed.begin(), refreshed.end(), "r1:refresh"), 0);
    EXPECT_GT(std::count(refreshed.begin(), refreshed.end(), "r20:refresh"), 1);
}

TEST_F(PropertiesGrid, RefreshErrorIsShownAndTheNextTickGoesOn) {
    Make(2);
    grid->UpdateRows();
    Show();
    Row(1)->throwOnRefresh = true;
    ModalScript script;
    script.ExpectMessage("Refresh Error: link lost", platform::core::IDOK);
    Tick();
    Tick();
    EXPECT_EQ(Log("refresh"), (std::vector<std::string>{"r1:refresh", "r2:refresh"}));
}

TEST_F(PropertiesGrid, LeavingACellAsksTheRowAndARefusalKeepsItCurrent) {
    Make(3);
    grid->UpdateRows();
    Show();
    Type(1, "bad");
    EXPECT_FALSE(grid->SetCurrentCell(2, 2));
    EXPECT_TRUE(grid->IsCurrentCell(1, 2));
    EXPECT_EQ(Row(1)->validated.back(), "bad");
    EXPECT_TRUE(Log(":end").empty());

    QLineEdit* line = qobject_cast<QLineEdit*>(Editor());
    line->selectAll();
    QTest::keyClicks(line, "42");
    EXPECT_TRUE(grid->SetCurrentCell(2, 2));
    EXPECT_EQ(Log(":end"), (std::vector<std::string>{"r1:end2=42"}));
    EXPECT_FALSE(Log("r1:modify2").empty());
}

TEST_F(PropertiesGrid, EnterMovesDownToTheValueColumnAndCommitsInPlaceOnTheLastRow) {
    Make(3);
    grid->UpdateRows();
    Show();
    ASSERT_TRUE(grid->SetCurrentCell(1, 1));
    QTest::keyClick(grid.get(), Qt::Key_Return);
    EXPECT_TRUE(grid->IsCurrentCell(2, 2));

    Type(3, "7");
    QTest::keyClick(Editor(), Qt::Key_Tab);
    EXPECT_TRUE(grid->IsCurrentCell(3, 2));
    EXPECT_FALSE(grid->IsActive());
    EXPECT_EQ(Log(":end"), (std::vector<std::string>{"r3:end2=7"}));
    EXPECT_EQ(Row(3)->validated, (std::vector<std::string>{"7"}));

    // A refused text on the last row stays in the edit; Shift+Enter goes up.
    Type(3, "bad");
    QTest::keyClick(Editor(), Qt::Key_Return);
    EXPECT_TRUE(grid->IsActive());
    EXPECT_EQ(Log(":end").size(), 1u);
    qobject_cast<QLineEdit*>(Editor())->setText("8");
    QTest::keyClick(Editor(), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_TRUE(grid->IsCurrentCell(2, 2));
    EXPECT_EQ(Log(":end").back(), "r3:end2=8");
}

TEST_F(PropertiesGrid, AClosingFrameAcceptsEveryCellAndWritesNothing) {
    QWidget frame;
    Make(2);
    grid->setParent(&frame);
    grid->show();
    grid->UpdateRows();
    frame.resize(400, 300);
    ASSERT_TRUE(ShowActive(frame));
    Type(1, "bad");
    frame.setProperty(ZRPropertiesGrid::kClosingProperty, true);
    size_t validations = Row(1)->validated.size();
    EXPECT_TRUE(grid->SetCurrentCell(2, 2));
    EXPECT_EQ(Row(1)->validated.size(), validations);
    EXPECT_TRUE(Log(":end").empty());
    grid.release(); // the frame owns it now
}

TEST_F(PropertiesGrid, MovedRowsKeepTheListInGridOrder) {
    Make(6);
    grid->UpdateRows();
    ASSERT_TRUE(grid->MoveRows(2, 3, 4)); // rows 2 and 3 below row 5
    std::vector<std::string> names;
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(Row(n)->GetRow(), n);
        names.push_back(grid->Value(n, 1));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"r1", "r4", "r5", "r2", "r3", "r6"}));
    ASSERT_TRUE(grid->MoveRows(5, 6, 1));
    EXPECT_EQ(grid->Value(1, 1), "r3");
    EXPECT_EQ(grid->Value(2, 1), "r6");
    EXPECT_EQ(Row(1)->GetRow(), 1);
    EXPECT_FALSE(grid->MoveRows(5, 7, 1));
}

TEST_F(PropertiesGrid, AnEmptyGridPassesTheFocusToItsNeighbourPane) {
    QWidget window;
    auto* next = new QLineEdit(&window);
    auto* previous = new QLineEdit(&window);
    Make(0);
    grid->setParent(&window);
    grid->show();
    grid->SetPanes(next, previous);
    grid->UpdateRows();
    ASSERT_TRUE(ShowActive(window));
    previous->setFocus();
    grid->setFocus();
    EXPECT_TRUE(next->hasFocus());
    grid->setFocus(); // from the next pane: back to the previous one
    EXPECT_TRUE(previous->hasFocus());
    EXPECT_TRUE(grid->OnCommand(ID_NEXT_PANE));
    EXPECT_TRUE(next->hasFocus());
    grid.release();
}
