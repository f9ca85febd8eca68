#include "quorvance/fenwa/FenwaFaultDetailView.h"

#include "kitbase/model/ZRScope.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRGraph.h"
#include "kitbase/ui/ZRGraphControl.h"
#include "kitbase/ui/ZRGraphDisplay.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropsView.h"
#include "kitbase/ui/ZRScopeChartView.h"
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
#include "quorvance/fenwa/FenwaFaultDetailServicesView.h"
#include "quorvance/fenwa/FenwaFaults.h"

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
constexpr const char* kSaveFilter = "Fault details file (*.txt)|*.txt|All Files (*.*)|*.*||";
constexpr unsigned kSaveFlags = 0x8006; // overwrite prompt, hide read-only, no read-only return

} // namespace

FenwaFaultDetailView::FenwaFaultDetailView(QWidget* parent) : QWidget(parent) {
    constexpr const char* kWhere = "fault detail control";
    m_pSave = ZRViewControls::AddButton(*this, *this, IDC_SAVE_DATA, "Save...", kWhere);
    m_pShowProperties =
        ZRViewControls::AddCheck(*this, *this, IDC_SHOW_PROPERTIES, "Show Properties", kWhere);
    m_pShowCommands = ZRViewControls::AddCheck(*this, *this, IDC_SHOW_COMMANDS, "Show Commands", kWhere);
    m_pHelp = ZRViewControls::AddButton(*this, *this, ID_HELP, "Help", kWhere);
    m_pClose = ZRViewControls::AddButton(*this, *this, ID_FILE_CLOSE, "Close", kWhere);
    m_pShowProperties->setChecked(true);
    m_pShowCommands->setChecked(true);
    Create();
}

FenwaFaultDetailView::~FenwaFaultDetailView() {
    Notify(ZRUpdate::Destroying);
    if (m_pFaults)
        m_pFaults->RemoveObserver(this);
    m_pFaults = nullptr;
}

QAbstractButton* FenwaFaultDetailView::Item(int id) const {
    switch (id) {
    case IDC_SAVE_DATA:
        return m_pSave;
    case IDC_SHOW_PROPERTIES:
        return m_pShowProperties;
    case IDC_SHOW_COMMANDS:
        return m_pShowCommands;
    case ID_HELP:
        return m_pHelp;
    case ID_FILE_CLOSE:
        return m_pClose;
    default:
        return nullptr;
    }
}

void FenwaFaultDetailView::Create() {
    m_pOuterSplitter = new platform::ui::Splitter(Qt::Horizontal, this);
    m_pInnerSplitter = new platform::ui::Splitter(Qt::Vertical, m_pOuterSplitter);
    m_pOuterSplitter->addWidget(m_pInnerSplitter);
    auto* propsView = new ZRPropsView(m_pOuterSplitter);
    m_pOuterSplitter->addWidget(propsView);
    m_pOuterSplitter->SetPaneSize(0, kPropertyIdealWidth);

    auto* chartView = new ZRScopeChartView(m_pInnerSplitter);
    m_pInnerSplitter->addWidget(chartView);
    m_pServicesView = new FenwaFaultDetailServicesView(m_pInnerSplitter);
    m_pInnerSplitter->addWidget(m_pServicesView);
    m_pInnerSplitter->SetPaneSize(0, kChartIdealHeight);

    m_pChart = chartView->GetGraphControl();
    m_pPropertyGrid = propsView->GetGrid();
    m_pPropertyGrid->SetTitle("Property");
    propsView->SetShowButton(m_pShowProperties);
    m_pServicesView->SetFaultDetailView(this);
    m_pServicesView->SetShowButton(m_pShowCommands);
    m_pPropertyGrid->SetPanes(m_pServicesView->GetRefreshCtrl(), m_pHelp);
    m_pServicesView->SetPanes(m_pShowProperties, m_pPropertyGrid);
}

void FenwaFaultDetailView::SetObject(FenwaFaults* faults) {
    if (m_pFaults == faults)
        return;
    if (m_pFaults)
        m_pFaults->RemoveObserver(this);
    m_pFaults = faults;
    if (faults)
        faults->AddObserver(this);
}

void FenwaFaultDetailView::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (!m_pFaults || subject != static_cast<platform::core::Subject*>(m_pFaults))
        return;
    switch (ReasonOf(message)) {
    case ZRUpdate::ValueChanged:
        PlotData();
        break;
    case ZRUpdate::Destroying:
        m_pFaults->RemoveObserver(this);
        m_pFaults = nullptr;
        break;
    default:
        break;
    }
}

