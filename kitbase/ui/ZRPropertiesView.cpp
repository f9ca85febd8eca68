#include "kitbase/ui/ZRPropertiesView.h"

#include "kitbase/model/ZRTest.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRMonitorSetup.h"
#include "kitbase/ui/ZRNodeMgr.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropsView.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "kitbase/ui/ZRServicesView.h"
#include "kitbase/ui/ZRViewControls.h"
#include "platform/ui/ChildFrame.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/Guard.h"
#include "platform/ui/Splitter.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>

#include <algorithm>
#include <cmath>

using namespace platform::ui::ids;

bool ZRPropertiesView::s_bCreateStatusPane = true;
bool ZRPropertiesView::s_bCreateServicesPane = true;

namespace {

constexpr int kPaneViewSize = 200;
constexpr int kStatusIdealHeight = 180;
constexpr int kServicesColumnWidth = 300;

int ColumnsWidth(const platform::ui::Grid& grid) {
    int width = 0;
    for (int col = 0; col <= grid.ColCount(); ++col)
        width += grid.ColWidth(col);
    return width;
}

int RowsHeight(const platform::ui::Grid& grid) {
    int height = 0;
    for (int row = 0; row <= grid.RowCount(); ++row)
        height += grid.RowHeight(row);
    return height;
}

// The new size of the first of two panes that share `avail`. Growing, the first pane grows toward
// its need, then the second toward its own, and the first takes what is left; shrinking, the second
// gives up its surplus, then the first, and only then does the second go below its need.
int Share(int current, int delta, int avail, int firstNeed, int secondNeed) {
    if (current < 0)
        return std::max(firstNeed, avail - secondNeed);
    const int second = (avail - delta) - current;
    if (delta > 0) {
        int grow = std::min(delta, std::max(firstNeed - current, 0));
        current += grow;
        delta -= grow;
        delta -= std::min(delta, std::max(secondNeed - second, 0));
        current += delta;
    } else if (delta < 0) {
        int shrink = -delta;
        shrink -= std::min(shrink, std::max(second - secondNeed, 0));
        current -= std::min(shrink, std::max(current - firstNeed, 0));
    }
    return current;
}

} // namespace

ZRPropertiesView::ZRPropertiesView(QWidget* parent) : QWidget(parent) {
    constexpr const char* kWhere = "properties view control";
    m_pShowStatus = ZRViewControls::AddCheck(*this, *this, IDC_SHOW_STATUS, "Show Status", kWhere);
    m_pClose = ZRViewControls::AddButton(*this, *this, ID_FILE_CLOSE, "Close", kWhere);
    m_pRevert = ZRViewControls::AddButton(*this, *this, IDC_REVERT, "Revert", kWhere);
    m_pShowCommands = ZRViewControls::AddCheck(*this, *this, IDC_SHOW_COMMANDS, "Show Commands", kWhere);
    m_pHelp = ZRViewControls::AddButton(*this, *this, ID_HELP, "Help", kWhere);
    m_pSetup = ZRViewControls::AddButton(*this, *this, IDC_SETUP_MONITOR, "Setup...", kWhere);
    Create();
    // A click or a focus move into a pane makes that pane the active view of the frame, so that
    // menu commands reach the pane the user works in.
    m_FocusLink = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!now || !isAncestorOf(now))
            return;
        platform::ui::ChildFrame* frame = platform::ui::ChildFrame::FrameOf(this);
        if (frame && frame->ActiveView() != platform::ui::ViewOf(now))
            platform::ui::ActivateViewOfFocus(now);
    });
}

ZRPropertiesView::~ZRPropertiesView() {
    // Focus moves while the panes go must not reach a half-destroyed view.
    disconnect(m_FocusLink);
    if (m_pMainPane && m_pMainPane == m_pPropertiesGrid) {
        delete m_pPropertiesGrid;
        m_pPropertiesGrid = nullptr;
        m_pMainPane = nullptr;
    }
    Notify(3);
}

