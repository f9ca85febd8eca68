#include "quorvance/fenwa/FenwaNodeMgr.h"

#include "kitbase/model/ZRClipboard.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRMsgBox.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRAttributeHeader.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZREditRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WaitCursor.h"
#include "quorvance/fenwa/FenwaCommand.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaJog.h"
#include "quorvance/fenwa/FenwaStorage.h"
#include "quorvance/online/OnlineCommands.h"
#include "quorvance/online/ZRPlainDriveNodeMgr.h"
#include "quorvance/shell/ZRFamilyRegistry.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/shell/ZRQuorvanceApp.h"
#include "quorvance/shell/ZRReportView.h"
#include "quorvance/tarvik/TarvikNodeSupport.h"
#include "wirelink/WireClock.h"

#include <QObject>

#include <algorithm>

#include <initializer_list>
#include <utility>

using namespace platform::ui::ids;
using platform::core::Format;
using platform::core::IDOK;
using platform::core::IDYES;

namespace {

constexpr unsigned short kDriveIcon = ZRImages::IDI_DRIVE;
constexpr unsigned short kPanelIcon = ZRImages::IDI_CONTROL_PANEL;
constexpr unsigned long kHelpTopic = 1143;
constexpr unsigned long kPropsHelpTopic = 1175;
constexpr int kReportHelpId = 1161;
constexpr uint32_t kResetWait = 3000;
constexpr const char* kOffline = "The Drive is Offline.";
constexpr unsigned kAskNoDefault =
    platform::core::MB_YESNO | platform::core::MB_ICONQUESTION | platform::core::MB_DEFBUTTON2;

// The block nodes in tree order. A block whose family node is not registered gets a plain node
// with its properties; the drive's monitor gets its node with the drive's monitor object.
struct BlockNode {
    int32_t type;
    const char* text;
    int image;
};
constexpr BlockNode kBlockNodes[] = {
    {fenwa::kOperModeType, "Mode Configuration", ZRImages::kModeConfiguration},
    {fenwa::kMotorType, "Motor", ZRImages::kMotor},
    {fenwa::kTuningType, "Tuning", ZRImages::kTuning},
    {fenwa::kEncoderType, "Encoders", ZRImages::kEncoders},
    {fenwa::kDigInType, "Digital Inputs", ZRImages::kDigitalInputs},
    {fenwa::kDigOutType, "Digital Outputs", ZRImages::kDigitalOutputs},
    {fenwa::kAnalogOutType, "Analog Outputs", ZRImages::kAnalogOutputs},
    {fenwa::kScopeType, "Oscilloscope", ZRImages::kOscilloscope},
    {fenwa::kFaultsType, "Faults", ZRImages::kFaults},
    {fenwa::kServiceInfoType, "ServiceInfo", ZRImages::kServiceInfo},
};

// An attribute of the object by its name: statuses first when asked for a status.
ZRAttribute* Named(ZRObject* object, const std::string& name, bool status = false) {
    if (!object)
        return nullptr;
    // A status flag may share its name with a parameter ("Up to Speed"): a status looks at the
    // status list and the fields before the parameters.
    ZRObject::AttributeList* lists[] = {&object->GetProperties(), &object->GetStatus(),
                                        &object->GetMiscAttributes()};
    if (status)
        std::rotate(lists, lists + 1, lists + 3);
    for (ZRObject::AttributeList* list : lists)
        for (ZRAttribute* attribute : *list)
            if (attribute && attribute->GetName() == name)
                return attribute;
    return nullptr;
}

// Every attribute of the object with the id, in its lists' order.
std::vector<ZRAttribute*> WithId(ZRObject* object, int32_t id) {
    std::vector<ZRAttribute*> found;
    if (!object)
        return found;
    for (ZRObject::AttributeList* list :
         {&object->GetProperties(), &object->GetStatus(), &object->GetMiscAttributes()})
        for (ZRAttribute* attribute : *list)
            if (attribute && attribute->GetAttribute() == id &&
                std::find(found.begin(), found.end(), attribute) == found.end())
                found.push_back(attribute);
    return found;
}

// The first object of the type in the subtree.
ZRObject* Find(ZRObject* object, int32_t type) {
    if (!object)
        return nullptr;
    for (ZRObject* child : object->GetChildren()) {
        if (child->GetClass() == type)
            return child;
        if (ZRObject* below = Find(child, type))
            return below;
    }
    return nullptr;
}

ZRPropertyGroup& AddGroup(ZRPropertyGroup& parent, const char* name, const std::vector<ZRAttribute*>& members,
                          bool collapsed = false) {
    auto group = std::make_unique<ZRPropertyGroup>();
    group->SetName(name);
    for (ZRAttribute* member : members)
        if (member)
            group->AddProperty(member);
    group->SetCollapsed(collapsed);
    ZRPropertyGroup& added = *group;
    parent.AddGroup(std::move(group));
    return added;
}

void RegisterDriveMenu() {
    using platform::ui::MenuItem;
    if (platform::ui::HasSubMenu(IDR_FENWA_NODE_MENU, kFenwaDriveMenu))
        return;
    platform::ui::RegisterSubMenu(
        IDR_FENWA_NODE_MENU, kFenwaDriveMenu,
        MenuItem("Drive",
                 {MenuItem(ID_EDIT_CUT, "Cu&t"), MenuItem(ID_EDIT_COPY, "&Copy"),
                  MenuItem(ID_EDIT_PASTE, "&Paste"), MenuItem(ID_EDIT_CLEAR, "&Delete"),
                  MenuItem::Separator(), MenuItem(ID_DRIVE_REPORT, "Drive &Report"),
                  MenuItem(ID_EXPORT, "E&xport"), MenuItem(ID_COPY_TO_OFFLINE, "Copy to &Offline and Save"),
                  MenuItem::Separator(), MenuItem(ID_UPGRADE_FIRMWARE, "&Upgrade Firmware..."),
                  MenuItem::Separator(), MenuItem(ID_PROPERTIES, "P&roperties..."),
                  MenuItem("Commands", {MenuItem(ID_FENWA_SAVE_PARAMETERS, "&Save Parameters"),
                                        MenuItem(ID_FENWA_VELOCITY_PANEL, "&Velocity Control Panel..."),
                                        MenuItem(ID_FENWA_FACTORY_RESET, "Reset to &Factory Settings"),
                                        MenuItem(ID_RESET_DRIVE, "&Reset Drive")})}));
}

FenwaJog::Command CommandOf(const FenwaCommand& command) {
    return {command.GetCommandText(), command.GetData(), command.GetSendMode()};
}

} // namespace

