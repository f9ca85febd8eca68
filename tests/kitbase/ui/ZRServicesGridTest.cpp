#include "support/ui/UiTestApp.h"

#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZRNodeMgr.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "kitbase/ui/ZRServicesView.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/MainWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace platform::ui::ids;

namespace {

class CommandLog : public ZRNodeMgr {
public:
    CommandLog() : ZRNodeMgr(nullptr, nullptr, nullptr) {}
    void Initialize() override {}
    void DoCommand(unsigned int id) override { calls.push_back("run " + std::to_string(id)); }
    void DoCommand2(unsigned int id, unsigned int extra) override {
        calls.push_back((extra ? "up " : "down ") + std::to_string(id));
    }
    std::vector<std::string> calls;
};

// A services view in a node frame of a main window, with command rows 1001, 1002, 1003.
class ZRServicesGridInFrame : public testing::Test {
protected:
    void SetUp() override {
        frame = new CSizableChildFrame;
        view = new ZRServicesView;
        frame->SetView(view);
        window.AddChildFrame(frame);
        window.resize(600, 400);
        frame->resize(300, 300);
        view->OnInitialUpdate();
        grid = view->GetGrid();
        for (unsigned id : {1001u, 1002u, 1003u})
            grid->GetRows().emplace_back(new ZRCommandRow("Command " + std::to_string(id), id, &owner));
        grid->UpdateRows();
        ASSERT_TRUE(ShowActive(window));
    }

    void Mouse(QEvent::Type type, int row, Qt::MouseButtons buttons) {
        QPoint pos = grid->CellRect(row, 1).center();
        QMouseEvent event(type, pos, grid->viewport()->mapToGlobal(pos), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &event);
    }
    void Press(int row) { Mouse(QEvent::MouseButtonPress, row, Qt::LeftButton); }
    void MoveTo(int row) {
        QPoint pos = grid->CellRect(row, 1).center();
        QMouseEvent event(QEvent::MouseMove, pos, grid->viewport()->mapToGlobal(pos), Qt::NoButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &event);
    }
    void Release(int row) { Mouse(QEvent::MouseButtonRelease, row, Qt::NoButton); }

    CommandLog owner;
    platform::ui::MainWindow window;
    CSizableChildFrame* frame = nullptr;
    ZRServicesView* view = nullptr;
    ZRServicesGrid* grid = nullptr;
};

TEST_F(ZRServicesGridInFrame, RowsAreNumberedAndTheFrameRoutesTheirCommandsInRowOrder) {
    EXPECT_EQ(grid->RowCount(), 3);
    EXPECT_EQ(grid->ColCount(), 1);
    EXPECT_EQ(grid->RowHeight(0), 0); // no headers
    EXPECT_EQ(grid->ColWidth(0), 0);
    EXPECT_EQ(grid->Value(2, 1), "Command 1002");

    grid->GetRows().emplace_back(new ZRCommandRow("Command 1004", 1004, &owner));
    grid->UpdateRows();
    std::vector<int> numbers;
    for (const std::unique_ptr<ZRGridRow>& row : grid->GetRows())
        numbers.push_back(row->GetRow());
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(frame->RoutedCommands(), (std::vector<unsigned>{1001, 1002, 1003, 1004}));
    EXPECT_EQ(grid->Value(4, 1), "Command 1004");
}

TEST_F(ZRServicesGridInFrame, ButtonsAreWideEnoughForTheLongestCaption) {
    const int classic = grid->ColWidth(1);
    const std::string caption = "Reset EEPROM to Factory Settings and Restart the Drive";
    grid->GetRows().emplace_back(new ZRCommandRow(caption, 1004, &owner));
    grid->UpdateRows();
    EXPECT_GT(grid->ColWidth(1), grid->fontMetrics().horizontalAdvance(QString::fromStdString(caption)));
    // Short captions keep the classic width.
    grid->GetRows().pop_back();
    grid->UpdateRows();
    EXPECT_EQ(grid->ColWidth(1), classic);
}

TEST_F(ZRServicesGridInFrame, AClickHoldsTheCommandWhileDownThenRunsIt) {
    Press(2);
    EXPECT_TRUE(grid->IsPressed());
    Release(2);
    EXPECT_FALSE(grid->IsPressed());
    EXPECT_EQ(owner.calls, (std::vector<std::string>{"down 1002", "up 1002", "run 1002"}));
}

TEST_F(ZRServicesGridInFrame, SlidingOffTheButtonReleasesTheCommandBeforeTheMouseComesUp) {
    Press(1);
    MoveTo(1); // staying on the cell keeps the press
    EXPECT_EQ(owner.calls, (std::vector<std::string>{"down 1001"}));
    MoveTo(3);
    EXPECT_EQ(owner.calls, (std::vector<std::string>{"down 1001", "up 1001"}));
    EXPECT_FALSE(grid->IsPressed());
    Release(3);
    EXPECT_EQ(owner.calls, (std::vector<std::string>{"down 1001", "up 1001"}));
}

TEST_F(ZRServicesGridInFrame, EnterRunsTheCurrentRowsCommand) {
    grid->setFocus();
    ASSERT_TRUE(grid->SetCurrentCell(2, 1));
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(owner.calls, (std::vector<std::string>{"run 1002"}));
}

TEST_F(ZRServicesGridInFrame, TabMovesDownAndShiftTabUp) {
    grid->setFocus();
    ASSERT_TRUE(grid->SetCurrentCell(1, 1));
    QTest::keyClick(grid, Qt::Key_Tab);
    int row = 0, col = 0;
    ASSERT_TRUE(grid->GetCurrentCell(row, col));
    EXPECT_EQ(row, 2);
    QTest::keyClick(grid, Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_TRUE(grid->GetCurrentCell(row, col));
    EXPECT_EQ(row, 1);
    EXPECT_TRUE(owner.calls.empty());
}

TEST(ZRServicesGrid, WithoutRowsOrCollapsedItPassesTheFocusOn) {
    QWidget host;
    auto* layout = new QVBoxLayout(&host);
    auto* previous = new QLineEdit(&host);
    auto* grid = new ZRServicesGrid(&host);
    auto* next = new QLineEdit(&host);
    layout->addWidget(previous);
    layout->addWidget(grid);
    layout->addWidget(next);
    grid->OnInitialUpdate();
    grid->SetPanes(next, previous);
    ASSERT_TRUE(ShowActive(host));

    previous->setFocus();
    grid->setFocus();
    EXPECT_TRUE(next->hasFocus());
    // Coming back from the next pane it goes on to the previous one.
    grid->setFocus();
    EXPECT_TRUE(previous->hasFocus());

    // With rows it keeps the focus, unless its pane is collapsed.
    CommandLog owner;
    grid->GetRows().emplace_back(new ZRCommandRow("Run", 5, &owner));
    grid->UpdateRows();
    grid->setFocus();
    EXPECT_TRUE(grid->hasFocus());
    previous->setFocus();
    grid->SetCollapsed(true);
    grid->setFocus();
    EXPECT_TRUE(next->hasFocus());

    // The pane commands follow the links.
    EXPECT_TRUE(grid->OnCommand(ID_PREV_PANE));
    EXPECT_TRUE(previous->hasFocus());
}

} // namespace