QAbstractButton* ZRPropertiesView::Item(int id) const {
    switch (id) {
    case IDC_SHOW_STATUS:
        return m_pShowStatus;
    case ID_FILE_CLOSE:
        return m_pClose;
    case IDC_REVERT:
        return m_pRevert;
    case IDC_SHOW_COMMANDS:
        return m_pShowCommands;
    case ID_HELP:
        return m_pHelp;
    case IDC_SETUP_MONITOR:
        return m_pSetup;
    default:
        return nullptr;
    }
}

void ZRPropertiesView::Create() {
    if (!s_bCreateStatusPane) {
        m_bStatusPane = false;
        s_bCreateStatusPane = true;
    }
    if (!s_bCreateServicesPane) {
        m_bServicesPane = false;
        s_bCreateServicesPane = true;
    }

    ZRPropsView* paramView = nullptr;
    ZRPropsView* statusView = nullptr;
    ZRServicesView* servicesView = nullptr;
    QWidget* innerParent = this;
    if (m_bStatusPane) {
        m_pOuterSplitter = new platform::ui::Splitter(Qt::Vertical, this);
        m_pOuterSplitter->SetPaneSize(0, kStatusIdealHeight);
        m_pMainPane = m_pOuterSplitter;
        innerParent = m_pOuterSplitter;
    }
    if (m_bServicesPane) {
        m_pInnerSplitter = new platform::ui::Splitter(Qt::Horizontal, innerParent);
        if (!m_pMainPane)
            m_pMainPane = m_pInnerSplitter;
        else
            m_pOuterSplitter->addWidget(m_pInnerSplitter);
    }
    if (m_pInnerSplitter) {
        paramView = new ZRPropsView(m_pInnerSplitter);
        m_pInnerSplitter->addWidget(paramView);
        servicesView = new ZRServicesView(m_pInnerSplitter);
        servicesView->resize(kPaneViewSize, kPaneViewSize);
        m_pInnerSplitter->addWidget(servicesView);
    } else if (m_pOuterSplitter) {
        paramView = new ZRPropsView(m_pOuterSplitter);
        m_pOuterSplitter->addWidget(paramView);
    }
    if (m_pOuterSplitter) {
        statusView = new ZRPropsView(m_pOuterSplitter);
        statusView->resize(kPaneViewSize, kPaneViewSize);
        m_pOuterSplitter->addWidget(statusView);
    }

    if (paramView) {
        m_pPropertiesGrid = paramView->GetGrid();
    } else {
        m_pPropertiesGrid = new ZRPropertiesGrid(this);
        m_pPropertiesGrid->setGeometry(0, 0, 1000, 1000);
        m_pMainPane = m_pPropertiesGrid;
    }
    if (statusView) {
        m_pStatusGrid = statusView->GetGrid();
        statusView->SetShowButton(m_pShowStatus);
        m_pStatusGrid->SetAlwaysRefresh(true);
        m_pStatusGrid->SetTitle("Status");
    }
    if (servicesView) {
        m_pServicesGrid = servicesView->GetGrid();
        servicesView->SetShowButton(m_pShowCommands);
        m_pInnerSplitter->SetPaneSize(0, kServicesColumnWidth);
    }
    m_pPropertiesGrid->SetTitle("Parameter");
    if (m_pMainPane == m_pPropertiesGrid)
        m_pPropertiesGrid->OnInitialUpdate();
    UpdateTabs();
}

void ZRPropertiesView::UpdateTabs() {
    if (m_pStatusGrid && m_pServicesGrid) {
        m_pPropertiesGrid->SetPanes(m_pServicesGrid, m_pHelp);
        m_pServicesGrid->SetPanes(m_pStatusGrid, m_pPropertiesGrid);
        m_pStatusGrid->SetPanes(m_pShowStatus, m_pServicesGrid);
    } else if (m_pStatusGrid) {
        m_pPropertiesGrid->SetPanes(m_pStatusGrid, m_pHelp);
        m_pStatusGrid->SetPanes(m_pShowStatus, m_pPropertiesGrid);
    } else if (m_pServicesGrid) {
        m_pPropertiesGrid->SetPanes(m_pServicesGrid, m_pHelp);
        m_pServicesGrid->SetPanes(m_pShowCommands, m_pPropertiesGrid);
    } else {
        m_pPropertiesGrid->SetPanes(m_pRevert, m_pHelp);
    }
}

