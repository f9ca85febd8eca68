#include "kitbase/ui/ZRScopeView.h"

#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRIdleController.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRScope.h"
#include "kitbase/model/ZRTest.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRGraph.h"
#include "kitbase/ui/ZRGraphControl.h"
#include "kitbase/ui/ZRGraphDisplay.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropsView.h"
#include "kitbase/ui/ZRScopeChartView.h"
#include "kitbase/ui/ZRScopeServicesView.h"
#include "kitbase/ui/ZRSwatchButton.h"
#include "kitbase/ui/ZRViewControls.h"
#include "platform/core/FileStream.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/ui/ChildFrame.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Guard.h"
#include "platform/ui/Splitter.h"
#include "platform/ui/WaitCursor.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

using namespace platform::ui::ids;

namespace {

constexpr int kPropertyIdealWidth = 220;
constexpr int kChartIdealHeight = 230;
constexpr int kMinPaneSize = 100;
constexpr const char* kNoData = "No data to save";
constexpr const char* kSaveFilter = "Scope data file (*.txt)|*.txt|All Files (*.*)|*.*||";
constexpr unsigned kSaveFlags = 0x8006; // overwrite prompt, hide read-only, no read-only return

// The stored value of the channel's scale-type choice; options without values count by index.
int ScaleTypeValue(ZRScope& scope, int channel) {
    ZRIndexSelection* selection = scope.GetChnScaleType(channel);
    if (!selection)
        return -1;
    if (auto* options = dynamic_cast<ZRLongOptions*>(selection->GetOptions()))
        return options->GetData(selection->GetValue());
    return selection->GetValue();
}

} // namespace

ZRScopeView::ZRScopeView(QWidget* parent) : QWidget(parent) {
    constexpr const char* kWhere = "scope view control";
    m_pSave = ZRViewControls::AddButton(*this, *this, IDC_SAVE_DATA, "Save...", kWhere);
    m_pShowProperties =
        ZRViewControls::AddCheck(*this, *this, IDC_SHOW_PROPERTIES, "Show Properties", kWhere);
    m_pShowCommands = ZRViewControls::AddCheck(*this, *this, IDC_SHOW_COMMANDS, "Show Commands", kWhere);
    m_pRevert = ZRViewControls::AddButton(*this, *this, IDC_REVERT, "Revert", kWhere);
    m_pHelp = ZRViewControls::AddButton(*this, *this, ID_HELP, "Help", kWhere);
    m_pClose = ZRViewControls::AddButton(*this, *this, ID_FILE_CLOSE, "Close", kWhere);
    m_pShowProperties->setChecked(true);
    m_pShowCommands->setChecked(true);
    Create();
}

ZRScopeView::~ZRScopeView() {
    StopObservingIdle();
    Notify(ZRUpdate::Destroying);
    m_Samples.clear();
    m_Samples.shrink_to_fit();
    if (m_pScope)
        m_pScope->RemoveObserver(this);
    m_pScope = nullptr;
}

QAbstractButton* ZRScopeView::Item(int id) const {
    switch (id) {
    case IDC_SAVE_DATA:
        return m_pSave;
    case IDC_SHOW_PROPERTIES:
        return m_pShowProperties;
    case IDC_SHOW_COMMANDS:
        return m_pShowCommands;
    case IDC_REVERT:
        return m_pRevert;
    case ID_HELP:
        return m_pHelp;
    case ID_FILE_CLOSE:
        return m_pClose;
    default:
        return nullptr;
    }
}

void ZRScopeView::Create() {
    m_pOuterSplitter = new platform::ui::Splitter(Qt::Horizontal, this);
    m_pInnerSplitter = new platform::ui::Splitter(Qt::Vertical, m_pOuterSplitter);
    m_pOuterSplitter->addWidget(m_pInnerSplitter);
    auto* propsView = new ZRPropsView(m_pOuterSplitter);
    m_pOuterSplitter->addWidget(propsView);
    m_pOuterSplitter->SetPaneSize(0, kPropertyIdealWidth);

    auto* chartView = new ZRScopeChartView(m_pInnerSplitter);
    m_pInnerSplitter->addWidget(chartView);
    m_pServicesView = new ZRScopeServicesView(m_pInnerSplitter);
    m_pInnerSplitter->addWidget(m_pServicesView);
    m_pInnerSplitter->SetPaneSize(0, kChartIdealHeight);

    m_pChart = chartView->GetGraphControl();
    m_pPropertyGrid = propsView->GetGrid();
    m_pPropertyGrid->SetTitle("Property");
    propsView->SetShowButton(m_pShowProperties);
    m_pServicesView->SetScopeView(this);
    m_pServicesView->SetShowButton(m_pShowCommands);
    UpdateTabs();
}