FenwaNodeMgr::FenwaNodeMgr(FenwaDrive* drive, ZRTreeItem* item, ZRWorkspaceView* view)
    : ZRNodeMgr(item, drive, view), m_pDrive(drive), m_pPost(std::make_unique<QObject>()) {}

FenwaNodeMgr::~FenwaNodeMgr() {
    // The thread is gone before the object it posts to.
    StopJog(false);
}

std::unique_ptr<ZRNodeMgr> FenwaNodeMgr::Make(ZRObject* object, ZRTreeItem* item, ZRWorkspaceView* view) {
    auto* drive = dynamic_cast<FenwaDrive*>(object);
    return drive ? std::make_unique<FenwaNodeMgr>(drive, item, view) : nullptr;
}

bool FenwaNodeMgr::IsOnLine() const {
    return tarvik::IsOnLine(m_pDrive);
}

// ---- Set-up

void FenwaNodeMgr::Initialize() {
    if (!m_pDrive)
        return;
    RegisterDriveMenu();
    SetMenu(IDR_FENWA_NODE_MENU, kFenwaDriveMenu);
    SetViewTitle("%s", &m_pDrive->GetName());
    SetIconID(kDriveIcon);
    SetHelpTopic(kHelpTopic);
    SetPropsHelpTopic(kPropsHelpTopic);
    AddBlockNodes();
    BuildPropertyGroups();
    SetHasCommands(true);
}