void ZRPropertiesView::SetDefaultSizing(float first, float second) {
    m_FirstSizing = first;
    m_SecondSizing = second;
}

// ---- activation and focus

int ZRPropertiesView::SaveFocusControl() {
    QWidget* control = ZRPropsView::FindFocusControl(this);
    if (!control)
        return 0;
    m_pFocus = control;
    return 1;
}

void ZRPropertiesView::OnInitialUpdate() {
    m_pSetup->setEnabled(false);
    if (!m_bStatusPane) {
        m_pShowStatus->setChecked(false);
        m_pShowStatus->setEnabled(false);
    }
    if (!m_bServicesPane) {
        m_pShowCommands->setChecked(false);
        m_pShowCommands->setEnabled(false);
    }
    if (m_pObject)
        m_pSetup->setEnabled(m_bStatusPane);
    m_bInitialized = true;
    // The first layout waits for the rows that the node manager adds right after this, unless a
    // size change comes first.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!m_bLaidOut)
                platform::ui::Guard("properties layout", [&] { OnSize(width(), height()); });
        },
        Qt::QueuedConnection);
}

void ZRPropertiesView::OnActivateView(bool activate, platform::ui::View*, platform::ui::View*) {
    if (m_pPropertiesGrid)
        m_pPropertiesGrid->SetViewInactive(!activate);
    if (SaveFocusControl())
        return;
    if (activate && m_pFocus)
        m_pFocus->setFocus(Qt::OtherFocusReason);
}

void ZRPropertiesView::OnActivateFrame(bool active, platform::ui::ChildFrame*) {
    if (!active)
        SaveFocusControl();
}

bool ZRPropertiesView::OnOwnControl() const {
    QWidget* focus = QApplication::focusWidget();
    return focus && (focus == m_pShowStatus || focus == m_pClose || focus == m_pRevert ||
                     focus == m_pShowCommands || focus == m_pHelp || focus == m_pSetup);
}

void ZRPropertiesView::OnNextPaneCmd() {
    ZRViewControls::FocusPane(OnOwnControl() ? static_cast<QWidget*>(m_pPropertiesGrid) : m_pRevert);
}

void ZRPropertiesView::OnPrevPaneCmd() {
    if (!OnOwnControl()) {
        ZRViewControls::FocusPane(m_pRevert);
        return;
    }
    if (m_pStatusGrid)
        ZRViewControls::FocusPane(m_pStatusGrid);
    else if (m_pServicesGrid)
        ZRViewControls::FocusPane(m_pServicesGrid);
    else
        ZRViewControls::FocusPane(m_pPropertiesGrid);
}

// ---- commands

void ZRPropertiesView::OnRevert() {
    m_pPropertiesGrid->Revert();
}

void ZRPropertiesView::OnSetupMonitor() {
    auto* frame = dynamic_cast<CSizableChildFrame*>(platform::ui::ChildFrame::FrameOf(this));
    ZRNodeMgr* controller = frame ? frame->GetController() : nullptr;
    ZRMonitorSetup::EditRows(controller ? controller->GetMonitorTree() : nullptr, m_pStatusGrid);
}

void ZRPropertiesView::OnShowStatus() {
    if (!m_pOuterSplitter)
        return;
    const int height = m_pOuterSplitter->height();
    int row0 = height;
    if (m_pShowStatus->isChecked()) {
        int share = std::max(static_cast<int>(std::floor(height * m_FirstSizing)), 0);
        row0 = std::max(std::min(share, ParameterHeightNeed()), height - StatusHeightNeed());
    }
    m_pOuterSplitter->SetPaneSize(0, row0);
}

void ZRPropertiesView::OnShowCommands() {
    if (!m_pInnerSplitter)
        return;
    const int width = m_pInnerSplitter->width();
    int col0 = width;
    if (m_pShowCommands->isChecked())
        col0 = std::max(ColumnsWidth(*m_pPropertiesGrid) + 20,
                        width - ColumnsWidth(*m_pServicesGrid) - ScrollExtent() - 4);
    m_pInnerSplitter->SetPaneSize(0, col0);
}