void ZRScopeView::UpdateTabs() {
    m_pPropertyGrid->SetPanes(m_pServicesView->GetArmTriggerCtrl(), m_pHelp);
    m_pServicesView->SetPanes(m_pShowProperties, m_pPropertyGrid);
}

void ZRScopeView::SetCmdNodeMgr(ZRNodeMgr* manager) {
    m_pServicesView->SetCmdNodeMgr(manager);
}

// ---- the scope

void ZRScopeView::SetObject(ZRScope* scope) {
    if (m_pScope == scope)
        return;
    StopObservingIdle();
    if (m_pScope)
        m_pScope->RemoveObserver(this);
    m_pScope = scope;
    if (!scope)
        return;
    scope->AddObserver(this);
    // An off-line scope has no drive to poll.
    ZRDevice* device = scope->GetDevice();
    if (device && !device->IsOffLine()) {
        ZRIdleController::Instance()->AddObserver(this);
        m_bObservingIdle = true;
    }
}

void ZRScopeView::StopObservingIdle() {
    if (!m_bObservingIdle)
        return;
    m_bObservingIdle = false;
    ZRIdleController::Instance()->RemoveObserver(this);
}

void ZRScopeView::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    switch (ReasonOf(message)) {
    case ZRUpdate::IdleTick:
        if (m_bObservingIdle && m_pScope && m_pScope->IsDataReady())
            PlotData(true);
        break;
    case ZRUpdate::ValueChanged:
        if (m_pScope && subject == m_pScope)
            PlotData(false);
        break;
    case ZRUpdate::Destroying:
        // The scope is going: nothing is left to poll or plot.
        if (m_pScope && subject == m_pScope) {
            StopObservingIdle();
            m_pScope = nullptr;
        }
        break;
    default:
        break;
    }
}

void ZRScopeView::PlotData(bool collect) {
    if (!m_pScope)
        return;
    ZRScope& scope = *m_pScope;
    ZRGraph* graph = m_pChart->GetGraph();
    const double dt = scope.GetMsecPerSample();
    graph->ClearData();
    if (collect)
        CollectScopeCapture(scope);

    const int n = std::max(scope.GetNumDataPoints(), 0);
    m_Samples.resize(static_cast<size_t>(n));
    ZRScopeAxes axes;
    const int channels = scope.GetChannelsNum();
    int plotted = 0;
    for (int c = 0; c < channels; ++c) {
        if (!scope.ChannelEnabled(c) || !scope.ChannelValid(c)) {
            m_pServicesView->SetLabelText(c, {});
            continue;
        }
        const int k = plotted++;
        ZRGraphDisplay* display = graph->GetDisplay(k);
        if (!display) {
            display = new ZRGraphDisplay(graph);
            graph->AddDisplay(display);
        }
        ZRSwatchButton* swatch = m_pServicesView->GetLabelColorCtrl(c);
        display->SetDataGroup(k);
        display->SetChannel(c);
        display->SetYLabels(m_YLabels);
        display->SetLabelColorCtrl(swatch);

        scope.GetChannelData(c, m_Samples);
        const QColor colour = swatch ? swatch->GetColour() : QColor(Qt::black);
        double lowest = 0.0, highest = 0.0, lastTime = 0.0;
        bool any = false;
        for (int i = 0; i < n; ++i) {
            const double t = i * dt;
            const double v = m_Samples[static_cast<size_t>(i)];
            graph->AddPoint(k, t, v, colour);
            if (!any || v < lowest)
                lowest = v;
            if (!any || v > highest)
                highest = v;
            lastTime = std::max(lastTime, t);
            any = true;
        }

        const ZRScopeAxis axis =
            axes.Fit(c, scope.GetScaleType(c), ScaleTypeValue(scope, c), scope.GetChannelScale(c),
                     scope.GetChannelOffset(c), lowest, highest);
        display->SetTimeBetweenDivisions(dt * scope.GetTimeDivision());
        display->SetXRange(0.0, lastTime + dt);
        display->SetYRange(axis.minimum, axis.maximum);
        m_pServicesView->SetLabelText(
            c, FormatScopeLabel(scope.GetChannelLegend(c), axis.step, scope.GetChannelUnits(c)));
    }
    // Displays left over from a pass with more channels.
    if (plotted > 0)
        for (int i = channels - 1; i >= plotted; --i)
            graph->RemoveDisplay(i);
    m_pChart->Invalidate();
}

