#include "TestNodes.h"
#include "support/ModalScript.h"
#include "support/model/ScopedPage.h"
#include "support/ui/UiTestApp.h"

#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRTest.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRAttributeHeader.h"
#include "kitbase/ui/ZRAttributeRow.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZREditRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/MainWindow.h"
#include "platform/ui/Splitter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QPointer>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

using namespace platform::ui::ids;

namespace {

// The empty space a user sees in the grid's window to the right of its last column and below its
// last row; negative where something is cut off.
QSize Slack(platform::ui::Grid& grid) {
    const int col = grid.model()->columnCount() - 1;
    const int row = grid.model()->rowCount() - 1;
    return {grid.viewport()->width() - grid.columnViewportPosition(col) - grid.columnWidth(col),
            grid.viewport()->height() - grid.rowViewportPosition(row) - grid.rowHeight(row)};
}

// Edit rows, so that the sheet's Revert has values to put back.
class EditRows : public ZRMonitorRowFactory {
public:
    std::unique_ptr<ZRGridRow> CreateRow(ZRAttribute* attribute, bool) override {
        return std::make_unique<ZREditRow>(attribute, std::make_unique<ZRAttributeHeader>(attribute));
    }
};

// The root node of a test tree opens its sheet in a main window; it has two command rows.
class ZRPropertiesViewTest : public testing::Test {
protected:
    void SetUp() override {
        main.resize(1000, 800);
        ASSERT_TRUE(ShowActive(main));
        node = tree.rootNode;
        node->SetHasCommands(true);
        node->commandRows = {{"Reset", 41000}, {"Home", 41001}};
    }

    // Opens the sheet, in the normal state at the given size.
    ZRPropertiesView* Open(int width = 800, int height = 600) {
        node->ShowProperties();
        ZRPropertiesView* view = node->GetPropsView();
        if (!view)
            return nullptr;
        frame = node->GetPropsFrame();
        QCoreApplication::processEvents();
        frame->showNormal();
        frame->resize(width, height);
        QCoreApplication::processEvents();
        return view;
    }
    static int ScrollExtent(QWidget* w) {
        return w->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, w);
    }

    platform::ui::MainWindow main;
    TestTree tree{&main};
    TestNodeMgr* node = nullptr;
    CSizableChildFrame* frame = nullptr;
};

TEST_F(ZRPropertiesViewTest, OpensWithThreeTitledPanesSizesAndClosesAsTheNodeAllows) {
    ZRPropertiesView* view = Open();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(frame->GetController(), node);
    ASSERT_NE(view->m_pStatusGrid, nullptr);
    ASSERT_NE(view->m_pServicesGrid, nullptr);
    EXPECT_EQ(view->m_pPropertiesGrid->GetTitle(), "Parameter");
    EXPECT_EQ(view->m_pStatusGrid->GetTitle(), "Status");
    EXPECT_TRUE(view->m_pStatusGrid->IsAlwaysRefresh());
    EXPECT_FALSE(view->m_pPropertiesGrid->IsAlwaysRefresh());
    EXPECT_EQ(view->m_pServicesGrid->RowCount(), 2);
    EXPECT_EQ(frame->RoutedCommands(), (std::vector<unsigned>{41000, 41001}));
    EXPECT_TRUE(view->Item(IDC_SETUP_MONITOR)->isEnabled());
    EXPECT_TRUE(view->Item(IDC_SHOW_STATUS)->isChecked());
    EXPECT_TRUE(view->Item(IDC_SHOW_COMMANDS)->isChecked());

    // The panes fill the view above the buttons, which follow its lower right corner.
    const QSize size = view->size();
    EXPECT_EQ(view->GetMainPane()->geometry(), QRect(2, 2, size.width() - 4, size.height() - 42));
    EXPECT_EQ(view->Item(ID_HELP)->geometry(), QRect(size.width() - 65, size.height() - 30, 60, 25));
    EXPECT_EQ(view->Item(IDC_SETUP_MONITOR)->geometry(),
              QRect(size.width() - 260, size.height() - 30, 60, 25));
    QWidget* showCommands = view->Item(IDC_SHOW_COMMANDS);
    EXPECT_EQ(showCommands->geometry(),
              QRect(2, size.height() - 19, std::max(108, showCommands->sizeHint().width()), 17));

    // A node that refuses keeps its sheet; its device hears nothing.
    QPointer<ZRPropertiesView> alive(view);
    node->canClose = false;
    view->Item(ID_FILE_CLOSE)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(alive);
    EXPECT_EQ(node->GetPropsView(), view);
    EXPECT_EQ(tree.device.savePowerUpCalls, 0);

    node->canClose = true;
    view->Item(ID_FILE_CLOSE)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(alive);
    EXPECT_EQ(node->GetPropsView(), nullptr);
    EXPECT_FALSE(node->IsWindowOpen());
    EXPECT_EQ(tree.device.savePowerUpCalls, 1);
}