void FenwaNodeMgr::AddBlockNodes() {
    if (!m_pTree || !m_pNode)
        return;
    const ZRFamilyRegistry& families = ZRFamilyRegistry::Instance();
    for (const BlockNode& block : kBlockNodes) {
        ZRObject* object = nullptr;
        for (ZRObject* child : m_pDrive->GetChildren())
            if (child->GetClass() == block.type)
                object = child;
        if (!object || FindChild(static_cast<ZRMvcModel*>(object)))
            continue;
        ZRNodeMaker make = families.FindNode(block.type);
        tarvik::AddBlockNode(*m_pTree, m_pNode, block.text, block.image,
                             [&](ZRTreeItem* item) -> std::unique_ptr<ZRNodeMgr> {
                                 if (make)
                                     return make(object, item, m_pTree);
                                 return std::make_unique<ZRPlainDriveNodeMgr>(item, object, m_pTree);
                             });
    }
}

void FenwaNodeMgr::BuildPropertyGroups() {
    FenwaDrive* d = m_pDrive;
    ZRObject* motor = Find(d, fenwa::kMotorType);
    m_Properties.SetName(d->GetName().GetValue());
    for (ZRAttribute* member :
         {static_cast<ZRAttribute*>(&d->GetName()), Named(d, "Power Input"), Named(motor, "Auto Motor Iden"),
          Named(motor, "Motor Model"), Named(d, "Command Polarity"), Named(d, "Displayed Units"),
          Named(d, "Operation Modes (Main/Override)"), Named(d, "Initial Current Bias")})
        if (member)
            m_Properties.AddProperty(member);
    struct Group {
        const char* name;
        std::initializer_list<const char*> rows;
    };
    static const Group kGroups[] = {
        {"Velocity Limits", {"Velocity Limit Mode", "Manual Velocity limit"}},
        {"Acceleration Limits", {"Acceleration Limits", "Acceleration", "Deceleration", "S-Curve Time"}},
        {"Communications", {"Drive Address"}},
        {"Current Limits",
         {"Positive Internal", "Negative Internal", "Positive External", "Negative External"}},
        {"Speed Functions", {"Speed Window", "Up to Speed", "Zero Clamp"}},
        {"Position Functions", {"In Position Size", "Near Position Size"}},
        {"Motor Encoder Units",
         {"Position Label", "Position Scale", "Velocity Label", "Velocity Scale", "Acceleration Label",
          "Acceleration Scale"}},
        {"Stopping Functions",
         {"Over Travel Stop Method", "Maximum Stopping Current", "Fault and Disable Braking", "Disable Delay",
          "Braking Application Speed"}},
    };
    for (const Group& group : kGroups) {
        std::vector<ZRAttribute*> members;
        for (const char* row : group.rows)
            members.push_back(Named(d, row));
        AddGroup(m_Properties, group.name, members, true);
    }
    for (const char* status : {"Current Operating Mode", "In Speed Window", "Up to Speed", "Fault/Warning",
                               "Positive Overtravel", "Negative Overtravel"})
        if (ZRAttribute* member = Named(d, status, true))
            m_Statuses.AddProperty(member);
}