// ---- saving

void ZRScopeView::OnSaveData() {
    if (!m_pScope || m_pScope->GetChannelsNum() < 1) {
        platform::core::MessageBox(kNoData);
        return;
    }
    ZRScope& scope = *m_pScope;
    // Sized to what the scope writes, so a save before the first plot cannot overrun.
    const int lines = std::max(scope.GetNumDataPoints(), 0);
    std::vector<std::vector<float>> columns;
    std::vector<std::string> titles;
    for (int c = 0; c < scope.GetChannelsNum(); ++c) {
        if (!scope.ChannelEnabled(c) || !scope.ChannelValid(c))
            continue;
        std::vector<float> column(static_cast<size_t>(lines));
        scope.GetChannelData(c, column);
        column.resize(static_cast<size_t>(lines));
        columns.push_back(std::move(column));
        titles.push_back(platform::core::Format("%s (%s)", scope.GetChannelLegend(c).c_str(),
                                                scope.GetChannelUnits(c).c_str()));
    }
    if (columns.empty()) {
        platform::core::MessageBox(kNoData);
        return;
    }
    platform::ui::FileDialog dialog(false, "txt", "ScopeData.txt", kSaveFlags, kSaveFilter);
    dialog.SetTitle("Save To:");
    if (dialog.DoModal() != platform::core::IDOK)
        return;
    const std::string path = dialog.GetPathName();
    bool written = false;
    {
        platform::ui::WaitCursor wait;
        written = WriteData(path, titles, columns, lines);
    }
    if (!written)
        platform::core::MessageBox(platform::core::Format("Unable to write %s", path.c_str()));
}

