#include "quorvance/fenwa/FenwaFaultDetailServicesView.h"

#include "kitbase/ui/ZRSwatchButton.h"
#include "kitbase/ui/ZRViewControls.h"
#include "platform/ui/Guard.h"
#include "platform/ui/Text.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/fenwa/FenwaFaultDetailView.h"
#include "quorvance/fenwa/FenwaFaults.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

namespace {

// The colours channels A to D are drawn in.
const QColor kChannelColours[FenwaFaultDetailServicesView::kChannels] = {
    QColor(0, 0, 128), QColor(0, 128, 0), QColor(128, 0, 0), QColor(255, 0, 255)};

} // namespace

FenwaFaultDetailServicesView::FenwaFaultDetailServicesView(QWidget* parent) : QWidget(parent) {
    m_pRefresh = ZRViewControls::AddButton(*this, *this, IDC_FENWA_REFRESH_DATA, "Refresh Data",
                                           "fault detail command");
    m_pYLabelCombo = new QComboBox(this);
    for (const char* entry : {"Default", "Channel A", "Channel B", "Channel C", "Channel D"})
        m_pYLabelCombo->addItem(QString::fromLatin1(entry));
    m_pYLabelCombo->setCurrentIndex(m_YLabelIndex);
    connect(m_pYLabelCombo, &QComboBox::activated, this,
            [this] { platform::ui::Guard("y-axis labels", [&] { OnSelchangeCboYlabel(); }); });

    auto* commands = new QHBoxLayout;
    commands->addWidget(m_pRefresh);
    commands->addStretch(1);
    commands->addWidget(new QLabel(QStringLiteral("y-axis Labels:"), this));
    commands->addWidget(m_pYLabelCombo);

    auto* legend = new QHBoxLayout;
    for (int c = 0; c < kChannels; ++c) {
        auto* swatch = new ZRSwatchButton(kChannelColours[c], this);
        auto* label = new QLabel(QString::fromLatin1("Channel %1").arg(QChar('A' + c)), this);
        swatch->hide();
        label->hide();
        legend->addWidget(swatch);
        legend->addWidget(label);
        legend->addSpacing(12);
        m_Swatches[static_cast<size_t>(c)] = swatch;
        m_Labels[static_cast<size_t>(c)] = label;
    }
    legend->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(commands);
    layout->addLayout(legend);
    layout->addStretch(1);
}

FenwaFaultDetailServicesView::~FenwaFaultDetailServicesView() = default;

QWidget* FenwaFaultDetailServicesView::Item(int id) const {
    if (id == static_cast<int>(IDC_FENWA_REFRESH_DATA))
        return m_pRefresh;
    if (id == kYLabelComboId)
        return m_pYLabelCombo;
    if (id >= kFirstLabelId && id < kFirstLabelId + kChannels)
        return m_Labels[static_cast<size_t>(id - kFirstLabelId)];
    if (id >= kFirstSwatchId && id < kFirstSwatchId + kChannels)
        return m_Swatches[static_cast<size_t>(id - kFirstSwatchId)];
    return nullptr;
}

ZRSwatchButton* FenwaFaultDetailServicesView::GetLabelColorCtrl(int channel) const {
    if (channel < 0 || channel >= kChannels)
        return nullptr;
    return m_Swatches[static_cast<size_t>(channel)];
}

void FenwaFaultDetailServicesView::SetLabelText(int channel, const std::string& text) {
    if (channel < 0 || channel >= kChannels)
        return;
    QLabel* label = m_Labels[static_cast<size_t>(channel)];
    label->setText(platform::ui::ToQString(text));
    label->setVisible(!text.empty());
    m_Swatches[static_cast<size_t>(channel)]->setVisible(!text.empty());
}

std::string FenwaFaultDetailServicesView::GetLabelText(int channel) const {
    if (channel < 0 || channel >= kChannels)
        return {};
    return platform::ui::FromQString(m_Labels[static_cast<size_t>(channel)]->text());
}

bool FenwaFaultDetailServicesView::IsLabelShown(int channel) const {
    if (channel < 0 || channel >= kChannels)
        return false;
    return !m_Labels[static_cast<size_t>(channel)]->isHidden();
}

void FenwaFaultDetailServicesView::OnRefreshData() {
    FenwaFaults* faults = m_pView ? m_pView->GetFaults() : nullptr;
    if (!faults)
        return;
    for (int c = 0; c < FenwaFaults::kChannels; ++c)
        faults->ReadChannelData(c);
    m_pView->PlotData();
}

void FenwaFaultDetailServicesView::OnSelchangeCboYlabel() {
    m_YLabelIndex = m_pYLabelCombo->currentIndex();
    if (!m_pView)
        return;
    m_pView->SetYLabels(m_YLabelIndex - 1);
    m_pView->PlotData();
}

void FenwaFaultDetailServicesView::OnNextPaneCmd() {
    ZRViewControls::FocusPane(m_Panes.Next());
}

void FenwaFaultDetailServicesView::OnPrevPaneCmd() {
    ZRViewControls::FocusPane(m_Panes.Previous());
}

const platform::ui::CommandTable* FenwaFaultDetailServicesView::Commands() const {
    using Row = platform::ui::CommandRow<FenwaFaultDetailServicesView>;
    static const platform::ui::CommandTable table{
        {Row(IDC_FENWA_REFRESH_DATA, &FenwaFaultDetailServicesView::OnRefreshData,
             platform::ui::kCommandEnabled)},
        &ZRViewControls::PaneCommands<FenwaFaultDetailServicesView>()};
    return &table;
}

void FenwaFaultDetailServicesView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const bool collapsed = event->size().width() <= 0 || event->size().height() <= 0;
    if (m_pShowButton)
        m_pShowButton->setChecked(!collapsed);
}