void FenwaFaultDetailView::PlotData() {
    if (!m_pFaults)
        return;
    FenwaFaults& f = *m_pFaults;
    ZRGraph* graph = m_pChart->GetGraph();
    const double dt = f.GetSamplePeriod();
    graph->ClearData();
    const int n = f.GetSampleCount();
    m_Samples.resize(static_cast<size_t>(n));
    ZRScopeAxes axes;
    int plotted = 0;
    for (int c = 0; c < FenwaFaults::kChannels; ++c) {
        if (!f.HasCapturedData(c) || !f.IsChannelVisible(c)) {
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

        f.GetChannelSamples(c, m_Samples);
        const QColor colour = swatch ? swatch->GetColour() : QColor(Qt::black);
        double lowest = 0.0, highest = 0.0, lastTime = 0.0, t = 0.0;
        for (int i = 0; i < n; ++i, t += dt) {
            const double v = m_Samples[static_cast<size_t>(i)];
            graph->AddPoint(k, t, v, colour);
            if (i == 0 || v < lowest)
                lowest = v;
            if (i == 0 || v > highest)
                highest = v;
            lastTime = std::max(lastTime, t);
        }
        const ZRScopeAxis axis = axes.Fit(c, f.GetScaleTypeText(c), f.GetScaleType(c), f.GetChannelScale(c),
                                          f.GetChannelOffset(c), lowest, highest);
        display->SetTimeBetweenDivisions(f.GetSamplesPerDivision() * dt);
        display->SetXRange(0.0, lastTime + dt);
        display->SetYRange(axis.minimum, axis.maximum);
        m_pServicesView->SetLabelText(c,
                                      FormatScopeLabel(f.GetChannelName(c), axis.step, f.GetChannelUnits(c)));
    }
    // Displays left over from a pass with more channels.
    if (plotted > 0)
        for (int i = FenwaFaults::kChannels - 1; i >= plotted; --i)
            graph->RemoveDisplay(i);
    m_pChart->Invalidate();
}

void FenwaFaultDetailView::OnSaveData() {
    if (!m_pFaults)
        return;
    FenwaFaults& f = *m_pFaults;
    std::vector<std::vector<float>> columns;
    std::vector<std::string> titles;
    for (int c = 0; c < FenwaFaults::kChannels; ++c) {
        if (!f.HasCapturedData(c))
            continue;
        std::vector<float> column(static_cast<size_t>(f.GetSampleCount()));
        f.GetChannelSamples(c, column);
        columns.push_back(std::move(column));
        titles.push_back(
            platform::core::Format("%s (%s)", f.GetChannelName(c).c_str(), f.GetChannelUnits(c).c_str()));
    }
    if (columns.empty()) {
        platform::core::MessageBox(kNoData);
        return;
    }
    platform::ui::FileDialog dialog(false, "txt", "FaultDetails.txt", kSaveFlags, kSaveFilter);
    dialog.SetTitle("Save To:");
    if (dialog.DoModal() != platform::core::IDOK)
        return;
    const std::string path = dialog.GetPathName();
    bool written = false;
    {
        platform::ui::WaitCursor wait;
        written = WriteData(path, titles, columns);
    }
    // The user would otherwise take the capture for saved.
    if (!written)
        platform::core::MessageBox(platform::core::Format("Unable to write %s", path.c_str()));
}

bool FenwaFaultDetailView::WriteData(const std::string& path, const std::vector<std::string>& titles,
                                     const std::vector<std::vector<float>>& columns) {
    std::ofstream out = platform::core::OpenOutputFile(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out << "Time (ms)";
    for (const std::string& title : titles)
        out << '\t' << title;
    out << "\r\n";
    const double dt = m_pFaults->GetSamplePeriod();
    double t = 0.0;
    for (int i = 0; i < m_pFaults->GetSampleCount(); ++i, t += dt) {
        out << platform::core::Format("%g", t);
        for (const std::vector<float>& column : columns)
            out << platform::core::Format("\t%g", static_cast<double>(column[static_cast<size_t>(i)]));
        out << "\r\n";
    }
    out.close();
    return static_cast<bool>(out);
}

void FenwaFaultDetailView::OnShowCommands() {
    const int height = m_pInnerSplitter->height();
    if (m_pShowCommands->isChecked()) {
        const int chart = m_ServicesHeight > 0 ? height - m_ServicesHeight - 11
                                               : static_cast<int>(std::floor(height * 0.8));
        m_pInnerSplitter->SetPaneSize(0, std::max(chart, 0));
    } else {
        m_ServicesHeight = std::max(m_pInnerSplitter->PaneSize(1), 0);
        m_pInnerSplitter->SetPaneSize(0, height);
    }
}

void FenwaFaultDetailView::OnShowProperties() {
    const int width = m_pOuterSplitter->width();
    if (m_pShowProperties->isChecked()) {
        const int left =
            m_PropertyWidth > 0 ? width - m_PropertyWidth - 11 : static_cast<int>(std::floor(width * 0.6));
        m_pOuterSplitter->SetPaneSize(0, std::max(left, 0));
    } else {
        m_PropertyWidth = std::max(m_pOuterSplitter->PaneSize(1), 0);
        m_pOuterSplitter->SetPaneSize(0, width);
    }
}

void FenwaFaultDetailView::OnNextPaneCmd() {
    ZRViewControls::FocusPane(m_pPropertyGrid);
}

void FenwaFaultDetailView::OnPrevPaneCmd() {
    ZRViewControls::FocusPane(m_pServicesView->GetRefreshCtrl());
}

const platform::ui::CommandTable* FenwaFaultDetailView::Commands() const {
    using Row = platform::ui::CommandRow<FenwaFaultDetailView>;
    using ZRViewControls::kWithControl;
    static const platform::ui::CommandTable table{
        {Row(IDC_SAVE_DATA, &FenwaFaultDetailView::OnSaveData, kWithControl),
         Row(IDC_SHOW_COMMANDS, &FenwaFaultDetailView::OnShowCommands, kWithControl),
         Row(IDC_SHOW_PROPERTIES, &FenwaFaultDetailView::OnShowProperties, kWithControl)},
        &ZRPropsView::SheetCommands<FenwaFaultDetailView, &FenwaFaultDetailView::m_pPropertyGrid>()};
    return &table;
}

void FenwaFaultDetailView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    platform::ui::ChildFrame* frame = platform::ui::ChildFrame::FrameOf(this);
    if (frame && frame->isMinimized())
        return;
    platform::ui::Guard("fault detail layout",
                        [&] { OnSize(event->size().width(), event->size().height()); });
}

void FenwaFaultDetailView::OnSize(int cx, int cy) {
    // A first size too small for the panes would squeeze them to nothing for good.
    if (!m_bLaidOut && (cx < 2 * kMinPaneSize + 40 || cy < 2 * kMinPaneSize + 40))
        return;
    const int column = m_bLaidOut ? m_pOuterSplitter->PaneSize(0) : -1;
    const int row = m_bLaidOut ? m_pInnerSplitter->PaneSize(0) : -1;
    m_pOuterSplitter->setGeometry(2, 2, std::max(cx - 4, 0), std::max(cy - 42, 0));
    if (column > 0)
        m_pOuterSplitter->SetPaneSize(0, std::max(column + cx - m_LastClient.width(), kMinPaneSize));
    else if (column < 0) {
        const int first = static_cast<int>(std::floor((cx - 2) * 0.5));
        m_pOuterSplitter->setSizes({std::max(first, 0), std::max(cx - 4 - first, 0)});
    }
    if (row > 0)
        m_pInnerSplitter->SetPaneSize(0, std::max(row + cy - m_LastClient.height(), kMinPaneSize));
    else if (row < 0) {
        const int first = static_cast<int>(std::floor((cy - 40) * 0.7));
        m_pInnerSplitter->setSizes({std::max(first, 0), std::max(cy - 42 - first, 0)});
    }
    m_pHelp->setGeometry(cx - 65, cy - 30, 60, 25);
    m_pClose->setGeometry(cx - 130, cy - 30, 60, 25);
    m_pSave->setGeometry(cx - 195, cy - 30, 60, 25);
    m_pShowProperties->setGeometry(2, cy - 38, std::max(98, m_pShowProperties->sizeHint().width()), 17);
    m_pShowCommands->setGeometry(2, cy - 19, std::max(108, m_pShowCommands->sizeHint().width()), 17);
    m_LastClient = QRect(0, 0, cx, cy);
    m_bLaidOut = true;
}
