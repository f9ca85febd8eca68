#include "quorvance/tarvik/ZRTuningNodeMgr.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRAttributeHeader.h"
#include "kitbase/ui/ZRBoolEditRow.h"
#include "kitbase/ui/ZRBoolRow.h"
#include "kitbase/ui/ZRChoiceRow.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZREditRow.h"
#include "kitbase/ui/ZRGroupRow.h"
#include "kitbase/ui/ZRLabelRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "kitbase/ui/ZRSpinRow.h"
#include "kitbase/ui/ZRStaticHeader.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/Modal.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WaitCursor.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/shell/ZRQuorvanceApp.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikNodeSupport.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "quorvance/tarvik/ZRNoxelDevice.h"
#include "quorvance/tarvik/ZRTuning.h"

#include <list>
#include <memory>
#include <vector>

namespace {

using Rows = std::list<std::unique_ptr<ZRGridRow>>;

void RegisterMenu() {
    using platform::ui::MenuItem;
    const auto position = static_cast<size_t>(kTuningSubMenu);
    if (platform::ui::HasSubMenu(IDR_OFFLINE_ROOT_MENU, position))
        return;
    platform::ui::RegisterSubMenu(
        IDR_OFFLINE_ROOT_MENU, position,
        MenuItem("Tuning",
                 {MenuItem(ID_PROPERTIES, "Properties..."),
                  MenuItem("Commands", {MenuItem(ID_AUTOTUNE_WINDOW, "Autotune..."),
                                        MenuItem(ID_MANUAL_VELOCITY_TUNE, "Manual Velocity Tune..."),
                                        MenuItem(ID_MANUAL_POSITION_TUNE, "Manual Position Tune...")})}));
}

// Which row kind shows an attribute in a tuning window.
enum class Kind { Choice, Edit, Spin, Check };
struct Member {
    Kind kind;
    ZRAttribute* attribute;
};

std::unique_ptr<ZRGridRow> MakeRow(const Member& m) {
    auto header = std::make_unique<ZRAttributeHeader>(m.attribute);
    switch (m.kind) {
    case Kind::Choice:
        return std::make_unique<ZRChoiceRow>(dynamic_cast<ZRIndexSelection*>(m.attribute), std::move(header));
    case Kind::Spin:
        return std::make_unique<ZRSpinRow>(dynamic_cast<ZRValAttribute*>(m.attribute), std::move(header));
    case Kind::Check:
        return std::make_unique<ZRBoolEditRow>(dynamic_cast<ZRBoolAttribute*>(m.attribute),
                                               std::move(header));
    case Kind::Edit:
        break;
    }
    return std::make_unique<ZREditRow>(m.attribute, std::move(header));
}

// A group row with its caption, then its members, each also held by the group so that it folds them.
void AddRowGroup(Rows& rows, const char* caption, std::initializer_list<Member> members) {
    auto group = std::make_unique<ZRGroupRow>(std::make_unique<ZRStaticHeader>(caption));
    ZRGroupRow* added = group.get();
    rows.push_back(std::move(group));
    for (const Member& m : members) {
        std::unique_ptr<ZRGridRow> row = MakeRow(m);
        added->AddRow(row.get());
        rows.push_back(std::move(row));
    }
}

struct Window {
    long mode;
    const char* title;
    unsigned short icon;
    unsigned long helpTopic;
};

const Window* WindowOf(long mode) {
    static constexpr Window kWindows[] = {
        {ZRTuningNodeMgr::kModeAutotune, "Autotuning", ZRImages::IDI_AUTOTUNING,
         tarvik::kHelpTopicAutotuning},
        {ZRTuningNodeMgr::kModeManualVelocity, "Manual Velocity Tuning", ZRImages::IDI_MANUAL_VELOCITY_TUNING,
         tarvik::kHelpTopicManualVelocityTuning},
        {ZRTuningNodeMgr::kModeManualPosition, "Manual Position Tuning", ZRImages::IDI_MANUAL_POSITION_TUNING,
         tarvik::kHelpTopicManualPositionTuning},
    };
    for (const Window& w : kWindows)
        if (w.mode == mode)
            return &w;
    return nullptr;
}

constexpr const char* kStepWarning =
    "WARNING -- Excessive tuning step profile values may cause uncontrolled motion.";

} // namespace

