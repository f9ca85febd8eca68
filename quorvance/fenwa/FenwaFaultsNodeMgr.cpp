#include "quorvance/fenwa/FenwaFaultsNodeMgr.h"
#include "quorvance/tarvik/TarvikNodeSupport.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRBoolEditRow.h"
#include "kitbase/ui/ZRChannelHeader.h"
#include "kitbase/ui/ZRChoiceRow.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZREditRow.h"
#include "kitbase/ui/ZRGroupRow.h"
#include "kitbase/ui/ZRLabelRow.h"
#include "kitbase/ui/ZRModelDoc.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRStaticHeader.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/ui/MainWindow.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WaitCursor.h"
#include "quorvance/fenwa/FenwaChannelOptionList.h"
#include "quorvance/fenwa/FenwaCommand.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaFaultDetailView.h"
#include "quorvance/fenwa/FenwaFaults.h"
#include "quorvance/shell/ZRQuorvanceApp.h"
#include "quorvance/shell/ZRReportView.h"

namespace {

constexpr unsigned short kFaultsIcon = 19718;
constexpr unsigned short kFaultDetailIcon = 19719;
constexpr unsigned long kFaultsHelpTopic = 1155;
constexpr unsigned long kFaultsPropsHelpTopic = 1156;
constexpr int kFaultHistoryHelpId = 1172;
constexpr unsigned long kFaultDetailHelpId = 1173;
constexpr int kReportValueColumn = 40;

void RegisterMenu() {
    using platform::ui::MenuItem;
    const auto position = static_cast<size_t>(kFenwaFaultsMenu);
    if (platform::ui::HasSubMenu(IDR_FENWA_NODE_MENU, position))
        return;
    platform::ui::RegisterSubMenu(
        IDR_FENWA_NODE_MENU, position,
        MenuItem("Faults", {MenuItem(ID_PROPERTIES, "Properties..."),
                            MenuItem("Commands", {MenuItem(ID_FAULT_HISTORY, "Fault History..."),
                                                  MenuItem(ID_CLEAR_FAULTS, "Clear Faults"),
                                                  MenuItem(ID_FENWA_FAULT_DETAIL, "Fault Detail ...")})}));
}

using Rows = std::list<std::unique_ptr<ZRGridRow>>;

// A row appended to the rows and made a member of the group.
void AddTo(Rows& rows, ZRGroupRow* group, std::unique_ptr<ZRGridRow> row) {
    group->AddRow(row.get());
    rows.push_back(std::move(row));
}

} // namespace

FenwaFaultsNodeMgr::FenwaFaultsNodeMgr(FenwaFaults* faults, ZRTreeItem* item, ZRWorkspaceView* view)
    : ZRNodeMgr(item, faults, view), m_pFaults(faults) {}

FenwaFaultsNodeMgr::~FenwaFaultsNodeMgr() {
    if (m_pView)
        m_pView->RemoveObserver(this);
}

std::unique_ptr<ZRNodeMgr> FenwaFaultsNodeMgr::Make(ZRObject* object, ZRTreeItem* item,
                                                    ZRWorkspaceView* view) {
    auto* faults = dynamic_cast<FenwaFaults*>(object);
    return faults ? std::make_unique<FenwaFaultsNodeMgr>(faults, item, view) : nullptr;
}

void FenwaFaultsNodeMgr::Initialize() {
    if (!m_pFaults)
        return;
    RegisterMenu();
    SetMenu(IDR_FENWA_NODE_MENU, kFenwaFaultsMenu);
    ZRObject* drive = m_pFaults->GetParent();
    SetViewTitle("%s - Faults", drive ? &drive->GetName() : nullptr);
    SetIconID(kFaultsIcon);
    SetHelpTopic(kFaultsHelpTopic);
    SetPropsHelpTopic(kFaultsPropsHelpTopic);
    SetHasCommands(true);

    FenwaFaults& f = *m_pFaults;
    m_Properties.SetName("Faults");
    m_Properties.AddProperty(f.GetFollowingErrorLimit());
    m_Properties.AddProperty(f.GetAcLineLossFaultDelay());
    auto setup = std::make_unique<ZRPropertyGroup>();
    setup->SetName("Fault Detail Setup");
    setup->AddProperty(f.GetSamplePeriodAttribute());
    for (int c = 0; c < FenwaFaults::kChannels; ++c)
        setup->AddProperty(f.GetChannel(c));
    setup->SetCollapsed(false);
    m_Properties.AddGroup(std::move(setup));
    m_Statuses.SetName("Faults");
    for (const std::unique_ptr<ZRBoolAttribute>& flag : f.GetFaultFlags())
        m_Statuses.AddProperty(flag.get());
}

