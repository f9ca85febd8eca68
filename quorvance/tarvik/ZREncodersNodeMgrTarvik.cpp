#include "quorvance/tarvik/ZREncodersNodeMgrTarvik.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRGearAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRAsStringRow.h"
#include "kitbase/ui/ZRAttributeHeader.h"
#include "kitbase/ui/ZRBoolRow.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZREditRow.h"
#include "kitbase/ui/ZRGroupRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "kitbase/ui/ZRStaticHeader.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/Modal.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WaitCursor.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/shell/ZRQuorvanceApp.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikBlockTables.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikEncoderProgramming.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikNodeSupport.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "quorvance/tarvik/ZREncodersTarvik.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZRNoxelDevice.h"

#include <vector>

namespace {

using Rows = std::list<std::unique_ptr<ZRGridRow>>;

constexpr unsigned short kDiagnosticsIcon = ZRImages::IDI_MODE_WINDOW;
using Node = ZREncodersNodeMgrTarvik;

// The diagnostics in command order; each runs in its own host control mode.
struct Diagnostics {
    unsigned command;
    long mode;
    const char* title;
    unsigned long helpTopic;
};
constexpr Diagnostics kDiagnostics[] = {
    {ID_COMMUTATION_DIAGNOSTICS, Node::kModeCommutation, "Commutation Diagnostics",
     tarvik::kHelpTopicCommutationDiagnostics},
    {ID_MOTOR_FEEDBACK_DIAGNOSTICS, Node::kModeMotorFeedback, "Motor Feedback Diagnostics",
     tarvik::kHelpTopicMotorFeedbackDiagnostics},
    {ID_MOTOR_MARKER_DIAGNOSTICS, Node::kModeMotorMarker, "Motor Marker Diagnostics",
     tarvik::kHelpTopicMotorMarkerDiagnostics},
    {ID_AUX_FEEDBACK_DIAGNOSTICS, Node::kModeAuxFeedback, "Auxiliary Feedback Diagnostics",
     tarvik::kHelpTopicAuxFeedbackDiagnostics},
    {ID_AUX_MARKER_DIAGNOSTICS, Node::kModeAuxMarker, "Auxiliary Marker Diagnostics",
     tarvik::kHelpTopicAuxMarkerDiagnostics},
};

const Diagnostics* FindDiagnostics(long mode) {
    for (const Diagnostics& d : kDiagnostics)
        if (d.mode == mode)
            return &d;
    return nullptr;
}

const Diagnostics* FindDiagnosticsCommand(unsigned id) {
    for (const Diagnostics& d : kDiagnostics)
        if (d.command == id)
            return &d;
    return nullptr;
}

void RegisterMenu() {
    using platform::ui::MenuItem;
    const auto position = static_cast<size_t>(kEncodersSubMenu);
    if (platform::ui::HasSubMenu(IDR_OFFLINE_ROOT_MENU, position))
        return;
    std::vector<MenuItem> commands;
    for (const Diagnostics& d : kDiagnostics)
        commands.emplace_back(d.command, std::string(d.title) + "...");
    commands.emplace_back(ID_PROGRAM_ENCODER, "Program Encoder...");
    platform::ui::RegisterSubMenu(
        IDR_OFFLINE_ROOT_MENU, position,
        MenuItem("Encoders", {MenuItem("Commands", std::move(commands)), MenuItem::Separator(),
                              MenuItem(ID_PROPERTIES, "Properties...")}));
}

// A value or text row, or a check row for a bit.
void AddStatusRow(Rows& rows, ZRAttribute* attribute, ZRGroupRow* group = nullptr) {
    if (!attribute)
        return;
    auto header = std::make_unique<ZRAttributeHeader>(attribute);
    std::unique_ptr<ZRGridRow> row;
    if (auto* bit = dynamic_cast<ZRBoolAttribute*>(attribute))
        row = std::make_unique<ZRBoolRow>(bit, std::move(header));
    else
        row = std::make_unique<ZRAsStringRow>(attribute, std::move(header));
    if (group)
        group->AddRow(row.get());
    rows.push_back(std::move(row));
}

// What a feedback or marker test shows: its state and result, the position and the signals.
std::vector<ZRAttribute*> FeedbackStatus(ZREncodersTarvik& e, long mode) {
    const bool motor = mode == Node::kModeMotorFeedback || mode == Node::kModeMotorMarker;
    const bool marker = mode == Node::kModeMotorMarker || mode == Node::kModeAuxMarker;
    std::vector<ZRAttribute*> status{e.GetTestStatus(), e.GetTestResults(),
                                     motor ? e.GetPositionMotorFeedback() : e.GetPositionAuxiliary()};
    if (marker)
        status.push_back(e.GetMarkerPosition());
    for (int i = 0; i < (marker ? 3 : 2); ++i) // A, B and, for a marker, Z
        status.push_back(motor ? e.GetMotorSignal(i) : e.GetAuxSignal(i));
    return status;
}

bool IsBlobMode() {
    ZRQuorvanceApp* app = ZRQuorvanceApp::Instance();
    return app && app->IsBlobMode();
}

} // namespace

