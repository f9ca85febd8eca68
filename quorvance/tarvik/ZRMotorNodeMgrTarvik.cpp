#include "quorvance/tarvik/ZRMotorNodeMgrTarvik.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/Modal.h"
#include "platform/ui/Menu.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZREncodersNodeMgrTarvik.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"

namespace {

struct Diagnostics {
    unsigned id;
    const char* text;
    long mode; // the drive's host control mode while it runs
};
constexpr Diagnostics kDiagnostics[] = {
    {ID_COMMUTATION_DIAGNOSTICS, "Commutation Diagnostics...", ZREncodersNodeMgrTarvik::kModeCommutation},
    {ID_MOTOR_FEEDBACK_DIAGNOSTICS, "Motor Feedback Diagnostics...",
     ZREncodersNodeMgrTarvik::kModeMotorFeedback},
    {ID_MOTOR_MARKER_DIAGNOSTICS, "Motor Marker Diagnostics...", ZREncodersNodeMgrTarvik::kModeMotorMarker},
};
constexpr const char* kRefreshText = "Refresh Data";

void RegisterMenu(unsigned resource, int position, bool sercos) {
    using platform::ui::MenuItem;
    if (platform::ui::HasSubMenu(resource, size_t(position)))
        return;
    std::vector<MenuItem> commands;
    if (!sercos)
        for (const Diagnostics& d : kDiagnostics)
            commands.emplace_back(d.id, d.text);
    commands.emplace_back(ID_REFRESH_MOTOR_DATA, kRefreshText);
    platform::ui::RegisterSubMenu(
        resource, size_t(position),
        MenuItem("Motor", {MenuItem("Commands", std::move(commands)), MenuItem::Separator(),
                           MenuItem(ID_PROPERTIES, "Properties...")}));
}

} // namespace

ZRMotorNodeMgrTarvik::ZRMotorNodeMgrTarvik(ZRMotorTarvik* motor, ZRTreeItem* item, ZRWorkspaceView* view,
                                           bool sercos)
    : TarvikBlockNodeMgr(motor, item, view), m_pMotor(motor), m_bSercos(sercos) {}

void ZRMotorNodeMgrTarvik::Initialize() {
    RegisterMenu(IDR_OFFLINE_ROOT_MENU, kMotorSubMenu, false);
    SetUp({kMotorSubMenu, "Motor", "%s - Motor", ZRImages::IDI_MOTOR, tarvik::kHelpTopicMotor,
           tarvik::kHelpTopicMotorProps});
    if (m_bSercos) {
        RegisterMenu(IDR_SERCOS_NODE_MENU, kSercosMotorSubMenu, true);
        SetMenu(IDR_SERCOS_NODE_MENU, kSercosMotorSubMenu);
    }
    SetHasCommands(true);

    // A drive left in a motor diagnostics mode gets its window back.
    if (auto* drive = dynamic_cast<ZRDrive*>(tarvik::DriveOf(m_pMotor))) {
        ZRIndexSelection* hostMode = drive->GetHostControlMode();
        hostMode->Refresh(false);
        for (const Diagnostics& d : kDiagnostics)
            if (hostMode->GetValue() == d.mode)
                RunEncodersDiagnostics(d.id);
    }

    ZRMotorTarvik* m = m_pMotor;
    m_Properties.SetName("Motor");
    for (ZRAttribute* a :
         {static_cast<ZRAttribute*>(m->GetAutoMotorIden()), static_cast<ZRAttribute*>(m->GetMotorModel()),
          static_cast<ZRAttribute*>(m->GetSelfSensingCurrent()),
          static_cast<ZRAttribute*>(m->GetTotalMovingMass())})
        m_Properties.AddProperty(a);
    m_Statuses.SetName("Motor");
    AddGroup(m_Statuses, "General",
             {m->GetDriveMotorModel(), m->GetMotorFlag(), m->GetMotorType(), m->GetTorqueConstant(),
              m->GetForceConstant(), m->GetInertia(), m->GetMass(), m->GetTotalMovingMass(),
              m->GetPolesRevolution(), m->GetElectricalCycle(), m->GetIntegralLimits(), m->GetGearBox()});
    ZRPropertyGroup& electrical =
        AddGroup(m_Statuses, "Electrical", {m->GetRatedVoltage(), m->GetResistance(), m->GetInductance()});
    for (int i = 0; i < ZRMotorTarvik::kFluxPoints; ++i)
        electrical.AddProperty(m->GetFluxSaturation(i));
    AddGroup(m_Statuses, "Ratings",
             {m->GetMaximumSpeed(), m->GetMaximumSpeedLinear(), m->GetIntermittentCurrent(),
              m->GetContinuousCurrent()});
    AddGroup(m_Statuses, "Feedback",
             {m->GetEncoder(), m->GetCommutation(), m->GetSinusoidalStartup(), m->GetHallInputOffset(),
              m->GetLinesRevolution(), m->GetLinesMeter()});
    AddGroup(m_Statuses, "Thermal",
             {m->GetIntegralThermostat(), m->GetSoftwareProtection(), m->GetRthWE(), m->GetCthWE(),
              m->GetRthWA(), m->GetCthWA()});
}