ZRTuningNodeMgr::ZRTuningNodeMgr(ZRTuning* tuning, ZRTreeItem* item, ZRWorkspaceView* view)
    : TarvikBlockNodeMgr(tuning, item, view), m_pTuning(tuning) {}

void ZRTuningNodeMgr::Initialize() {
    RegisterMenu();
    SetUp({kTuningSubMenu, "Tuning", "%s - Tuning", ZRImages::IDI_TUNING, tarvik::kHelpTopicTuning,
           tarvik::kHelpTopicTuningProps});

    // A drive found in a tuning mode gets its window back.
    if (auto* drive = Drive()) {
        ZRIndexSelection* hostMode = drive->GetHostControlMode();
        hostMode->Refresh(false);
        const long mode = hostMode->GetValue();
        if (WindowOf(mode))
            OpenWindow(mode);
    }
    SetHasCommands(true);

    ZRTuning* t = m_pTuning;
    m_Properties.SetName("Tuning");
    AddGroup(m_Properties, "Velocity Regulator Gains", {t->GetP(), t->GetI(), t->GetD()}).SetCollapsed(true);
    AddGroup(m_Properties, "Position Regulator Gains",
             {t->GetKp(), t->GetKd(), t->GetKvff(), t->GetKi(), t->GetKiZone(), t->GetKaff()})
        .SetCollapsed(true);
    const ZRQuorvanceApp* app = ZRQuorvanceApp::Instance();
    if (app && app->IsEngineeringMode())
        AddGroup(m_Properties, "Current Regulator Gains",
                 {t->GetKpd(), t->GetKpq(), t->GetKiq(), t->GetKid(), t->GetKe()})
            .SetCollapsed(true);
    AddGroup(m_Properties, "Low Pass Filter", {t->GetEnable(), t->GetBandwidth()}).SetCollapsed(true);

    AddGroup(m_Statuses, "Velocity Loop",
             {t->GetVelocityMotorFeedback(), t->GetVelocityError(), t->GetVelocityCommand()})
        .SetCollapsed(true);
    AddGroup(m_Statuses, "Position Loop",
             {t->GetPositionMotorFeedback(), t->GetPositionErrorPeakPlus(), t->GetPositionErrorPeakMinus(),
              t->GetPositionError(), t->GetPositionCommand()})
        .SetCollapsed(true);
    AddGroup(m_Statuses, "Current Loop",
             {t->GetCurrentFeedback(), t->GetCurrentUPhase(), t->GetCurrentWPhase(), t->GetCurrentPeakPlus(),
              t->GetCurrentPeakMinus(), t->GetCurrentAnalogLimitInput(), t->GetCurrentCommand(),
              t->GetCurrentAverage()})
        .SetCollapsed(true);
}

ZRDriveNodeMgr* ZRTuningNodeMgr::DriveNode() const {
    if (!m_pTree || !m_pNode)
        return nullptr;
    platform::ui::TreeItem parent = m_pTree->ParentItem(m_pNode);
    return parent ? dynamic_cast<ZRDriveNodeMgr*>(m_pTree->NodeOf(parent)) : nullptr;
}

ZRDrive* ZRTuningNodeMgr::Drive() const {
    return dynamic_cast<ZRDrive*>(tarvik::DriveOf(m_pTuning));
}

bool ZRTuningNodeMgr::CanClose(CSizableChildFrame* frame) {
    // The windows are the drive node's: it decides, and puts the drive back to normal.
    ZRDriveNodeMgr* drive = DriveNode();
    return drive ? drive->CanClose(frame) : true;
}

