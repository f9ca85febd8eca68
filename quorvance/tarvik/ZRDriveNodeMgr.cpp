#include "quorvance/tarvik/ZRDriveNodeMgr.h"

#include "kitbase/model/ZRClipboard.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRMsgBox.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZRModelDoc.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/MainWindow.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WaitCursor.h"
#include "quorvance/online/OnlineCommands.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/ZRFamilyRegistry.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/shell/ZRQuorvanceApp.h"
#include "quorvance/shell/ZRReportView.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikNodeSupport.h"
#include "quorvance/tarvik/TarvikSercosSwitch.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRMonitor.h"
#include "quorvance/tarvik/ZRMonitorNodeMgr.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZRNoxelDevice.h"
#include "quorvance/tarvik/ZRServiceInfo.h"

#include <initializer_list>
#include <memory>
#include <utility>

using namespace platform::ui::ids;
using platform::core::IDOK;

namespace {

constexpr const char* kOffline = "The Drive is Offline.";
constexpr const char* kEnableActive = "Can't perform paste operation while Enable input active.";

int DriveSizeIndex(ZRDrive* drive) {
    ZRServiceInfo* info = drive->GetServiceInfo();
    ZRIndexSelection* size = info ? info->GetDriveSize() : nullptr;
    return size ? static_cast<int>(size->GetValue()) : -1;
}

platform::ui::MenuItem DriveMenu(const char* name, bool sercos) {
    using platform::ui::MenuItem;
    std::vector<MenuItem> commands{MenuItem(ID_VELOCITY_PANEL, "&Velocity Control Panel..."),
                                   MenuItem(ID_CURRENT_PANEL, "&Current Control Panel..."),
                                   MenuItem(ID_INDEXING_PANEL, "&Indexing Control Panel..."),
                                   MenuItem::Separator(),
                                   MenuItem(ID_CLEAR_FAULTS, "Clear &Faults"),
                                   MenuItem(ID_RESET_DRIVE, "&Reset Drive"),
                                   MenuItem(ID_FACTORY_RESET, "Reset &EEPROM to Factory Settings")};
    if (sercos)
        commands.insert(commands.end(),
                        {MenuItem::Separator(), MenuItem(ID_SERCOS_ACTIVATION, "&Sercos Activation...")});
    return MenuItem(
        name, {MenuItem(ID_EDIT_CUT, "Cu&t"), MenuItem(ID_EDIT_COPY, "&Copy"),
               MenuItem(ID_EDIT_PASTE, "&Paste"), MenuItem(ID_EDIT_CLEAR, "&Delete"), MenuItem::Separator(),
               MenuItem(ID_DRIVE_REPORT, "Drive &Report"), MenuItem(ID_EXPORT, "E&xport"),
               MenuItem(ID_COPY_TO_OFFLINE, "Copy to &Offline and Save"), MenuItem::Separator(),
               MenuItem(ID_ENABLE_DRIVE, "&Enable Drive"),
               MenuItem(ID_UPGRADE_FIRMWARE, "&Upgrade Firmware..."), MenuItem::Separator(),
               MenuItem(ID_PROPERTIES, "P&roperties..."), MenuItem("Commands", std::move(commands))});
}

void RegisterDriveMenus() {
    if (platform::ui::HasSubMenu(IDR_OFFLINE_ROOT_MENU, size_t(kSercosCapableDriveSubMenu)))
        return;
    platform::ui::RegisterSubMenu(IDR_OFFLINE_ROOT_MENU, kDriveSubMenu, DriveMenu("Drive", false));
    platform::ui::RegisterSubMenu(IDR_OFFLINE_ROOT_MENU, kSercosCapableDriveSubMenu,
                                  DriveMenu("SercosDrive", true));
}

} // namespace

ZRDriveNodeMgr::ZRDriveNodeMgr(ZRDrive* drive, ZRTreeItem* item, ZRWorkspaceView* view)
    : ZRNodeMgr(item, drive, view), m_pDrive(drive) {}

ZRDriveNodeMgr::~ZRDriveNodeMgr() {
    if (m_pDrive && GetModel())
        m_pDrive->GetHostControlMode()->RemoveObserver(this);
}

bool ZRDriveNodeMgr::IsOnLine() const {
    return tarvik::IsOnLine(m_pDrive);
}

bool ZRDriveNodeMgr::IsIndexing() const {
    return m_pDrive && m_pDrive->GetClass() == tarvik::kIndexingDriveType;
}

// ---- Set-up