TEST_F(ZRPropertiesViewTest, FirstLayoutFromTheContentsThenGrowthGoesToTheParameters) {
    ZRPropertiesView* view = Open(900, 700);
    ASSERT_NE(view, nullptr);
    platform::ui::Splitter* inner = view->GetInnerSplitter();
    platform::ui::Splitter* outer = view->GetOuterSplitter();
    const int column = inner->PaneSize(0);
    const int row = outer->PaneSize(0);
    // The services column shows its buttons whole and the status row its rows, with little to spare;
    // the parameters get the rest.
    const QSize services = Slack(*view->m_pServicesGrid);
    const QSize status = Slack(*view->m_pStatusGrid);
    EXPECT_GE(services.width(), 0);
    EXPECT_LE(services.width(), ScrollExtent(view) + 4);
    EXPECT_GE(status.height(), 0);
    EXPECT_LE(status.height(), ScrollExtent(view) + 13);
    EXPECT_GT(column, inner->width() / 2);
    EXPECT_GT(row, outer->height() / 2);

    frame->resize(frame->width() + 120, frame->height() + 80);
    QCoreApplication::processEvents();
    EXPECT_EQ(inner->PaneSize(0), column + 120);
    EXPECT_EQ(outer->PaneSize(0), row + 80);
}

TEST_F(ZRPropertiesViewTest, ShowBoxesCollapseAndRestoreTheirPanes) {
    ZRPropertiesView* view = Open();
    ASSERT_NE(view, nullptr);
    platform::ui::Splitter* outer = view->GetOuterSplitter();
    platform::ui::Splitter* inner = view->GetInnerSplitter();
    QAbstractButton* showStatus = view->Item(IDC_SHOW_STATUS);
    QAbstractButton* showCommands = view->Item(IDC_SHOW_COMMANDS);
    const int row = outer->PaneSize(0);
    const int column = inner->PaneSize(0);

    showStatus->click();
    EXPECT_EQ(outer->PaneSize(1), 0);
    EXPECT_FALSE(showStatus->isChecked());
    showStatus->click();
    // Shown again, the pane is as its contents laid it out first.
    EXPECT_EQ(outer->PaneSize(0), row);
    EXPECT_TRUE(showStatus->isChecked());

    // Dragging the bar down to nothing unchecks the box.
    outer->SetPaneSize(0, outer->height());
    EXPECT_EQ(outer->PaneSize(1), 0);
    EXPECT_FALSE(showStatus->isChecked());

    showCommands->click();
    EXPECT_EQ(inner->PaneSize(1), 0);
    EXPECT_FALSE(showCommands->isChecked());
    showCommands->click();
    EXPECT_EQ(inner->PaneSize(0), column);
    EXPECT_TRUE(showCommands->isChecked());
}

TEST_F(ZRPropertiesViewTest, RevertPutsBackTheValuesOfTheOpening) {
    EditRows edits;
    ScopedRowFactory installed(&edits);
    tree.root->Long(0).SetAsString("12");
    ZRPropertiesView* view = Open();
    ASSERT_NE(view, nullptr);

    tree.root->Long(0).SetAsString("345");
    view->Item(IDC_REVERT)->click();
    EXPECT_EQ(tree.root->Long(0).GetAsString(), "12");
}

TEST_F(ZRPropertiesViewTest, CopyAndPasteOfTheParameterGridWriteThroughTheRows) {
    EditRows edits;
    ScopedRowFactory installed(&edits);
    tree.root->Long(0).SetAsString("12");
    ZRPropertiesView* view = Open();
    ASSERT_NE(view, nullptr);
    ZRPropertiesGrid& grid = *view->m_pPropertiesGrid;
    auto rowOf = [&grid](ZRAttribute* attribute) {
        for (const std::unique_ptr<ZRGridRow>& row : grid.GetRows())
            if (auto* attributeRow = dynamic_cast<ZRAttributeRow*>(row.get());
                attributeRow && attributeRow->GetAttribute() == attribute)
                return row->GetRow();
        return 0;
    };
    const int from = rowOf(&tree.root->Long(0));
    const int to = rowOf(&tree.root->Long(1));
    ASSERT_GT(from, 0);
    ASSERT_GT(to, 0);

    platform::ui::CommandRouter router([this] { return frame->CommandChain(); });
    EXPECT_FALSE(router.Query(ID_EDIT_COPY).enabled); // no current cell
    ASSERT_TRUE(grid.SetCurrentCell(from, 2));
    EXPECT_TRUE(router.Execute(ID_EDIT_COPY));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("12"));
    ASSERT_TRUE(grid.SetCurrentCell(to, 2));
    EXPECT_TRUE(router.Query(ID_EDIT_PASTE).enabled);
    EXPECT_TRUE(router.Execute(ID_EDIT_PASTE));
    EXPECT_EQ(tree.root->Long(1).GetAsString(), "12");
    EXPECT_EQ(grid.Value(to, 2), "12");
}