const platform::ui::CommandTable* ZRTuningNodeMgr::Commands() const {
    using Row = platform::ui::CommandRow<ZRTuningNodeMgr>;
    const auto run = [](ZRTuningNodeMgr& node, unsigned id) { node.DoCommand(id); };
    constexpr auto onLine = &ZRTuningNodeMgr::OnUpdateOnLine;
    static const platform::ui::CommandTable table{
        {Row(ID_START_AUTOTUNE, run), Row(ID_AUTOTUNE_WINDOW, run, onLine),
         Row(ID_MANUAL_POSITION_TUNE, run, onLine), Row(ID_TUNING_NOT_IMPLEMENTED, run, onLine),
         Row(ID_START_TUNING, run, onLine), Row(ID_STOP_TUNING, run, onLine),
         Row(ID_MANUAL_VELOCITY_TUNE, run, onLine)},
        &TailCommands()};
    return &table;
}

void ZRTuningNodeMgr::OnUpdateOnLine(platform::ui::CommandState& state) {
    state.enabled = tarvik::IsOnLine(m_pTuning);
}

void ZRTuningNodeMgr::BuildCommandRows(Rows& rows) {
    rows.push_back(std::make_unique<ZRCommandRow>("Autotuning...", ID_AUTOTUNE_WINDOW, this));
    rows.push_back(
        std::make_unique<ZRCommandRow>("Manual Velocity Tuning...", ID_MANUAL_VELOCITY_TUNE, this));
    rows.push_back(
        std::make_unique<ZRCommandRow>("Manual Position Tuning...", ID_MANUAL_POSITION_TUNE, this));
}

void ZRTuningNodeMgr::DoCommand(unsigned int id) {
    switch (id) {
    case ID_START_AUTOTUNE:
        StartAutotune();
        break;
    case ID_AUTOTUNE_WINDOW:
        OpenWindow(kModeAutotune);
        break;
    case ID_MANUAL_VELOCITY_TUNE:
        OpenWindow(kModeManualVelocity);
        break;
    case ID_MANUAL_POSITION_TUNE:
        OpenWindow(kModeManualPosition);
        break;
    case ID_START_TUNING:
        StartTuning();
        break;
    case ID_STOP_TUNING:
        StopTuning();
        break;
    case ID_CLEAR_FAULTS:
        if (auto* drive = Drive())
            drive->ClearFaults();
        break;
    case ID_TUNING_NOT_IMPLEMENTED:
        platform::core::MessageBox("Not Implemented");
        break;
    case ID_ENABLE_DRIVE:
        OnEnableDrive();
        break;
    default:
        break;
    }
}