ZRPropertyGroup* FenwaNodeMgr::GetMonitorTree() {
    if (!m_pDrive)
        return ZRNodeMgr::GetMonitorTree();
    FenwaDrive* d = m_pDrive;
    if (!m_pMonitorGroup) {
        ZRObject* analog = Find(d, fenwa::kAnalogInType);
        ZRObject* tuning = Find(d, fenwa::kTuningType);
        ZRObject* motor = Find(d, fenwa::kMotorType);
        ZRObject* info = Find(d, fenwa::kServiceInfoType);
        auto status = [](ZRObject* object, const char* name) { return Named(object, name, true); };
        auto root = std::make_unique<ZRPropertyGroup>();
        AddGroup(*root, "Drive Status",
                 {status(analog, "Analog Command - Velocity"), status(analog, "Analog Command - Current"),
                  status(d, "Bus Voltage"), status(d, "Enabled"), status(d, "Commutation Angle"),
                  status(d, "Fault/Warning"), status(info, "Firmware Version"),
                  status(motor, "Motor Temperature"), status(d, "Current Operating Mode"),
                  status(d, "Drive Utilization")});
        AddGroup(*root, "Position Signals",
                 {status(tuning, "Motor Feedback Position"), status(tuning, "Master Position"),
                  status(tuning, "Follower Position"), status(tuning, "Error"),
                  status(d, "Position Command Count Frequency"), status(d, "Negative Overtravel"),
                  status(d, "Positive Overtravel")});
        // The velocity error is the second "Error" of the tuning block.
        std::vector<ZRAttribute*> errors;
        for (ZRAttribute* attribute : tuning ? tuning->GetStatus() : ZRObject::AttributeList{})
            if (attribute && attribute->GetName() == "Error")
                errors.push_back(attribute);
        AddGroup(*root, "Velocity Signals",
                 {status(tuning, "Command Velocity"), status(tuning, "Feedback Velocity"),
                  errors.size() > 1 ? errors[1] : nullptr, status(d, "In Speed Window"),
                  status(d, "Up to Speed")});
        AddGroup(*root, "Current Signals",
                 {status(tuning, "Command Current"), status(tuning, "Feedback Current"),
                  status(tuning, "U Phase Current"), status(tuning, "V Phase Current"),
                  status(tuning, "W Phase Current")});
        AddGroup(*root, "Encoder Signals", WithId(Find(d, fenwa::kEncoderType), fenwa::attr::kHallStates));
        AddGroup(*root, "Digital Inputs", WithId(Find(d, fenwa::kDigInType), fenwa::attr::kIoStatus));
        AddGroup(*root, "Digital Outputs", WithId(Find(d, fenwa::kDigOutType), fenwa::attr::kIoStatus));
        AddGroup(*root, "Power Status",
                 {status(d, "Shunt Power Limit Ratio"), status(d, "Instantaneous shunt power"),
                  status(d, "Output power limit ratio"), status(d, "Instantaneous output power")});
        ZRObject* faults = Find(d, fenwa::kFaultsType);
        AddGroup(*root, "Faults", faults ? faults->GetStatus() : ZRObject::AttributeList{});
        m_pMonitorGroup = std::move(root);
    }
    m_pMonitorGroup->SetName(d->GetName().GetValue());
    return m_pMonitorGroup.get();
}

// ---- Windows and rows

void FenwaNodeMgr::DefaultAction() {
    ShowProperties();
}

ZRModelDoc* FenwaNodeMgr::BuildPropsDoc() {
    return tarvik::NewPropsDoc();
}

void FenwaNodeMgr::BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) {
    for (const auto& [caption, id] : {std::pair{"Velocity Control Panel...", ID_FENWA_VELOCITY_PANEL},
                                      std::pair{"Reset Drive", ID_RESET_DRIVE},
                                      std::pair{"Reset to Factory Settings", ID_FENWA_FACTORY_RESET},
                                      std::pair{"Save Parameters", ID_FENWA_SAVE_PARAMETERS}})
        rows.push_back(std::make_unique<ZRCommandRow>(caption, id, this));
}

// ---- Commands