// Each row of the table opens a view with the switches set so, in a frame of its own.
TEST(ZRPropertiesView, PaneSwitchesAreOneShotAndShapeTheView) {
    struct Case {
        bool status, services;
    };
    for (const Case& c : {Case{true, true}, Case{true, false}, Case{false, true}, Case{false, false}}) {
        SCOPED_TRACE(std::to_string(c.status) + std::to_string(c.services));
        ZRPropertiesView::s_bCreateStatusPane = c.status;
        ZRPropertiesView::s_bCreateServicesPane = c.services;
        ZRPropertiesView view;
        EXPECT_TRUE(ZRPropertiesView::s_bCreateStatusPane);
        EXPECT_TRUE(ZRPropertiesView::s_bCreateServicesPane);
        EXPECT_EQ(view.HasStatusPane(), c.status);
        EXPECT_EQ(view.m_pStatusGrid != nullptr, c.status);
        EXPECT_EQ(view.m_pServicesGrid != nullptr, c.services);
        ASSERT_NE(view.m_pPropertiesGrid, nullptr);
        QWidget* main = c.status     ? static_cast<QWidget*>(view.GetOuterSplitter())
                        : c.services ? static_cast<QWidget*>(view.GetInnerSplitter())
                                     : view.m_pPropertiesGrid;
        EXPECT_EQ(view.GetMainPane(), main);

        view.OnInitialUpdate();
        EXPECT_FALSE(view.Item(IDC_SETUP_MONITOR)->isEnabled()); // no object
        EXPECT_EQ(view.Item(IDC_SHOW_STATUS)->isEnabled(), c.status);
        EXPECT_EQ(view.Item(IDC_SHOW_COMMANDS)->isEnabled(), c.services);
        if (!c.services) {
            EXPECT_FALSE(view.Item(IDC_SHOW_COMMANDS)->isChecked());
        }
    }
}

TEST(ZRPropertiesView, PaneCommandsFollowTheLinks) {
    platform::ui::MainWindow main;
    // Grids with a row each: an empty grid would pass the focus on.
    auto open = [&main](bool status, bool services) {
        ZRPropertiesView::s_bCreateStatusPane = status;
        ZRPropertiesView::s_bCreateServicesPane = services;
        auto* frame = new CSizableChildFrame;
        auto* view = new ZRPropertiesView;
        frame->SetView(view);
        main.AddChildFrame(frame);
        frame->SendInitialUpdate();
        for (ZRPropertiesGrid* grid : {view->m_pPropertiesGrid, view->m_pStatusGrid})
            if (grid) {
                grid->GetRows().emplace_back(new ZRGridRow);
                grid->UpdateRows();
            }
        if (view->m_pServicesGrid) {
            view->m_pServicesGrid->GetRows().emplace_back(new ZRCommandRow("Reset", 41000, nullptr));
            view->m_pServicesGrid->UpdateRows();
        }
        frame->resize(700, 500);
        return view;
    };
    ZRPropertiesView* bare = open(false, false);
    ASSERT_TRUE(ShowActive(main));
    QCoreApplication::processEvents();

    // A view holding the parameter grid alone: the next pane is Revert, the previous one Help.
    bare->m_pPropertiesGrid->setFocus();
    bare->m_pPropertiesGrid->OnCommand(ID_NEXT_PANE);
    EXPECT_TRUE(bare->Item(IDC_REVERT)->hasFocus());
    // From a control of the view the next pane is the parameter grid again.
    bare->OnCommand(ID_NEXT_PANE);
    EXPECT_TRUE(bare->m_pPropertiesGrid->hasFocus());
    bare->m_pPropertiesGrid->OnCommand(ID_PREV_PANE);
    EXPECT_TRUE(bare->Item(ID_HELP)->hasFocus());

    // With all panes: parameters, services, status, the "Show Status" box; its view becomes active.
    ZRPropertiesView* full = open(true, true);
    QCoreApplication::processEvents();
    auto* frame = platform::ui::ChildFrame::FrameOf(full);
    full->m_pPropertiesGrid->setFocus();
    full->m_pPropertiesGrid->OnCommand(ID_NEXT_PANE);
    EXPECT_TRUE(full->m_pServicesGrid->hasFocus());
    EXPECT_EQ(frame->ActiveView(), platform::ui::ViewOf(full->m_pServicesGrid));
    full->m_pServicesGrid->OnCommand(ID_NEXT_PANE);
    EXPECT_TRUE(full->m_pStatusGrid->hasFocus());
    full->m_pStatusGrid->OnCommand(ID_NEXT_PANE);
    EXPECT_TRUE(full->Item(IDC_SHOW_STATUS)->hasFocus());
    EXPECT_EQ(frame->ActiveView(), full);
    // From one of its controls the view's previous pane is the status grid.
    full->OnCommand(ID_PREV_PANE);
    EXPECT_TRUE(full->m_pStatusGrid->hasFocus());
}

