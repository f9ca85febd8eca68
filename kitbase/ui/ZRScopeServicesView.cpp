#include "kitbase/ui/ZRScopeServicesView.h"

#include "kitbase/model/ZRScope.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRNodeMgr.h"
#include "kitbase/ui/ZRScopeView.h"
#include "kitbase/ui/ZRSwatchButton.h"
#include "kitbase/ui/ZRViewControls.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/Guard.h"
#include "platform/ui/Text.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

using namespace platform::ui::ids;

namespace {

// The legend colours of channels A to D.
const QColor kChannelColours[ZRScopeServicesView::kChannels] = {QColor(255, 0, 0), QColor(0, 0, 255),
                                                                QColor(128, 0, 0), QColor(192, 192, 192)};

// Tells the view before its list opens, so the entries can follow the scope's channel count.
class YLabelCombo : public QComboBox {
public:
    YLabelCombo(ZRScopeServicesView& view, QWidget* parent) : QComboBox(parent), m_view(view) {}

    void showPopup() override {
        platform::ui::Guard("y-axis labels", [&] { m_view.OnCbnDropdownCboYlabel(); });
        QComboBox::showPopup();
    }

private:
    ZRScopeServicesView& m_view;
};

} // namespace

ZRScopeServicesView::ZRScopeServicesView(QWidget* parent) : QWidget(parent) {
    // Every button is a command of this view, so none goes on to the frame.
    constexpr const char* kWhere = "scope command";
    m_pArmTrigger = ZRViewControls::AddButton(*this, *this, IDC_ARM_TRIGGER, "Arm Trigger", kWhere);
    m_pRunContinuous = ZRViewControls::AddButton(*this, *this, IDC_RUN_CONTINUOUS, "Run Continuous", kWhere);
    m_pStopTriggering =
        ZRViewControls::AddButton(*this, *this, IDC_STOP_TRIGGERING, "Stop Triggering", kWhere);
    m_pSnapShot = ZRViewControls::AddButton(*this, *this, IDC_SNAPSHOT, "Snap Shot", kWhere);

    auto* combo = new YLabelCombo(*this, this);
    for (const char* entry : {"Default", "Channel A", "Channel B", "Channel C", "Channel D"})
        combo->addItem(QString::fromLatin1(entry));
    combo->setCurrentIndex(m_YLabelIndex);
    connect(combo, &QComboBox::activated, this,
            [this] { platform::ui::Guard("y-axis labels", [&] { OnSelchangeCboYlabel(); }); });
    m_pYLabelCombo = combo;

    auto* commands = new QHBoxLayout;
    commands->addWidget(m_pArmTrigger);
    commands->addWidget(m_pRunContinuous);
    commands->addWidget(m_pStopTriggering);
    commands->addWidget(m_pSnapShot);
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

ZRScopeServicesView::~ZRScopeServicesView() = default;

QWidget* ZRScopeServicesView::Item(int id) const {
    switch (id) {
    case IDC_ARM_TRIGGER:
        return m_pArmTrigger;
    case IDC_RUN_CONTINUOUS:
        return m_pRunContinuous;
    case IDC_STOP_TRIGGERING:
        return m_pStopTriggering;
    case IDC_SNAPSHOT:
        return m_pSnapShot;
    case kYLabelComboId:
        return m_pYLabelCombo;
    default:
        break;
    }
    if (id >= kFirstLabelId && id < kFirstLabelId + kChannels)
        return m_Labels[static_cast<size_t>(id - kFirstLabelId)];
    if (id >= kFirstSwatchId && id < kFirstSwatchId + kChannels)
        return m_Swatches[static_cast<size_t>(id - kFirstSwatchId)];
    return nullptr;
}

void ZRScopeServicesView::SetPanes(QWidget* next, QWidget* previous) {
    m_Panes.Set(next, previous);
}

ZRSwatchButton* ZRScopeServicesView::GetLabelColorCtrl(int channel) const {
    if (channel < 0 || channel >= kChannels)
        return nullptr;
    return m_Swatches[static_cast<size_t>(channel)];
}

void ZRScopeServicesView::SetLabelText(int channel, const std::string& text) {
    if (channel < 0 || channel >= kChannels)
        return;
    QLabel* label = m_Labels[static_cast<size_t>(channel)];
    ZRSwatchButton* swatch = m_Swatches[static_cast<size_t>(channel)];
    label->setText(platform::ui::ToQString(text));
    label->setVisible(!text.empty());
    swatch->setVisible(!text.empty());
}

std::string ZRScopeServicesView::GetLabelText(int channel) const {
    if (channel < 0 || channel >= kChannels)
        return {};
    return platform::ui::FromQString(m_Labels[static_cast<size_t>(channel)]->text());
}

bool ZRScopeServicesView::IsLabelShown(int channel) const {
    if (channel < 0 || channel >= kChannels)
        return false;
    return !m_Labels[static_cast<size_t>(channel)]->isHidden();
}

void ZRScopeServicesView::ShowSnapShotButton(bool show) {
    m_pSnapShot->setVisible(show);
}

void ZRScopeServicesView::OnCbnDropdownCboYlabel() {
    ZRScope* scope = m_pScopeView ? m_pScopeView->GetScope() : nullptr;
    if (!scope || scope->GetChannelsNum() != 2)
        return;
    m_pYLabelCombo->clear();
    for (const char* entry : {"Default", "Channel A", "Channel B"})
        m_pYLabelCombo->addItem(QString::fromLatin1(entry));
    m_pYLabelCombo->setCurrentIndex(m_YLabelIndex < m_pYLabelCombo->count() ? m_YLabelIndex : 0);
}

void ZRScopeServicesView::OnSelchangeCboYlabel() {
    m_YLabelIndex = m_pYLabelCombo->currentIndex();
    if (!m_pScopeView)
        return;
    m_pScopeView->SetYLabels(m_YLabelIndex - 1);
    m_pScopeView->PlotData(false);
}

void ZRScopeServicesView::OnNextPaneCmd() {
    ZRViewControls::FocusPane(m_Panes.Next());
}

void ZRScopeServicesView::OnPrevPaneCmd() {
    ZRViewControls::FocusPane(m_Panes.Previous());
}

const platform::ui::CommandTable* ZRScopeServicesView::Commands() const {
    using Row = platform::ui::CommandRow<ZRScopeServicesView>;
    // The trigger and snapshot buttons go to the node manager that runs the scope.
    static const auto toNode = [](ZRScopeServicesView& view, unsigned id) {
        if (view.m_pCmdNodeMgr)
            view.m_pCmdNodeMgr->DoCommand(id);
    };
    using platform::ui::kCommandEnabled;
    static const platform::ui::CommandTable table{
        {Row(IDC_ARM_TRIGGER, toNode, kCommandEnabled), Row(IDC_RUN_CONTINUOUS, toNode, kCommandEnabled),
         Row(IDC_STOP_TRIGGERING, toNode, kCommandEnabled), Row(IDC_SNAPSHOT, toNode, kCommandEnabled)},
        &ZRViewControls::PaneCommands<ZRScopeServicesView>()};
    return &table;
}

void ZRScopeServicesView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const bool collapsed = event->size().width() <= 0 || event->size().height() <= 0;
    if (m_pShowButton)
        m_pShowButton->setChecked(!collapsed);
}