void ZRDriveNodeMgr::Initialize() {
    if (!m_pDrive)
        return;
    SelectMenu();
    SetViewTitle("%s", &m_pDrive->GetName());
    SetIconID(ZRImages::IDI_DRIVE);
    SetHelpTopic(tarvik::kHelpTopicDrive);
    AddBlockNodes();
    // A drive found in a control-panel mode gets its window back.
    ZRIndexSelection* hostMode = m_pDrive->GetHostControlMode();
    hostMode->Refresh(false);
    const long mode = hostMode->GetValue();
    if (mode == kModeVelocityPanel || mode == kModeCurrentPanel || mode == kModeIndexingPanel)
        OpenControlPanel(mode);
    SetHasCommands(true);
    SetPropsHelpTopic(tarvik::kHelpTopicDriveProps);
    BuildPropertyGroups();
    BuildStatusGroup();
    hostMode->AddObserver(this);
}

void ZRDriveNodeMgr::SelectMenu() {
    RegisterDriveMenus();
    ZRUlongAttribute* sercos = m_pDrive->GetSercosCapable();
    bool capable = false;
    if (sercos->IsSupported()) {
        sercos->Refresh(false);
        capable = sercos->GetValue() == 1;
    }
    SetMenu(IDR_OFFLINE_ROOT_MENU, capable ? kSercosCapableDriveSubMenu : kDriveSubMenu);
}

void ZRDriveNodeMgr::AddBlockNodes() {
    if (!m_pTree || !m_pNode)
        return;
    ZRDrive* d = m_pDrive;
    const bool deviceNet = (d->GetProductType() & ZRDrive::kDeviceNetPresent) != 0;
    struct Block {
        int32_t type;
        const char* text;
        int image;
    };
    static constexpr Block kBlocks[] = {
        {tarvik::kOperModesType, "Mode Configuration", ZRImages::kModeConfiguration},
        {tarvik::kOperModesIndexingType, "Mode Configuration", ZRImages::kModeConfiguration},
        {tarvik::kMotorType, "Motor", ZRImages::kMotor},
        {tarvik::kTuningType, "Tuning", ZRImages::kTuning},
        {tarvik::kEncodersType, "Encoders", ZRImages::kEncoders},
        {tarvik::kDigInType, "Digital Inputs", ZRImages::kDigitalInputs},
        {tarvik::kDigOutType, "Digital Outputs", ZRImages::kDigitalOutputs},
        {tarvik::kAnalogOutType, "Analog Outputs", ZRImages::kAnalogOutputs},
        {tarvik::kMonitorType, "Monitor", ZRImages::kMonitor},
        {tarvik::kScopeType, "Oscilloscope", ZRImages::kOscilloscope},
        {tarvik::kFaultsType, "Faults", ZRImages::kFaults},
        {tarvik::kDeviceNetType, "DeviceNet", ZRImages::kDeviceNet},
        {tarvik::kServiceInfoType, "Service Info", ZRImages::kServiceInfo},
    };
    const auto find = [d](int32_t type) -> ZRObject* {
        // The monitor is the drive's own, not one of its stored children.
        if (type == tarvik::kMonitorType)
            return d->GetMonitor();
        for (ZRObject* child : d->GetChildren())
            if (child->GetClass() == type)
                return child;
        return nullptr;
    };
    const ZRFamilyRegistry& families = ZRFamilyRegistry::Instance();
    for (const Block& block : kBlocks) {
        if (block.type == tarvik::kDeviceNetType && !deviceNet)
            continue;
        ZRObject* object = find(block.type);
        if (!object || FindChild(static_cast<ZRMvcModel*>(object)))
            continue;
        ZRNodeMaker make = families.FindNode(block.type);
        // The monitor's node is the drive's own until the family registers one.
        if (!make && block.type != tarvik::kMonitorType)
            continue;
        tarvik::AddBlockNode(*m_pTree, m_pNode, block.text, block.image,
                             [&](ZRTreeItem* item) -> std::unique_ptr<ZRNodeMgr> {
                                 if (make)
                                     return make(object, item, m_pTree);
                                 return std::make_unique<ZRMonitorNodeMgr>(object, item, m_pTree);
                             });
    }
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
    tarvik::AddSubGroup(m_Properties, "Operation Modes", {d->GetOperationMode(), d->GetOperModeOverride()});
    tarvik::AddSubGroup(m_Properties, "Machine Cycle",
                        {d->GetSingleTurnAbsolute(), d->GetPositionRollover(), d->GetPositionRolloverCopy(),
                         d->GetSize(), d->GetSizeCopy()});
    tarvik::AddSubGroup(
        m_Properties, "Communications",
        {d->GetDriveAddress(), d->GetBroadcastAddress(), d->GetBaudRate(), d->GetFrameFormat()});
    tarvik::AddSubGroup(m_Properties, "Current Limits", {d->GetPositive(), d->GetNegative()});
    if (IsIndexing())
        tarvik::AddSubGroup(m_Properties, "Position Limits",
                            {d->GetPositiveDecelDistance(), d->GetNegativeDecelDistance(),
                             d->GetEnableSoftLimits(), d->GetPositiveSoftLimit(), d->GetNegativeSoftLimit()});
    tarvik::AddSubGroup(m_Properties, "Speed Functions",
                        {d->GetZeroSpeed(), d->GetSpeedWindow(), d->GetUpToSpeed()});
    tarvik::AddSubGroup(m_Properties, "Position Functions",
                        {d->GetInPositionSize(), d->GetInPositionTime(), d->GetPosnCompare1Polarity(),
                         d->GetPosnCompare1Type(), d->GetPosnCompare1(), d->GetPosnCompare1Max(),
                         d->GetPosnCompare2Polarity(), d->GetPosnCompare2Type(), d->GetPosnCompare2(),
                         d->GetPosnCompare2Max()});
    tarvik::AddSubGroup(m_Properties, "Display Precision",
                        {d->GetVelocityPrecision(), d->GetPositionPrecision(), d->GetAccelerationPrecision(),
                         d->GetCurrentPrecision()});
    tarvik::AddSubGroup(m_Properties, "Motor Encoder Units",
                        {d->GetVelocityLabel(), d->GetVelocityScaleAttribute(), d->GetPositionLabel(),
                         d->GetPositionScaleAttribute(), d->GetAccelerationLabel(),
                         d->GetAccelerationScaleAttribute()});
    tarvik::AddSubGroup(m_Properties, "Auxiliary Encoder Units",
                        {d->GetAuxEncoderVelocityLabel(), d->GetAuxEncoderVelocityScale(),
                         d->GetAuxEncoderPositionLabel(), d->GetAuxEncoderPositionScale(),
                         d->GetAuxEncoderAccelerationLabel(), d->GetAuxEncoderAccelerationScale()});
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
    return tarvik::NewPropsDoc();
}