const platform::ui::CommandTable* FenwaNodeMgr::Commands() const {
    using Row = platform::ui::CommandRow<FenwaNodeMgr>;
    // The drive commands run through DoCommand, which the command rows reach as well.
    const auto run = &FenwaNodeMgr::DoCommand;
    const auto onLine = &FenwaNodeMgr::OnUpdateOnLine;
    static const platform::ui::CommandTable table{
        {Row(ID_EDIT_COPY, &FenwaNodeMgr::OnCopy),
         Row(ID_EDIT_CUT, &FenwaNodeMgr::OnCut, &FenwaNodeMgr::OnUpdateOffLine),
         Row(ID_EDIT_CLEAR, &FenwaNodeMgr::OnDelete, &FenwaNodeMgr::OnUpdateOffLine),
         Row(ID_EDIT_PASTE, &FenwaNodeMgr::OnPaste, &FenwaNodeMgr::OnUpdatePaste),
         Row(ID_EXPORT, &FenwaNodeMgr::OnExport),
         Row(ID_COPY_TO_OFFLINE, &FenwaNodeMgr::OnCopyToOffline, onLine),
         Row(ID_DRIVE_REPORT, &FenwaNodeMgr::OnDriveReport), Row(ID_FENWA_JOG_FORWARD, run),
         Row(ID_FENWA_JOG_REVERSE, run), Row(ID_FENWA_STOP_JOG, run),
         Row(ID_FENWA_SAVE_PARAMETERS, run, onLine), Row(ID_FENWA_FACTORY_RESET, run, onLine),
         Row(ID_RESET_DRIVE, run, onLine), Row(ID_FENWA_VELOCITY_PANEL, run, onLine)},
        &TailCommands()};
    return &table;
}

void FenwaNodeMgr::OnUpdateOnLine(platform::ui::CommandState& state) {
    state.enabled = IsOnLine();
}

void FenwaNodeMgr::OnUpdateOffLine(platform::ui::CommandState& state) {
    state.enabled = !IsOnLine();
}

void FenwaNodeMgr::OnUpdatePaste(platform::ui::CommandState& state) {
    ZRObject* held = ZRClipboard::Instance()->GetObject();
    state.enabled = held && held->GetClass() == fenwa::kDriveType && IsOnLine();
}

void FenwaNodeMgr::DoCommand(unsigned int id) {
    if (!m_pDrive)
        return;
    switch (id) {
    case ID_FENWA_SAVE_PARAMETERS:
        m_pDrive->SaveParameters();
        break;
    case ID_FENWA_FACTORY_RESET:
        OnResetToFactorySettings();
        break;
    case ID_FENWA_VELOCITY_PANEL:
        OpenVelocityPanel();
        break;
    case ID_FENWA_JOG_FORWARD:
        SetJogState(JogForward);
        break;
    case ID_FENWA_JOG_REVERSE:
        SetJogState(JogReverse);
        break;
    case ID_FENWA_STOP_JOG:
        SetJogState(JogHold);
        break;
    case ID_RESET_DRIVE:
        m_pDrive->ResetDrive(true);
        break;
    default:
        break;
    }
}

void FenwaNodeMgr::OnResetToFactorySettings() {
    if (!IsOnLine()) {
        platform::core::MessageBox(kOffline);
        return;
    }
    // The self test may answer this question.
    if (ZRMsgBox().Show("Do you want to reset the drive parameters to factory settings and reset the drive?",
                        kAskNoDefault) != IDYES)
        return;
    platform::ui::WaitCursor wait;
    // The reset goes on whatever "ETC" answered.
    m_pDrive->GetFactoryResetCommand().Execute(true);
    m_pDrive->Attach(m_pDrive->GetDevice(), 1);
    m_pDrive->GetResetCommand().Execute(true);
    WireClock::Get().Sleep(kResetWait);
}

void FenwaNodeMgr::OnCopy() {
    Copy();
}

void FenwaNodeMgr::OnCut() {
    if (IsOnLine())
        return;
    const std::string question = Format("Warning: Cutting %s will remove its files from your disk. Continue?",
                                        m_pDrive->GetName().GetValue().c_str());
    if (platform::core::MessageBox(question, {}, platform::core::MB_OKCANCEL) != IDOK)
        return;
    ZRWorkspaceView* tree = m_pTree;
    if (Cut() && tree)
        tree->DisposeLater(std::unique_ptr<ZRNodeMgr>(this));
}