bool ZRScopeView::WriteData(const std::string& path, const std::vector<std::string>& titles,
                            const std::vector<std::vector<float>>& columns, int lines) {
    // Text with Windows line ends, as the file always had.
    std::ofstream out = platform::core::OpenOutputFile(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out << "Time (ms)";
    for (const std::string& title : titles)
        out << '\t' << title;
    out << "\r\n";
    const double dt = m_pScope->GetMsecPerSample();
    double t = 0.0;
    for (int i = 0; i < lines; ++i) {
        out << platform::core::Format("%g", t);
        for (const std::vector<float>& column : columns)
            out << platform::core::Format("\t%g", static_cast<double>(column[static_cast<size_t>(i)]));
        out << "\r\n";
        t += dt;
    }
    out.close();
    return static_cast<bool>(out);
}

// ---- commands

void ZRScopeView::OnRevert() {
    m_pPropertyGrid->Revert();
}

void ZRScopeView::OnShowCommands() {
    const int height = m_pInnerSplitter->height();
    if (m_pShowCommands->isChecked()) {
        int chart = m_ServicesHeight > 0 ? height - m_ServicesHeight - 11
                                         : static_cast<int>(std::floor(height * 0.8));
        m_pInnerSplitter->SetPaneSize(0, std::max(chart, 0));
    } else {
        m_ServicesHeight = std::max(m_pInnerSplitter->PaneSize(1), 0);
        m_pInnerSplitter->SetPaneSize(0, height);
    }
}

void ZRScopeView::OnShowProperties() {
    const int width = m_pOuterSplitter->width();
    if (m_pShowProperties->isChecked()) {
        int left =
            m_PropertyWidth > 0 ? width - m_PropertyWidth - 11 : static_cast<int>(std::floor(width * 0.6));
        m_pOuterSplitter->SetPaneSize(0, std::max(left, 0));
    } else {
        m_PropertyWidth = std::max(m_pOuterSplitter->PaneSize(1), 0);
        m_pOuterSplitter->SetPaneSize(0, width);
    }
}

void ZRScopeView::OnNextPaneCmd() {
    ZRViewControls::FocusPane(m_pPropertyGrid);
}

void ZRScopeView::OnPrevPaneCmd() {
    QWidget* arm = m_pServicesView->GetArmTriggerCtrl();
    arm->setFocus(Qt::OtherFocusReason);
    if (arm->hasFocus())
        platform::ui::ActivateViewOfFocus(arm);
}

const platform::ui::CommandTable* ZRScopeView::Commands() const {
    using Row = platform::ui::CommandRow<ZRScopeView>;
    using ZRViewControls::kWithControl;
    static const platform::ui::CommandTable table{
        {Row(IDC_REVERT, &ZRScopeView::OnRevert, kWithControl),
         Row(IDC_SAVE_DATA, &ZRScopeView::OnSaveData, kWithControl),
         Row(IDC_SHOW_COMMANDS, &ZRScopeView::OnShowCommands, kWithControl),
         Row(IDC_SHOW_PROPERTIES, &ZRScopeView::OnShowProperties, kWithControl)},
        &ZRPropsView::SheetCommands<ZRScopeView, &ZRScopeView::m_pPropertyGrid>()};
    return &table;
}

// ---- layout

void ZRScopeView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    platform::ui::ChildFrame* frame = platform::ui::ChildFrame::FrameOf(this);
    if (frame && frame->isMinimized())
        return;
    platform::ui::Guard("scope layout", [&] { OnSize(event->size().width(), event->size().height()); });
}

namespace {

// The splitter may have had its own first layout at a child's default size, with the panes then
// squeezed; sizes given as shares of the whole hold whatever size it has now.
void SplitAtFirstLayout(platform::ui::Splitter* splitter, int first, int whole) {
    splitter->setSizes({std::max(first, 0), std::max(whole - first, 0)});
}

} // namespace

void ZRScopeView::OnSize(int cx, int cy) {
    // A first size too small for the panes (a frame not yet placed) would squeeze them to nothing
    // and leave them collapsed for good; the layout waits until the view has room.
    if (!m_bLaidOut && (cx < 2 * kMinPaneSize + 40 || cy < 2 * kMinPaneSize + 40))
        return;
    // -1: the splitter has not had its first layout in this view.
    const int column = m_bLaidOut ? m_pOuterSplitter->PaneSize(0) : -1;
    const int row = m_bLaidOut ? m_pInnerSplitter->PaneSize(0) : -1;

    m_pOuterSplitter->setGeometry(2, 2, std::max(cx - 4, 0), std::max(cy - 42, 0));
    if (column > 0)
        m_pOuterSplitter->SetPaneSize(0, std::max(column + cx - m_LastClient.width(), kMinPaneSize));
    else if (column < 0)
        SplitAtFirstLayout(m_pOuterSplitter, static_cast<int>(std::floor((cx - 2) * 0.5)), cx - 4);
    if (row > 0)
        m_pInnerSplitter->SetPaneSize(0, std::max(row + cy - m_LastClient.height(), kMinPaneSize));
    else if (row < 0)
        SplitAtFirstLayout(m_pInnerSplitter, static_cast<int>(std::floor((cy - 40) * 0.7)), cy - 42);

    ZRViewControls::PlaceSheetControls(cx, cy, {m_pHelp, m_pClose, m_pRevert, m_pSave}, m_pShowProperties, 98,
                                       m_pShowCommands, 108);

    m_LastClient = QRect(0, 0, cx, cy);
    m_bLaidOut = true;
}

// ---- the test harness

long ZRScopeView::OnVtMessage(unsigned int type, long cell) {
    if (ZRTest* test = ZRTest::Instance(); test && test->HasPage())
        ZRViewControls::AnswerGridQuery(*test, *m_pPropertyGrid, type, cell);
    return 0;
}