const platform::ui::CommandTable* ZRPropertiesView::Commands() const {
    using Row = platform::ui::CommandRow<ZRPropertiesView>;
    using ZRViewControls::kWithControl;
    static const platform::ui::CommandTable table{
        {Row(IDC_REVERT, &ZRPropertiesView::OnRevert, kWithControl),
         Row(IDC_SETUP_MONITOR, &ZRPropertiesView::OnSetupMonitor, kWithControl),
         Row(IDC_SHOW_COMMANDS, &ZRPropertiesView::OnShowCommands, kWithControl),
         Row(IDC_SHOW_STATUS, &ZRPropertiesView::OnShowStatus, kWithControl)},
        &ZRPropsView::SheetCommands<ZRPropertiesView, &ZRPropertiesView::m_pPropertiesGrid>()};
    return &table;
}

// ---- layout

int ZRPropertiesView::ScrollExtent() const {
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

int ZRPropertiesView::ParameterHeightNeed() const {
    int need = RowsHeight(*m_pPropertiesGrid) + ScrollExtent() + 2;
    if (m_pServicesGrid)
        need = std::max(need, RowsHeight(*m_pServicesGrid) + ScrollExtent() + 2);
    return need;
}

int ZRPropertiesView::StatusHeightNeed() const {
    return m_pStatusGrid ? RowsHeight(*m_pStatusGrid) + ScrollExtent() + 13 : 0;
}

void ZRPropertiesView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    platform::ui::ChildFrame* frame = platform::ui::ChildFrame::FrameOf(this);
    if (frame && frame->isMinimized())
        return;
    platform::ui::Guard("properties layout", [&] { OnSize(event->size().width(), event->size().height()); });
}

void ZRPropertiesView::OnSize(int cx, int cy) {
    if (!m_bInitialized || !m_pMainPane)
        return;
    // -1: the splitter has not had its first layout from the contents.
    const int column = m_pInnerSplitter && m_bLaidOut ? m_pInnerSplitter->PaneSize(0) : -1;
    const int row = m_pOuterSplitter && m_bLaidOut ? m_pOuterSplitter->PaneSize(0) : -1;

    const int availWidth = std::max(cx - 4, 0);
    const int availHeight = std::max(cy - 42, 0);
    m_pMainPane->setGeometry(2, 2, availWidth, availHeight);

    if (m_pInnerSplitter) {
        const int paramNeed = ColumnsWidth(*m_pPropertiesGrid) + ScrollExtent() + 4;
        const int servicesNeed = ColumnsWidth(*m_pServicesGrid) + ScrollExtent() + 4;
        const int c = Share(column, cx - m_LastClient.width(), availWidth, paramNeed, servicesNeed);
        m_pInnerSplitter->SetPaneSize(0, std::max(c, 0));
    }
    if (m_pOuterSplitter) {
        const int share = std::max(static_cast<int>(std::floor(availHeight * m_FirstSizing)), 0);
        const int target = std::min(share, ParameterHeightNeed());
        const int h = Share(row, cy - m_LastClient.height(), availHeight, target, StatusHeightNeed());
        m_pOuterSplitter->SetPaneSize(0, std::max(h, 0));
    }

    ZRViewControls::PlaceSheetControls(cx, cy, {m_pHelp, m_pClose, m_pRevert, m_pSetup}, m_pShowStatus, 98,
                                       m_pShowCommands, 108);

    m_LastClient = QRect(0, 0, cx, cy);
    m_bLaidOut = true;
}

// ---- the test harness

long ZRPropertiesView::OnVtMessage(unsigned int type, long cell) {
    ZRTest* test = ZRTest::Instance();
    if (!test || !test->HasPage() || !m_pPropertiesGrid)
        return 0;
    if (ZRViewControls::AnswerGridQuery(*test, *m_pPropertiesGrid, type, cell) || type != 4 || !m_pStatusGrid)
        return 0;
    int row = 0, col = 0;
    ZRViewControls::UnpackCell(cell, row, col);
    const QRect r = m_pStatusGrid->CellRect(row, col);
    ZRViewControls::WriteRect(*test, QRect(m_pStatusGrid->viewport()->mapToGlobal(r.topLeft()), r.size()));
    return 0;
}