void FenwaNodeMgr::OnDelete() {
    if (IsOnLine())
        return;
    if (ZRMsgBox().Show("Warning: This will permanently delete this drive and all its contents. Continue?",
                        platform::core::MB_OKCANCEL) != IDOK)
        return;
    ZRWorkspaceView* tree = m_pTree;
    if (Delete() && tree)
        tree->DisposeLater(std::unique_ptr<ZRNodeMgr>(this));
}

void FenwaNodeMgr::OnPaste() {
    platform::ui::WaitCursor wait;
    ZRObject* held = ZRClipboard::Instance()->GetObject();
    if (!held) {
        wait.Restore();
        platform::core::MessageBox("Paste failed - Unable to access internal clipboard");
        return;
    }
    if (held->GetClass() != fenwa::kDriveType || !IsOnLine())
        return;
    if (FindChild(static_cast<ZRMvcModel*>(held)))
        return;
    Overwrite(held);
}

void FenwaNodeMgr::OnExport() {
    Export(nullptr);
}

void FenwaNodeMgr::OnCopyToOffline() {
    ZRQuorvanceApp* app = ZRQuorvanceApp::Instance();
    if (!app || !IsOnLine())
        return;
    app->CopyOnLineToOffLine(m_pDrive);
    app->SaveDatabase();
}

void FenwaNodeMgr::OnDriveReport() {
    platform::ui::WaitCursor wait;
    m_Properties.SetName(m_pDrive->GetName().GetValue());
    std::string text;
    DoReport(text);
    ZRReportView* view = ZRReportView::Open(
        this, Format("%s - Report", m_pDrive->GetName().GetValue().c_str()), kReportHelpId);
    if (!view)
        return;
    view->SetText(text);
    view->ShowFrame();
}

// ---- Drag and drop

void FenwaNodeMgr::CanDrop(ZRTreeItem* dragged, ZRTreeItem*& dropItem, bool& copyPlain, bool& copyWithCtrl) {
    ZRNodeMgr* source = dragged && m_pTree ? m_pTree->NodeOf(dragged) : nullptr;
    ZRObject* object = source ? source->GetModel() : nullptr;
    if (object && object->GetClass() == fenwa::kDriveType && IsOnLine()) {
        dropItem = m_pNode;
        copyPlain = true;
        copyWithCtrl = true;
    } else {
        dropItem = nullptr;
    }
}

void FenwaNodeMgr::DragCopy(ZRTreeItem* dragged) {
    ZRNodeMgr* source = dragged && m_pTree ? m_pTree->NodeOf(dragged) : nullptr;
    // A node of this drive's own subtree is no drive to take values from.
    if (!source || FindChild(dragged) || source == this)
        return;
    ZRObject* object = source->GetModel();
    if (!object || object->GetClass() != fenwa::kDriveType || !IsOnLine())
        return;
    platform::ui::WaitCursor wait;
    Overwrite(object);
}

// ---- The velocity control panel and its jog thread

void FenwaNodeMgr::OpenVelocityPanel() {
    if (!m_pDrive || tarvik::ActivatePropsWindow(*this, kPanelIcon) >= 0)
        return;
    ZRPropertiesView::s_bCreateStatusPane = false;
    ZRPropertiesView::s_bCreateServicesPane = true;
    ZRPropertiesView* view = tarvik::TakePropsView(BuildPropsDoc());
    if (!view)
        return;
    AddPropsView(view, kPanelIcon, "%s - Velocity Control Panel", &m_pDrive->GetName());
    CSizableChildFrame* frame = m_PropsFrames.back();
    const bool offLine = !IsOnLine();
    if (view->m_pPropertiesGrid)
        view->m_pPropertiesGrid->SetOffLine(offLine);
    if (view->m_pStatusGrid)
        view->m_pStatusGrid->SetOffLine(offLine);
    if (frame)
        frame->SetController(this);
    m_pPanelFrame = frame;
    m_pPanelView = view;

    if (ZRPropertiesGrid* grid = view->m_pPropertiesGrid) {
        std::vector<ZRAttribute*> command = WithId(m_pDrive, fenwa::attr::kVelocityCommand);
        if (!command.empty())
            grid->GetRows().push_back(std::make_unique<ZREditRow>(
                command.front(), std::make_unique<ZRAttributeHeader>(command.front())));
        grid->UpdateRows();
        grid->Backup();
    }
    if (ZRServicesGrid* services = view->m_pServicesGrid) {
        for (const auto& [caption, id] :
             {std::pair{"Jog Forward", ID_FENWA_JOG_FORWARD}, std::pair{"Jog Reverse", ID_FENWA_JOG_REVERSE},
              std::pair{"Stop", ID_FENWA_STOP_JOG}})
            services->GetRows().push_back(std::make_unique<ZRCommandRow>(caption, id, this));
        services->UpdateRows();
    }
    SizeAndShowView(view, 0.7f, 0.7f);
    StartJog();
}