const platform::ui::CommandTable* ZRMotorNodeMgrTarvik::Commands() const {
    using Row = platform::ui::CommandRow<ZRMotorNodeMgrTarvik>;
    static const platform::ui::CommandTable table{
        {Row(ID_REFRESH_MOTOR_DATA, &ZRMotorNodeMgrTarvik::DoCommand),
         Row(Row::Range{ID_COMMUTATION_DIAGNOSTICS, ID_MOTOR_MARKER_DIAGNOSTICS},
             &ZRMotorNodeMgrTarvik::DoCommand)},
        &TailCommands()};
    return &table;
}

void ZRMotorNodeMgrTarvik::BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) {
    if (!m_bSercos)
        for (const Diagnostics& d : kDiagnostics)
            rows.push_back(std::make_unique<ZRCommandRow>(d.text, d.id, this));
    rows.push_back(std::make_unique<ZRCommandRow>(kRefreshText, ID_REFRESH_MOTOR_DATA, this));
}

void ZRMotorNodeMgrTarvik::DoCommand(unsigned int id) {
    if (id == ID_REFRESH_MOTOR_DATA) {
        RefreshData();
        return;
    }
    for (const Diagnostics& d : kDiagnostics)
        if (id == d.id)
            RunEncodersDiagnostics(id);
}

void ZRMotorNodeMgrTarvik::RefreshData() {
    if (!m_pMotor->GetAutoMotorIden()->GetValue()) {
        platform::core::MessageBox("Refresh is not valid when Auto Motor Identification is enabled");
        return;
    }
    // The block answers a changed model by writing the catalogue's data again.
    ZRUpdate changed(ZRUpdate::ValueChanged);
    m_pMotor->GetMotorModel()->UpdateAllObservers(nullptr, &changed);
}

void ZRMotorNodeMgrTarvik::RunEncodersDiagnostics(unsigned int id) {
    if (!m_pTree || !m_pNode)
        return;
    platform::ui::TreeItem drive = m_pTree->ParentItem(m_pNode);
    if (!drive)
        return;
    for (ZRTreeItem* item : m_pTree->Children(drive)) {
        if (m_pTree->ItemText(item) != "Encoders")
            continue;
        if (ZRNodeMgr* encoders = m_pTree->NodeOf(item))
            encoders->DoCommand(id);
        return;
    }
}

void ZRMotorNodeMgrTarvik::Report(std::string& text) {
    std::string block;
    BuildReportBlock(&m_Properties, block);
    text += block;
    s_Indent += 3;
    for (ZRPropertyGroup* group : m_Statuses.GetGroups()) {
        block.clear();
        BuildReportBlock(group, block);
        text += block;
    }
    s_Indent -= 3;
    text += "\r\n";
}