ZREncodersNodeMgrTarvik::ZREncodersNodeMgrTarvik(ZREncodersTarvik* encoders, ZRTreeItem* item,
                                                 ZRWorkspaceView* view)
    : TarvikBlockNodeMgr(encoders, item, view), m_pEncoders(encoders) {}

void ZREncodersNodeMgrTarvik::Initialize() {
    RegisterMenu();
    SetUp({kEncodersSubMenu, "Encoders", "%s - Encoders", ZRImages::IDI_ENCODERS, tarvik::kHelpTopicEncoders,
           tarvik::kHelpTopicEncodersProps});

    // A drive found in one of the diagnostics modes gets its window back.
    if (auto* drive = dynamic_cast<ZRDrive*>(tarvik::DriveOf(m_pEncoders))) {
        ZRIndexSelection* hostMode = drive->GetHostControlMode();
        hostMode->Refresh(true);
        if (FindDiagnostics(hostMode->GetValue()))
            OpenDiagnostics(hostMode->GetValue());
    }
    if (m_pEncoders->GetEncoderTestControl()->IsSupported())
        SetHasCommands(true);

    ZREncodersTarvik& e = *m_pEncoders;
    m_Properties.SetName("Encoders");
    m_Properties.AddProperty(e.GetMotorEncoderInterpolation());
    m_Properties.AddProperty(e.GetPositionFeedbackSource());
    AddGroup(m_Properties, "Motor Encoder Output",
             {e.GetOutputSignal(), e.GetDivider(), e.GetMaximumOutputFrequency(), e.GetMarkerOutputGating()});
    AddGroup(m_Properties, "Auxiliary Encoder",
             {e.GetEncoderRatioLoadMotor(), e.GetType(), e.GetLinesRevolution(), e.GetLinesMeter()});
    m_Statuses.SetName("Encoders");
    ZRPropertyGroup& motor =
        AddGroup(m_Statuses, "Motor Encoder", {e.GetPositionMotorFeedback(), e.GetEncoderTemperature()});
    for (int i = 0; i < ZREncodersTarvik::kMotorSignals; ++i)
        motor.AddProperty(e.GetMotorSignal(i));
    ZRPropertyGroup& aux = AddGroup(m_Statuses, "Auxiliary Encoder", {e.GetPositionAuxiliary()});
    for (int i = 0; i < ZREncodersTarvik::kAuxSignals; ++i)
        aux.AddProperty(e.GetAuxSignal(i));
}

const platform::ui::CommandTable* ZREncodersNodeMgrTarvik::Commands() const {
    using Row = platform::ui::CommandRow<ZREncodersNodeMgrTarvik>;
    using Range = Row::Range;
    const auto run = [](ZREncodersNodeMgrTarvik& node, unsigned id) { node.DoCommand(id); };
    static const platform::ui::CommandTable table{
        {Row(Range{ID_COMMUTATION_DIAGNOSTICS, ID_AUX_MARKER_DIAGNOSTICS}, run,
             [](ZREncodersNodeMgrTarvik& node, platform::ui::CommandState& state) {
                 state.enabled = node.CanRunDiagnostics();
             }),
         Row(ID_PROGRAM_ENCODER, run,
             [](ZREncodersNodeMgrTarvik& node, platform::ui::CommandState& state) {
                 state.enabled = node.CanProgramEncoder();
             }),
         Row(ID_START_ENCODER_PROGRAMMING, run),
         Row(Range{ID_START_ENCODER_TEST, ID_START_COMMUTATION_TEST}, run)},
        &TailCommands()};
    return &table;
}

bool ZREncodersNodeMgrTarvik::CanRunDiagnostics() {
    return tarvik::IsOnLine(m_pEncoders) && m_pEncoders->GetEncoderTestControl()->IsSupported();
}

bool ZREncodersNodeMgrTarvik::CanProgramEncoder() {
    if (!tarvik::IsOnLine(m_pEncoders) || !IsBlobMode())
        return false;
    ZRMotorTarvik* motor = tarvik::SiblingOf<ZRMotorTarvik>(m_pEncoders);
    return motor && motor->GetAutoMotorIden()->GetAsString() == "Enabled";
}

void ZREncodersNodeMgrTarvik::BuildCommandRows(Rows& rows) {
    for (const Diagnostics& d : kDiagnostics)
        rows.push_back(std::make_unique<ZRCommandRow>(std::string(d.title) + "...", d.command, this));
    if (IsBlobMode())
        rows.push_back(std::make_unique<ZRCommandRow>("Program Encoder...", ID_PROGRAM_ENCODER, this));
}