void ZRDriveNodeMgr::BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) {
    const auto add = [&](const char* caption, unsigned id) {
        rows.push_back(std::make_unique<ZRCommandRow>(caption, id, this));
    };
    add("Velocity Control Panel...", ID_VELOCITY_PANEL);
    add("Current Control Panel...", ID_CURRENT_PANEL);
    if (IsIndexing())
        add("Indexing Control Panel...", ID_INDEXING_PANEL);
    add("Clear Faults", ID_CLEAR_FAULTS);
    add("Reset Drive", ID_RESET_DRIVE);
    add("Reset EEPROM to Factory Settings", ID_FACTORY_RESET);
}

// ---- Commands

const platform::ui::CommandTable* ZRDriveNodeMgr::Commands() const {
    using Row = platform::ui::CommandRow<ZRDriveNodeMgr>;
    // The drive commands run through DoCommand, which the panels' command rows reach as well.
    const auto run = &ZRDriveNodeMgr::DoCommand;
    static const platform::ui::CommandTable table{
        {Row(ID_VELOCITY_PANEL, run), Row(ID_CURRENT_PANEL, run),
         Row(ID_INDEXING_PANEL, run, &ZRDriveNodeMgr::OnUpdateIndexing),
         Row(ID_CLEAR_FAULTS, run, &ZRDriveNodeMgr::OnUpdateOnLine),
         Row(ID_RESET_DRIVE, run, &ZRDriveNodeMgr::OnUpdateOnLine),
         Row(ID_FACTORY_RESET, run, &ZRDriveNodeMgr::OnUpdateOnLine),
         Row(ID_SERCOS_ACTIVATION, &ZRDriveNodeMgr::OnSercosActivation, &ZRDriveNodeMgr::OnUpdateOnLine),
         Row(ID_DRIVE_REPORT, &ZRDriveNodeMgr::OnDriveReport), Row(ID_EXPORT, &ZRDriveNodeMgr::OnExport),
         Row(ID_COPY_TO_OFFLINE, &ZRDriveNodeMgr::OnCopyToOffline, &ZRDriveNodeMgr::OnUpdateOnLine),
         Row(ID_EDIT_COPY, &ZRDriveNodeMgr::OnCopy),
         Row(ID_EDIT_CUT, &ZRDriveNodeMgr::OnCut, &ZRDriveNodeMgr::OnUpdateOffLine),
         Row(ID_EDIT_CLEAR, &ZRDriveNodeMgr::OnDelete, &ZRDriveNodeMgr::OnUpdateOffLine),
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

void ZRDriveNodeMgr::OnUpdateOffLine(platform::ui::CommandState& state) {
    state.enabled = !IsOnLine();
}

void ZRDriveNodeMgr::OnUpdateIndexing(platform::ui::CommandState& state) {
    state.enabled = IsIndexing();
}

void ZRDriveNodeMgr::OnUpdatePaste(platform::ui::CommandState& state) {
    state.enabled = IsCompatible(ZRClipboard::Instance()->GetObject());
}

void ZRDriveNodeMgr::DoCommand(unsigned int id) {
    if (!m_pDrive)
        return;
    switch (id) {
    case ID_VELOCITY_PANEL:
        OpenControlPanel(kModeVelocityPanel);
        break;
    case ID_CURRENT_PANEL:
        OpenControlPanel(kModeCurrentPanel);
        break;
    case ID_INDEXING_PANEL:
        OpenControlPanel(kModeIndexingPanel);
        break;
    case ID_CLEAR_FAULTS:
        m_pDrive->ClearFaults();
        break;
    case ID_RESET_DRIVE:
        m_pDrive->ResetDrive();
        break;
    case ID_FACTORY_RESET:
        OnFactoryReset();
        break;
    case ID_SET_TO_ZERO:
        m_pDrive->GetVelocityCommand()->SetValue(0);
        m_pDrive->GetCurrentCommand()->SetValue(0);
        break;
    case ID_PANEL_ENABLE_DRIVE:
        if (auto* device = dynamic_cast<ZRNoxelDevice*>(m_pDrive->GetDevice()))
            device->EnableDrive();
        break;
    case ID_PANEL_DISABLE_DRIVE:
        OnDisableDrive();
        break;
    case ID_DEFINE_HOME:
        m_pDrive->GetDefineHomeCommand()->Execute(true);
        break;
    default:
        break;
    }
}

void ZRDriveNodeMgr::OnSercosActivation() {
    // The main window switches the drive: this node goes with it.
    tarvik::PostSercosSwitch(m_pDrive, (m_pDrive->GetProductType() & tarvik::kProductSercos) == 0);
}

void ZRDriveNodeMgr::OnDisableDrive() {
    if (!IsOnLine()) {
        platform::core::MessageBox(kOffline);
        return;
    }
    m_pDrive->GetDevice()->Disable();
}

void ZRDriveNodeMgr::OnFactoryReset() {
    // The self test may answer this question.
    tarvik::FactoryReset(m_pDrive,
                         [](const std::string& text, unsigned type) { return ZRMsgBox().Show(text, type); });
}

void ZRDriveNodeMgr::OnDriveReport() {
    platform::ui::WaitCursor wait;
    m_Properties.SetName(m_pDrive->GetName().GetValue());
    std::string text;
    DoReport(text);
    ZRReportView* view = ZRReportView::Open(
        this, platform::core::Format("%s - Report", m_pDrive->GetName().GetValue().c_str()),
        tarvik::kHelpTopicDriveReport);
    if (!view)
        return;
    view->SetText(text);
    view->ShowFrame();
}

void ZRDriveNodeMgr::OnCopy() {
    Copy();
}

void ZRDriveNodeMgr::OnCut() {
    const std::string question =
        platform::core::Format("Warning: Cutting %s will remove it from your file. Continue?",
                               m_pDrive->GetName().GetValue().c_str());
    if (platform::core::MessageBox(question, {}, platform::core::MB_OKCANCEL) != IDOK)
        return;
    ZRWorkspaceView* tree = m_pTree;
    if (Cut() && tree)
        tree->DisposeLater(std::unique_ptr<ZRNodeMgr>(this));
}

void ZRDriveNodeMgr::OnDelete() {
    if (IsOnLine())
        return;
    ZRMsgBox box;
    if (box.Show("Warning: This will permanently delete this drive and all its contents. Continue?",
                 platform::core::MB_OKCANCEL) != IDOK)
        return;
    ZRWorkspaceView* tree = m_pTree;
    if (Delete() && tree)
        tree->DisposeLater(std::unique_ptr<ZRNodeMgr>(this));
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
    return other->GetProductType() == m_pDrive->GetProductType() &&
           DriveSizeIndex(other) == DriveSizeIndex(m_pDrive);
}

void ZRDriveNodeMgr::CanDrop(ZRTreeItem* dragged, ZRTreeItem*& dropItem, bool& copyPlain,
                             bool& copyWithCtrl) {
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
    if (m_pDrive && GetModel()) {
        // The main group carries the drive's name as its caption.
        if (subject == static_cast<ZRMvcModel*>(&m_pDrive->GetName()))
            m_Properties.SetName(m_pDrive->GetName().GetValue());
        if (subject == static_cast<ZRMvcModel*>(m_pDrive->GetHostControlMode()))
            HostModeChanged(ReasonOf(message));
    }
    if (m_pModeView && subject == static_cast<ZRMvcModel*>(m_pModeView) &&
        ReasonOf(message) == ZRUpdate::Destroying)
        ForgetModeWindow();
    ZRNodeMgr::OnUpdate(subject, message);
}
