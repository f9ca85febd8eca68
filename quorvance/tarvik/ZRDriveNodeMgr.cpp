#include "quorvance/tarvik/ZRDriveNodeMgr.h"

#include "kitbase/model/ZRClipboard.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRMsgBox.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZRModelDoc.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/Modal.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/MainWindow.h"
#include "platform/ui/WaitCursor.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/shell/ZRQuorvanceApp.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRMonitor.h"
#include "quorvance/tarvik/ZRMonitorNodeMgr.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZRServiceInfo.h"

#include <initializer_list>
#include <memory>
#include <utility>

using namespace platform::ui::ids;

namespace {

constexpr unsigned short kDriveIcon = 19723;
constexpr unsigned long kDriveHelpTopic = 1065;
constexpr unsigned long kDrivePropsHelpTopic = 1082;
constexpr const char* kEnableActive = "Can't perform paste operation while Enable input active.";

void AddGroup(ZRPropertyGroup& parent, const char* name, std::initializer_list<ZRAttribute*> members) {
    auto group = std::make_unique<ZRPropertyGroup>();
    group->SetName(name);
    for (ZRAttribute* member : members)
        if (member)
            group->AddProperty(member);
    parent.AddGroup(std::move(group));
}

int DriveSizeIndex(ZRDrive* drive) {
    ZRServiceInfo* info = drive->GetServiceInfo();
    ZRIndexSelection* size = info ? info->GetDriveSize() : nullptr;
    return size ? static_cast<int>(size->GetValue()) : -1;
}

} // namespace

ZRDriveNodeMgr::ZRDriveNodeMgr(ZRDrive* drive, ZRTreeItem* item, ZRWorkspaceView* view)
    : ZRNodeMgr(item, drive, view), m_pDrive(drive) {}

ZRDriveNodeMgr::~ZRDriveNodeMgr() = default;

bool ZRDriveNodeMgr::IsOnLine() const {
    ZRDevice* device = m_pDrive ? m_pDrive->GetDevice() : nullptr;
    return device && !device->IsOffLine();
}

bool ZRDriveNodeMgr::IsIndexing() const {
    return m_pDrive && m_pDrive->GetClass() == tarvik::kIndexingDriveType;
}

// ---- Set-up

void ZRDriveNodeMgr::Initialize() {
    if (!m_pDrive)
        return;
    SetViewTitle("%s", &m_pDrive->GetName());
    SetIconID(kDriveIcon);
    SetHelpTopic(kDriveHelpTopic);
    AddBlockNodes();
    SetHasCommands(true);
    SetPropsHelpTopic(kDrivePropsHelpTopic);
    BuildPropertyGroups();
    BuildStatusGroup();
}

void ZRDriveNodeMgr::AddBlockNodes() {
    ZRMonitor* monitor = m_pDrive->GetMonitor();
    if (!monitor || !m_pTree || !m_pNode || FindChild(static_cast<ZRMvcModel*>(monitor)))
        return;
    ZRTreeItem* item = m_pTree->InsertItem("Monitor", m_pNode);
    m_pTree->SetItemImage(item, ZRImages::kMonitor);
    // The tree item holds the node from here on.
    auto* node = std::make_unique<ZRMonitorNodeMgr>(monitor, item, m_pTree).release();
    m_pTree->SetItemData(item, node);
    node->Initialize();
}