void ZREncodersNodeMgrTarvik::DoCommand(unsigned int id) {
    if (const Diagnostics* d = FindDiagnosticsCommand(id)) {
        OpenDiagnostics(d->mode);
        return;
    }
    switch (id) {
    case ID_START_ENCODER_TEST:
        SetTestControl(1);
        break;
    case ID_STOP_ENCODER_TEST:
        SetTestControl(0);
        break;
    case ID_START_COMMUTATION_TEST:
        StartCommutationTest();
        break;
    case ID_PROGRAM_ENCODER:
        tarvik::OpenProgramEncoderWindow(*this, *m_pEncoders);
        break;
    case ID_START_ENCODER_PROGRAMMING:
        tarvik::StartEncoderProgramming(*this, *m_pEncoders);
        break;
    default:
        break;
    }
}

bool ZREncodersNodeMgrTarvik::CanClose(CSizableChildFrame* frame) {
    ZRNodeMgr* parent = ParentNode();
    return parent ? parent->CanClose(frame) : ZRNodeMgr::CanClose(frame);
}

ZRNodeMgr* ZREncodersNodeMgrTarvik::ParentNode() const {
    if (!m_pTree || !m_pNode)
        return nullptr;
    platform::ui::TreeItem parent = m_pTree->ParentItem(m_pNode);
    return parent ? m_pTree->NodeOf(parent) : nullptr;
}

void ZREncodersNodeMgrTarvik::OpenDiagnostics(long mode) {
    const Diagnostics* diagnostics = FindDiagnostics(mode);
    auto* driveNode = dynamic_cast<ZRDriveNodeMgr*>(ParentNode());
    if (!diagnostics || !driveNode || driveNode->ActivateModeWindow(mode))
        return;
    const bool panes = tarvik::PreparePanes(m_pEncoders);
    ZRPropertiesView* view = driveNode->OpenModeWindow(mode, diagnostics->title, kDiagnosticsIcon, this);
    if (!view) {
        tarvik::ResetPaneSwitches();
        return;
    }
    platform::ui::WaitCursor wait;
    if (CSizableChildFrame* frame = driveNode->GetModeFrame())
        frame->SetHelpTopic(diagnostics->helpTopic);
    ZREncodersTarvik& e = *m_pEncoders;
    const bool commutation = mode == Node::kModeCommutation;

    if (ZRPropertiesGrid* grid = view->m_pPropertiesGrid) {
        ZRAttribute* setting =
            commutation ? static_cast<ZRAttribute*>(e.GetTestCurrent()) : e.GetTestDistance();
        grid->GetRows().push_back(
            std::make_unique<ZREditRow>(setting, std::make_unique<ZRAttributeHeader>(setting)));
        grid->UpdateRows();
        grid->Backup();
    }
    if (panes && view->m_pServicesGrid) {
        Rows& rows = view->m_pServicesGrid->GetRows();
        rows.push_back(std::make_unique<ZRCommandRow>(
            "Start Test", commutation ? ID_START_COMMUTATION_TEST : ID_START_ENCODER_TEST, this));
        rows.push_back(std::make_unique<ZRCommandRow>("Stop Test", ID_STOP_ENCODER_TEST, this));
        view->m_pServicesGrid->UpdateRows();
    }
    if (panes && view->m_pStatusGrid) {
        Rows& rows = view->m_pStatusGrid->GetRows();
        if (commutation) {
            for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{e.GetTestStatus(), e.GetTestResults(),
                                                                      e.GetMeasuredFeedbackResolution(),
                                                                      e.GetExpectedFeedbackResolution()})
                AddStatusRow(rows, a);
            auto group =
                std::make_unique<ZRGroupRow>(std::make_unique<ZRStaticHeader>("Recommended Changes"));
            ZRGroupRow* changes = group.get();
            rows.push_back(std::move(group));
            for (int i = 0; i < ZREncodersTarvik::kConnections; ++i)
                AddStatusRow(rows, e.GetConnection(i), changes);
        } else {
            for (ZRAttribute* a : FeedbackStatus(e, mode))
                AddStatusRow(rows, a);
        }
        view->m_pStatusGrid->UpdateRows();
    }
    SizeAndShowView(view, 0.3f, 0.7f);
}

void ZREncodersNodeMgrTarvik::SetTestControl(int32_t value) {
    if (!tarvik::IsOnLine(m_pEncoders)) {
        platform::core::MessageBox("The Drive is Offline.");
        return;
    }
    // A refused write has told the user why; nothing more to say then.
    if (!m_pEncoders->GetEncoderTestControl()->SetInternalValue(value) || value == 0)
        return;
    platform::core::MessageBox("You must manually rotate the Motor/Encoder now to complete this test.\n"
                               "(But close this message first to allow status to refresh!)");
}

void ZREncodersNodeMgrTarvik::StartCommutationTest() {
    auto* device = dynamic_cast<ZRNoxelDevice*>(m_pEncoders->GetDevice());
    if (!device || device->IsOffLine()) {
        platform::core::MessageBox("The Drive is Offline.");
        return;
    }
    device->EnableDrive();
    // The enable sequence has said why the drive stays disabled; the test needs it enabled.
    if (device->IsEnabled())
        m_pEncoders->GetEncoderTestControl()->SetInternalValue(1);
}