const platform::ui::CommandTable* FenwaFaultsNodeMgr::Commands() const {
    using Row = platform::ui::CommandRow<FenwaFaultsNodeMgr>;
    static const platform::ui::CommandTable table{
        {Row(ID_CLEAR_FAULTS, &FenwaFaultsNodeMgr::OnClearFaults, &FenwaFaultsNodeMgr::OnUpdateOnLine),
         Row(ID_FAULT_HISTORY, &FenwaFaultsNodeMgr::ShowFaultHistory, &FenwaFaultsNodeMgr::OnUpdateOnLine),
         Row(ID_FENWA_FAULT_DETAIL, &FenwaFaultsNodeMgr::OpenFaultDetail, platform::ui::kCommandEnabled)},
        &TailCommands()};
    return &table;
}

void FenwaFaultsNodeMgr::BuildCommandRows(Rows& rows) {
    rows.push_back(std::make_unique<ZRCommandRow>("Fault History...", ID_FAULT_HISTORY, this));
    rows.push_back(std::make_unique<ZRCommandRow>("Clear Faults", ID_CLEAR_FAULTS, this));
    rows.push_back(std::make_unique<ZRCommandRow>("Fault Detail...", ID_FENWA_FAULT_DETAIL, this));
    rows.push_back(std::make_unique<ZRCommandRow>("Save Parameters", ID_FENWA_SAVE_PARAMETERS, this));
}

void FenwaFaultsNodeMgr::DoCommand(unsigned int id) {
    switch (id) {
    case ID_FAULT_HISTORY:
        ShowFaultHistory();
        break;
    case ID_CLEAR_FAULTS:
        OnClearFaults();
        break;
    case ID_FENWA_FAULT_DETAIL:
        OpenFaultDetail();
        break;
    case ID_FENWA_SAVE_PARAMETERS:
        if (auto* drive = m_pFaults ? dynamic_cast<FenwaDrive*>(m_pFaults->GetParent()) : nullptr)
            drive->SaveParameters();
        break;
    default:
        break;
    }
}

ZRModelDoc* FenwaFaultsNodeMgr::BuildPropsDoc() {
    return tarvik::NewPropsDoc();
}

void FenwaFaultsNodeMgr::DefaultAction() {
    ShowProperties();
}

bool FenwaFaultsNodeMgr::IsOnLine() const {
    ZRDevice* device = m_pFaults ? m_pFaults->GetDevice() : nullptr;
    return device && !device->IsOffLine();
}

void FenwaFaultsNodeMgr::OnUpdateOnLine(platform::ui::CommandState& state) {
    state.enabled = IsOnLine();
}

std::string FenwaFaultsNodeMgr::DriveName() const {
    ZRObject* drive = m_pFaults ? m_pFaults->GetParent() : nullptr;
    return drive ? drive->GetName().GetValue() : std::string();
}

void FenwaFaultsNodeMgr::ShowFaultHistory() {
    if (!m_pFaults)
        return;
    if (!IsOnLine()) {
        platform::core::MessageBox("No fault history available for off-line drive.");
        return;
    }
    std::string text;
    {
        platform::ui::WaitCursor wait;
        m_pFaults->GetFaultHistory(text);
    }
    ZRReportView* view = ZRReportView::Open(
        this, platform::core::Format("%s - Fault History", DriveName().c_str()), kFaultHistoryHelpId);
    if (!view)
        return;
    view->SetText(text);
    view->ShowFrame();
}

void FenwaFaultsNodeMgr::OnClearFaults() {
    if (m_pFaults)
        m_pFaults->GetClearCommand().Execute(true);
}

bool FenwaFaultsNodeMgr::IsWindowOpen() {
    return m_pFrame != nullptr || ZRNodeMgr::IsWindowOpen();
}

void FenwaFaultsNodeMgr::Retitle() {
    if (m_pFrame)
        m_pFrame->setWindowTitle(
            QString::fromStdString(platform::core::Format(GetTitleFormat().c_str(), DriveName().c_str())));
}