TEST_F(ZRPropertiesViewTest, HarnessQueriesGoThroughTheBoundedPage) {
    ZRPropertiesView* view = Open();
    ASSERT_NE(view, nullptr);
    ZRPropertiesGrid& grid = *view->m_pPropertiesGrid;
    ASSERT_GE(grid.RowCount(), 2);
    ScopedPage page("/qv-props-" + std::to_string(getpid()));
    ASSERT_TRUE(page.Page().HasPage());
    auto cell = [](int row, int col) { return static_cast<long>(row) << 16 | col; };

    // Type 1: the cell's text, cut to the page and terminated.
    grid.SetValue(1, 2, std::string(400, 'x'));
    EXPECT_EQ(view->OnVtMessage(1, cell(1, 2)), 0);
    std::string text;
    ASSERT_TRUE(page.Page().ReadText(text));
    EXPECT_EQ(text, std::string(254, 'x'));
    EXPECT_EQ(page.Page().GetBaseFileAddress()[254], 0);

    // Type 2: the page's text into the cell.
    ASSERT_TRUE(page.Page().WriteText("Motor 7"));
    view->OnVtMessage(2, cell(2, 2));
    EXPECT_EQ(grid.Value(2, 2), "Motor 7");

    // Type 3: row 2, column 1 is lParam 0x00020001; left, right, top, bottom at 0, 16, 32, 48.
    EXPECT_EQ(cell(2, 1), 0x00020001L);
    view->OnVtMessage(3, 0x00020001L);
    QRect r = grid.CellRect(2, 1).translated(grid.viewport()->pos());
    EXPECT_EQ(page.IntAt(0), r.left());
    EXPECT_EQ(page.IntAt(16), r.left() + r.width());
    EXPECT_EQ(page.IntAt(32), r.top());
    EXPECT_EQ(page.IntAt(48), r.top() + r.height());

    // Type 4: the status grid's cell on the screen.
    view->OnVtMessage(4, cell(1, 1));
    ZRPropertiesGrid& status = *view->m_pStatusGrid;
    QPoint corner = status.viewport()->mapToGlobal(status.CellRect(1, 1).topLeft());
    EXPECT_EQ(page.IntAt(0), corner.x());
    EXPECT_EQ(page.IntAt(32), corner.y());
}

TEST_F(ZRPropertiesViewTest, HarnessQueriesWithoutAPageDoNothing) {
    ZRPropertiesView* view = Open();
    ASSERT_NE(view, nullptr);
    ModalScript script;
    script.ExpectMessage("Memory Mapped File could not be created.", platform::core::IDOK);
    ScopedPage page("/no/such/page");
    ASSERT_FALSE(page.Page().HasPage());
    view->m_pPropertiesGrid->SetValue(1, 2, "kept");
    for (unsigned type : {1u, 2u, 3u, 4u, 9u})
        EXPECT_EQ(view->OnVtMessage(type, 0x00010002L), 0);
    EXPECT_EQ(view->m_pPropertiesGrid->Value(1, 2), "kept");
}

TEST_F(ZRPropertiesViewTest, SetupWithoutAMonitorTreeSaysSo) {
    ZRPropertiesView* view = Open();
    ASSERT_NE(view, nullptr);
    ModalScript script;
    script.ExpectMessage("Programmer's Error: No Setup tree defined", platform::core::IDOK);
    view->Item(IDC_SETUP_MONITOR)->click();
}

TEST_F(ZRPropertiesViewTest, SetupRunsTheMonitorSetupOverTheStatusRows) {
    node->m_pMonitorGroup = std::make_unique<ZRPropertyGroup>();
    node->m_pMonitorGroup->SetName("Monitor");
    ZRPropertiesView* view = Open();
    ASSERT_NE(view, nullptr);
    const size_t before = view->m_pStatusGrid->GetRows().size();
    ModalScript script;
    script.Expect(platform::core::ModalKind::Dialog, {},
                  [](platform::core::ModalRequest&) { return platform::core::IDCANCEL; });
    view->Item(IDC_SETUP_MONITOR)->click();
    EXPECT_EQ(view->m_pStatusGrid->GetRows().size(), before);
}

} // namespace