void ZRTuningNodeMgr::OpenWindow(long mode) {
    const Window* w = WindowOf(mode);
    ZRDriveNodeMgr* driveNode = DriveNode();
    ZRDrive* drive = driveNode ? driveNode->GetDrive() : nullptr;
    if (!w || !drive || driveNode->ActivateModeWindow(mode))
        return;
    const bool onLine = tarvik::IsOnLine(m_pTuning);
    tarvik::PreparePanes(m_pTuning);
    ZRPropertiesView* view = driveNode->OpenModeWindow(mode, w->title, w->icon, this);
    if (!view) {
        tarvik::ResetPaneSwitches();
        return;
    }
    platform::ui::WaitCursor wait;
    if (CSizableChildFrame* frame = driveNode->GetModeFrame())
        frame->SetHelpTopic(w->helpTopic);

    ZRTuning* t = m_pTuning;
    const std::initializer_list<Member> velocityGains = {
        {Kind::Spin, t->GetP()}, {Kind::Spin, t->GetI()}, {Kind::Spin, t->GetD()}};
    if (ZRPropertiesGrid* grid = view->m_pPropertiesGrid) {
        Rows& rows = grid->GetRows();
        if (mode == kModeAutotune) {
            AddRowGroup(rows, "Autotune Settings",
                        {{Kind::Choice, t->GetMotorDirection()},
                         {Kind::Edit, t->GetMaximumDistance()},
                         {Kind::Edit, t->GetStepCurrent()}});
            AddRowGroup(rows, "Velocity Regulator Gains", velocityGains);
        } else if (mode == kModeManualVelocity) {
            AddRowGroup(rows, "Manual Velocity Tuning Settings",
                        {{Kind::Choice, t->GetMotorDirection()},
                         {Kind::Edit, t->GetVelocity()},
                         {Kind::Edit, t->GetVelocityStepTime()}});
            AddRowGroup(rows, "Velocity Regulator Gains", velocityGains);
            AddRowGroup(rows, "Low Pass Filter",
                        {{Kind::Check, t->GetEnable()}, {Kind::Edit, t->GetBandwidth()}});
        } else {
            AddRowGroup(rows, "Manual Position Tuning Settings",
                        {{Kind::Choice, t->GetMotorDirection()},
                         {Kind::Edit, t->GetDistance()},
                         {Kind::Edit, t->GetPositionStepTime()}});
            AddRowGroup(rows, "Position Regulator Gains",
                        {{Kind::Spin, t->GetKp()},
                         {Kind::Spin, t->GetKd()},
                         {Kind::Spin, t->GetKvff()},
                         {Kind::Spin, t->GetKi()},
                         {Kind::Spin, t->GetKiZone()}});
            AddRowGroup(rows, "Velocity Regulator Gains", velocityGains);
        }
        if (mode != kModeAutotune)
            rows.push_back(std::make_unique<ZRLabelRow>(std::make_unique<ZRStaticHeader>(kStepWarning)));
    }

    if (onLine && view->m_pServicesGrid) {
        Rows& rows = view->m_pServicesGrid->GetRows();
        const bool autotune = mode == kModeAutotune;
        rows.push_back(std::make_unique<ZRCommandRow>(autotune ? "Start Autotune" : "Start Tuning",
                                                      autotune ? ID_START_AUTOTUNE : ID_START_TUNING, this));
        rows.push_back(
            std::make_unique<ZRCommandRow>(autotune ? "Stop Autotune" : "Stop Tuning", ID_STOP_TUNING, this));
        rows.push_back(std::make_unique<ZRCommandRow>("Clear Faults", ID_CLEAR_FAULTS, this));
        view->m_pServicesGrid->UpdateRows();
    }
    if (onLine && view->m_pStatusGrid) {
        Rows& rows = view->m_pStatusGrid->GetRows();
        std::vector<ZRBoolAttribute*> flags{drive->GetDriveEnabled()};
        if (mode == kModeAutotune) {
            flags.push_back(t->GetAutotuneComplete());
            flags.push_back(t->GetAutotuneFailed());
        }
        for (ZRBoolAttribute* flag : flags)
            rows.push_back(std::make_unique<ZRBoolRow>(flag, std::make_unique<ZRAttributeHeader>(flag)));
        view->m_pStatusGrid->UpdateRows();
    }
    if (ZRPropertiesGrid* grid = view->m_pPropertiesGrid) {
        grid->UpdateRows();
        grid->Backup();
    }
    SizeAndShowView(view, 0.7f, 0.7f);
}

void ZRTuningNodeMgr::StartAutotune() {
    auto* drive = Drive();
    if (!drive)
        return;
    if (!drive->IsEnableActive()) {
        platform::core::MessageBox("Drive enable input must be active to start autotuning.");
        return;
    }
    StartTuning();
    m_pTuning->GetAutotuneCommand()->Execute(true);
}

void ZRTuningNodeMgr::StartTuning() {
    if (auto* device = dynamic_cast<ZRNoxelDevice*>(m_pTuning->GetDevice()))
        device->EnableDrive();
}

void ZRTuningNodeMgr::StopTuning() {
    ZRDevice* device = m_pTuning->GetDevice();
    if (!device || device->IsOffLine()) {
        platform::core::MessageBox("The Drive is Offline.");
        return;
    }
    device->Disable();
}