void FenwaFaultsNodeMgr::OpenFaultDetail() {
    if (m_pFrame) {
        m_pFrame->ActivateFrame(m_pFrame->isMinimized() ? platform::ui::ChildFrame::ShowRestore
                                                        : platform::ui::ChildFrame::ShowKeep);
        if (m_pView)
            m_pView->setFocus();
        return;
    }
    if (!m_pFaults)
        return;
    platform::ui::WaitCursor wait;
    auto frame = std::make_unique<CSizableChildFrame>();
    auto* view = new FenwaFaultDetailView;
    frame->SetView(view);
    m_pView = view;
    m_pView->AddObserver(this);
    const ZRQuorvanceApp* app = ZRQuorvanceApp::Instance();
    if (platform::ui::MainWindow* main = app ? app->GetMainWindow() : nullptr)
        main->AddChildFrame(frame.get());
    // The main window's document area holds the frame (and with it the view) from here on.
    m_pFrame = frame.release();

    GettingFocus(true);
    Retitle();
    m_pFrame->setWindowIcon(platform::ui::Resources::Icon(kFaultDetailIcon));
    m_pFrame->SetHelpTopic(kFaultDetailHelpId);
    m_pView->SetObject(m_pFaults);
    ZRPropertiesGrid* grid = m_pView->GetPropertyGrid();
    grid->SetOffLine(!IsOnLine());
    m_pFrame->SetController(this);

    FenwaFaults& f = *m_pFaults;
    Rows& rows = grid->GetRows();
    rows.push_back(std::make_unique<ZREditRow>(f.GetSamplesPerDivisionAttribute(), nullptr));
    for (int c = 0; c < FenwaFaults::kChannels; ++c) {
        auto group = std::make_unique<ZRGroupRow>(
            std::make_unique<ZRStaticHeader>(platform::core::Format("Channel %c", 'A' + c)));
        ZRGroupRow* g = group.get();
        rows.push_back(std::move(group));
        AddTo(rows, g,
              std::make_unique<ZRLabelRow>(
                  std::make_unique<ZRChannelHeader>(f.GetChannel(c), f.GetChannelOptionList())));
        AddTo(rows, g, std::make_unique<ZRBoolEditRow>(f.GetVisible(c), nullptr));
        AddTo(rows, g, std::make_unique<ZRChoiceRow>(f.GetSelectedSignal(c), nullptr));
        AddTo(rows, g, std::make_unique<ZRChoiceRow>(f.GetScaleTypeAttribute(c), nullptr));
        AddTo(rows, g, std::make_unique<ZREditRow>(f.GetScale(c), nullptr));
        AddTo(rows, g, std::make_unique<ZREditRow>(f.GetOffset(c), nullptr));
    }
    grid->UpdateRows();
    grid->Backup();
    // A one-pixel nudge makes the frame lay its panes out at their final size.
    if (!m_pFrame->isMaximized() && !m_pFrame->isMinimized())
        m_pFrame->resize(m_pFrame->width() - 1, m_pFrame->height());
    m_pFrame->ActivateFrame(platform::ui::ChildFrame::ShowKeep);

    // Each upload shows its own errors.
    for (int c = 0; c < FenwaFaults::kChannels; ++c)
        f.ReadChannelData(c);
    m_pView->PlotData();
}

void FenwaFaultsNodeMgr::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    const int reason = ReasonOf(message);
    if (m_pView && subject == static_cast<platform::core::Subject*>(m_pView) &&
        reason == ZRUpdate::Destroying) {
        m_pView->RemoveObserver(this);
        m_pView = nullptr;
        m_pFrame = nullptr;
        return;
    }
    if (m_pFrame && subject == GetTitleName() && reason == ZRUpdate::ValueChanged)
        Retitle();
    ZRNodeMgr::OnUpdate(subject, message);
}

bool FenwaFaultsNodeMgr::CloseWindows() {
    if (CSizableChildFrame* frame = m_pFrame) {
        m_pFrame = nullptr;
        frame->Destroy();
    }
    return ZRNodeMgr::CloseWindows();
}

void FenwaFaultsNodeMgr::Report(std::string& text) {
    if (!m_pFaults)
        return;
    FenwaFaults& f = *m_pFaults;
    text += "   Faults:\r\n";
    s_Indent += 3;
    text += BuildReportLine(f.GetAcLineLossFaultDelay(), s_Indent, kReportValueColumn, {});
    text += BuildReportLine(f.GetFollowingErrorLimit(), s_Indent, kReportValueColumn, {});
    for (int c = 0; c < FenwaFaults::kChannels; ++c) {
        ZRUlongAttribute* channel = f.GetChannel(c);
        channel->Refresh(false);
        const std::string name = channel->GetName();
        const int fill = kReportValueColumn - s_Indent - static_cast<int>(name.size());
        text += "      " + name + std::string(fill > 0 ? static_cast<size_t>(fill) : 0, ' ') +
                f.GetChannelName(c) + "\r\n";
    }
    text += "\r\n";
    s_Indent -= 3;
}