void ZRDriveNodeMgr::BuildPropertyGroups() {
    ZRDrive* d = m_pDrive;
    ZRMotorTarvik* motor = d->GetMotor();
    m_Properties.SetName(d->GetName().GetValue());
    for (ZRAttribute* member : {static_cast<ZRAttribute*>(&d->GetName()),
                                motor ? static_cast<ZRAttribute*>(motor->GetAutoMotorIden()) : nullptr,
                                motor ? static_cast<ZRAttribute*>(motor->GetMotorModel()) : nullptr,
                                static_cast<ZRAttribute*>(d->GetMotorForwardDir()),
                                static_cast<ZRAttribute*>(d->GetDisplayedUnits())})
        if (member)
            m_Properties.AddProperty(member);
    AddGroup(m_Properties, "Operation Modes", {d->GetOperationMode(), d->GetOperModeOverride()});
    AddGroup(m_Properties, "Machine Cycle",
             {d->GetSingleTurnAbsolute(), d->GetPositionRollover(), d->GetPositionRolloverCopy(), d->GetSize(),
              d->GetSizeCopy()});
    AddGroup(m_Properties, "Communications",
             {d->GetDriveAddress(), d->GetBroadcastAddress(), d->GetBaudRate(), d->GetFrameFormat()});
    AddGroup(m_Properties, "Current Limits", {d->GetPositive(), d->GetNegative()});
    if (IsIndexing())
        AddGroup(m_Properties, "Position Limits",
                 {d->GetPositiveDecelDistance(), d->GetNegativeDecelDistance(), d->GetEnableSoftLimits(),
                  d->GetPositiveSoftLimit(), d->GetNegativeSoftLimit()});
    AddGroup(m_Properties, "Speed Functions", {d->GetZeroSpeed(), d->GetSpeedWindow(), d->GetUpToSpeed()});
    AddGroup(m_Properties, "Position Functions",
             {d->GetInPositionSize(), d->GetInPositionTime(), d->GetPosnCompare1Polarity(), d->GetPosnCompare1Type(),
              d->GetPosnCompare1(), d->GetPosnCompare1Max(), d->GetPosnCompare2Polarity(), d->GetPosnCompare2Type(),
              d->GetPosnCompare2(), d->GetPosnCompare2Max()});
    AddGroup(m_Properties, "Display Precision",
             {d->GetVelocityPrecision(), d->GetPositionPrecision(), d->GetAccelerationPrecision(),
              d->GetCurrentPrecision()});
    AddGroup(m_Properties, "Motor Encoder Units",
             {d->GetVelocityLabel(), d->GetVelocityScaleAttribute(), d->GetPositionLabel(),
              d->GetPositionScaleAttribute(), d->GetAccelerationLabel(), d->GetAccelerationScaleAttribute()});
    AddGroup(m_Properties, "Auxiliary Encoder Units",
             {d->GetAuxEncoderVelocityLabel(), d->GetAuxEncoderVelocityScale(), d->GetAuxEncoderPositionLabel(),
              d->GetAuxEncoderPositionScale(), d->GetAuxEncoderAccelerationLabel(),
              d->GetAuxEncoderAccelerationScale()});
}

void ZRDriveNodeMgr::BuildStatusGroup() {
    ZRDrive* d = m_pDrive;
    for (ZRAttribute* member : std::initializer_list<ZRAttribute*>{
             d->GetDriveEnabled(), d->GetInPosition(), d->GetInPositionWindow(), d->GetUpToSpeedStatus(),
             d->GetInSpeedWindow(), d->GetZeroSpeedStatus(), d->GetPosCurrentLimit(), d->GetNegCurrentLimit(),
             d->GetBusPower(), d->GetBusVoltage()})
        m_Statuses.AddProperty(member);
}

// ---- Windows and rows

void ZRDriveNodeMgr::DefaultAction() {
    ShowProperties();
}

ZRModelDoc* ZRDriveNodeMgr::BuildPropsDoc() {
    auto document = std::make_unique<ZRModelDoc>();
    auto frame = std::make_unique<CSizableChildFrame>();
    auto* view = new ZRPropertiesView;
    frame->SetView(view);
    document->AddView(view);
    ZRQuorvanceApp* app = ZRQuorvanceApp::Instance();
    if (platform::ui::MainWindow* main = app ? app->GetMainWindow() : nullptr)
        main->AddChildFrame(frame.get());
    // The main window's document area holds the frame (and with it the view) from here on.
    frame.release();
    return document.release();
}

void ZRDriveNodeMgr::BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) {
    // The control panels come with their windows; until then only the drive's own commands show.
    rows.push_back(std::make_unique<ZRCommandRow>("Clear Faults", ID_CLEAR_FAULTS, this));
    rows.push_back(std::make_unique<ZRCommandRow>("Reset Drive", ID_RESET_DRIVE, this));
}

// ---- Commands

const platform::ui::CommandTable* ZRDriveNodeMgr::Commands() const {
    using Row = platform::ui::CommandRow<ZRDriveNodeMgr>;
    static const platform::ui::CommandTable table{
        {Row(
             ID_CLEAR_FAULTS, [](ZRDriveNodeMgr& node) { node.DoCommand(ID_CLEAR_FAULTS); },
             &ZRDriveNodeMgr::OnUpdateOnLine),
         Row(
             ID_RESET_DRIVE, [](ZRDriveNodeMgr& node) { node.DoCommand(ID_RESET_DRIVE); },
             &ZRDriveNodeMgr::OnUpdateOnLine),
         Row(ID_EXPORT, &ZRDriveNodeMgr::OnExport),
         Row(ID_COPY_TO_OFFLINE, &ZRDriveNodeMgr::OnCopyToOffline, &ZRDriveNodeMgr::OnUpdateOnLine),
         Row(ID_EDIT_COPY, &ZRDriveNodeMgr::OnCopy),
         Row(ID_EDIT_PASTE, &ZRDriveNodeMgr::OnPaste, &ZRDriveNodeMgr::OnUpdatePaste)},
        &TailCommands()};
    return &table;
}