int FenwaNodeMgr::GetJogState() const {
    return m_pJog ? m_pJog->GetState() : m_JogState;
}

bool FenwaNodeMgr::IsJogging() const {
    return m_pJog && m_pJog->IsRunning();
}

void FenwaNodeMgr::SetJogState(int state) {
    m_JogState = state;
    if (m_pJog)
        m_pJog->SetState(static_cast<FenwaJog::State>(state));
}

void FenwaNodeMgr::StartJog() {
    if (!IsOnLine() || m_JogState != JogStopped || m_pJog)
        return;
    auto* storage = dynamic_cast<FenwaStorage*>(m_pDrive->GetDevice()->GetStorage());
    if (!storage)
        return;
    QObject* post = m_pPost.get();
    m_pJog = std::make_unique<FenwaJog>(*storage, CommandOf(m_pDrive->GetJogCommand()),
                                        CommandOf(m_pDrive->GetServoOffCommand()), [this, post] {
                                            // From the jog thread: the report waits for the user-interface
                                            // thread.
                                            QMetaObject::invokeMethod(
                                                post, [this] { OnJogFailed(); }, Qt::QueuedConnection);
                                        });
    m_JogState = JogHold;
    m_pJog->Start();
}

void FenwaNodeMgr::StopJog(bool report) {
    m_JogState = JogStopped;
    if (!m_pJog)
        return;
    const FenwaJog::Failure failure = m_pJog->Stop();
    FenwaStorage* storage = &m_pJog->GetStorage();
    m_pJog.reset();
    if (!report || !failure.failed)
        return;
    if (failure.lostCode) {
        try {
            storage->ReportLoss(failure.lostCode);
        } catch (const ZRError& error) {
            platform::core::MessageBox(error.GetMessage());
        }
    } else if (!failure.message.empty()) {
        platform::core::MessageBox(failure.message);
    }
}

void FenwaNodeMgr::OnJogFailed() {
    // The panel stays open; only the jogging ended.
    StopJog(true);
}

void FenwaNodeMgr::ForgetPanel() {
    m_pPanelFrame = nullptr;
    m_pPanelView = nullptr;
}

bool FenwaNodeMgr::CanClose(CSizableChildFrame* frame) {
    if (frame && frame == m_pPanelFrame) {
        StopJog(true);
        ForgetPanel();
    }
    return ZRNodeMgr::CanClose(frame);
}

void FenwaNodeMgr::Cleanup() {
    StopJog(true);
    ZRNodeMgr::Cleanup();
    ForgetPanel();
}

void FenwaNodeMgr::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (m_pDrive && GetModel() && subject == static_cast<ZRMvcModel*>(&m_pDrive->GetName()))
        m_Properties.SetName(m_pDrive->GetName().GetValue());
    // However the panel went, its jogging goes with it.
    if (m_pPanelView && subject == static_cast<ZRMvcModel*>(m_pPanelView) &&
        ReasonOf(message) == ZRUpdate::Destroying) {
        StopJog(true);
        ForgetPanel();
    }
    ZRNodeMgr::OnUpdate(subject, message);
}