bool ZRDriveNodeMgr::IsCommandEnabled(unsigned int id) {
    switch (id) {
    case ID_VELOCITY_PANEL:
    case ID_CURRENT_PANEL:
        return true;
    case ID_INDEXING_PANEL:
        return IsIndexing();
    case ID_RESET_DRIVE:
    case ID_FACTORY_RESET:
    case ID_CLEAR_FAULTS:
        return IsOnLine();
    default:
        return false;
    }
}

void ZRDriveNodeMgr::OnUpdateOnLine(platform::ui::CommandState& state) {
    state.enabled = IsOnLine();
}

void ZRDriveNodeMgr::OnUpdatePaste(platform::ui::CommandState& state) {
    state.enabled = IsCompatible(ZRClipboard::Instance()->GetObject());
}

void ZRDriveNodeMgr::DoCommand(unsigned int id) {
    if (!m_pDrive)
        return;
    switch (id) {
    case ID_CLEAR_FAULTS:
        m_pDrive->ClearFaults();
        break;
    case ID_RESET_DRIVE:
        m_pDrive->ResetDrive();
        break;
    case ID_SET_TO_ZERO:
        m_pDrive->GetVelocityCommand()->SetValue(0);
        m_pDrive->GetCurrentCommand()->SetValue(0);
        break;
    case ID_DEFINE_HOME:
        m_pDrive->GetDefineHomeCommand()->Execute(true);
        break;
    default:
        break;
    }
}

void ZRDriveNodeMgr::OnCopy() {
    Copy();
}

void ZRDriveNodeMgr::OnExport() {
    Export(nullptr);
}

void ZRDriveNodeMgr::OnCopyToOffline() {
    ZRQuorvanceApp* app = ZRQuorvanceApp::Instance();
    if (!app || !m_pDrive)
        return;
    app->CopyOnLineToOffLine(m_pDrive);
    app->SaveDatabase();
}

void ZRDriveNodeMgr::OnPaste() {
    platform::ui::WaitCursor wait;
    ZRObject* held = ZRClipboard::Instance()->GetObject();
    if (!held) {
        wait.Restore();
        platform::core::MessageBox("Paste failed - Unable to access internal clipboard");
        return;
    }
    Overwrite(held);
}

// ---- Paste and drop

bool ZRDriveNodeMgr::IsCompatible(ZRObject* object) {
    auto* other = dynamic_cast<ZRDrive*>(object);
    if (!other || !m_pDrive || other->GetClass() != m_pDrive->GetClass() || !IsOnLine())
        return false;
    return other->GetProductType() == m_pDrive->GetProductType() && DriveSizeIndex(other) == DriveSizeIndex(m_pDrive);
}

void ZRDriveNodeMgr::CanDrop(ZRTreeItem* dragged, ZRTreeItem*& dropItem, bool& copyPlain, bool& copyWithCtrl) {
    ZRNodeMgr* source = dragged && m_pTree ? m_pTree->NodeOf(dragged) : nullptr;
    if (source && IsCompatible(source->GetModel())) {
        dropItem = m_pNode;
        copyPlain = true;
        copyWithCtrl = true;
    } else {
        dropItem = nullptr;
    }
}

void ZRDriveNodeMgr::DragCopy(ZRTreeItem* dragged) {
    ZRNodeMgr* source = dragged && m_pTree ? m_pTree->NodeOf(dragged) : nullptr;
    if (!source)
        return;
    platform::ui::WaitCursor wait;
    Overwrite(source->GetModel());
}

bool ZRDriveNodeMgr::Overwrite(ZRObject* source) {
    if (!m_pDrive)
        return false;
    if (IsOnLine() && m_pDrive->IsEnableActive()) {
        platform::core::MessageBox(kEnableActive);
        return false;
    }
    platform::ui::WaitCursor wait;
    if (!IsCompatible(source) || source->GetClass() != m_pDrive->GetClass())
        return false;
    return ZRNodeMgr::Overwrite(source);
}

void ZRDriveNodeMgr::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    // The main group carries the drive's name as its caption.
    if (m_pDrive && subject == static_cast<ZRMvcModel*>(&m_pDrive->GetName()))
        m_Properties.SetName(m_pDrive->GetName().GetValue());
    ZRNodeMgr::OnUpdate(subject, message);
}

// ---- Control-panel window

bool ZRDriveNodeMgr::CanClose(CSizableChildFrame*) {
    return true;
}

bool ZRDriveNodeMgr::ActivateModeWindow(long) {
    return false;
}

bool ZRDriveNodeMgr::CloseModeWindow() {
    return true;
}

ZRPropertiesView* ZRDriveNodeMgr::OpenModeWindow(long, std::string, unsigned short, ZRNodeMgr*) {
    return nullptr;
}
