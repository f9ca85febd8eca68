#include "quorvance/fenwa/FenwaMotorNodeMgr.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "platform/core/Modal.h"
#include "platform/ui/Menu.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaMotor.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikNodeSupport.h"

#include <initializer_list>

namespace {

constexpr const char* kRefreshText = "Refresh Data";
constexpr unsigned short kMotorIcon = 19722;
constexpr unsigned long kHelpTopic = 1159;
constexpr unsigned long kPropsHelpTopic = 1160;

// Fills the motor's own position of the family's node menu, whoever registered first.
void RegisterMenu() {
    using platform::ui::MenuItem;
    const auto position = static_cast<size_t>(kFenwaMotorMenu);
    if (platform::ui::HasSubMenu(IDR_FENWA_NODE_MENU, position))
        return;
    platform::ui::RegisterSubMenu(
        IDR_FENWA_NODE_MENU, position,
        MenuItem("Motor", {MenuItem(ID_PROPERTIES, "Properties..."),
                           MenuItem("Commands", {MenuItem(ID_REFRESH_MOTOR_DATA, kRefreshText)})}));
}

} // namespace

FenwaMotorNodeMgr::FenwaMotorNodeMgr(FenwaMotor* motor, ZRTreeItem* item, ZRWorkspaceView* view)
    : ZRNodeMgr(item, motor, view), m_pMotor(motor) {}

std::unique_ptr<ZRNodeMgr> FenwaMotorNodeMgr::Make(ZRObject* object, ZRTreeItem* item,
                                                   ZRWorkspaceView* view) {
    auto* motor = dynamic_cast<FenwaMotor*>(object);
    return motor ? std::make_unique<FenwaMotorNodeMgr>(motor, item, view) : nullptr;
}

void FenwaMotorNodeMgr::Initialize() {
    RegisterMenu();
    SetMenu(IDR_FENWA_NODE_MENU, kFenwaMotorMenu);
    ZRObject* drive = m_pMotor->GetParent();
    SetViewTitle("%s - Motor", drive ? &drive->GetName() : nullptr);
    SetIconID(kMotorIcon);
    SetHelpTopic(kHelpTopic);
    SetPropsHelpTopic(kPropsHelpTopic);
    SetHasCommands(true);

    FenwaMotor* m = m_pMotor;
    m_Properties.SetName("Motor");
    for (ZRAttribute* a :
         std::initializer_list<ZRAttribute*>{m->GetAutoMotorIden(), m->GetMotorModel(), m->GetInertiaRatio()})
        m_Properties.AddProperty(a);
    m_Statuses.SetName("Motor");
    tarvik::AddSubGroup(m_Statuses, "General",
                        {m->GetMotorFlag(), m->GetMotorType(), m->GetTorqueConstant(), m->GetForceConstant(),
                         m->GetInertia(), m->GetMass(), m->GetPolesRevolution(), m->GetElectricalCycle(),
                         m->GetIntegralLimits()});
    tarvik::AddSubGroup(m_Statuses, "Electrical",
                        {m->GetRatedVoltage(), m->GetResistance(), m->GetInductance()});
    tarvik::AddSubGroup(m_Statuses, "Ratings",
                        {m->GetMaximumSpeed(), m->GetMaximumSpeedLinear(), m->GetIntermittentCurrent(),
                         m->GetContinuousCurrent()});
    tarvik::AddSubGroup(m_Statuses, "Feedback",
                        {m->GetEncoder(), m->GetCommutation(), m->GetSinusoidalStartup(),
                         m->GetHallInputOffset(), m->GetLinesRevolution(), m->GetLinesMeter()});
    tarvik::AddSubGroup(m_Statuses, "Thermal",
                        {m->GetIntegralThermostat(), m->GetSoftwareProtection(), m->GetRthWE(), m->GetCthWE(),
                         m->GetRthWA(), m->GetCthWA()});
}

const platform::ui::CommandTable* FenwaMotorNodeMgr::Commands() const {
    using Row = platform::ui::CommandRow<FenwaMotorNodeMgr>;
    static const platform::ui::CommandTable table{
        {Row(ID_REFRESH_MOTOR_DATA, &FenwaMotorNodeMgr::OnRefreshData)}, &TailCommands()};
    return &table;
}

void FenwaMotorNodeMgr::BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) {
    rows.push_back(std::make_unique<ZRCommandRow>(kRefreshText, ID_REFRESH_MOTOR_DATA, this));
    rows.push_back(std::make_unique<ZRCommandRow>("Save Parameters", ID_FENWA_SAVE_PARAMETERS, this));
}

void FenwaMotorNodeMgr::DoCommand(unsigned int id) {
    if (id == ID_REFRESH_MOTOR_DATA) {
        OnRefreshData();
    } else if (id == ID_FENWA_SAVE_PARAMETERS) {
        if (auto* drive = dynamic_cast<FenwaDrive*>(m_pMotor->GetParent()))
            drive->SaveParameters();
    }
}

void FenwaMotorNodeMgr::OnRefreshData() {
    if (m_pMotor->GetAutoMotorIden()->GetValue()) {
        platform::core::MessageBox("Refresh is not valid when Auto Motor Identification is enabled");
        return;
    }
    // The block answers a changed model by copying the catalogue's record again.
    ZRUpdate changed(ZRUpdate::ValueChanged);
    m_pMotor->GetMotorModel()->UpdateAllObservers(nullptr, &changed);
}

ZRModelDoc* FenwaMotorNodeMgr::BuildPropsDoc() {
    return tarvik::NewPropsDoc();
}

void FenwaMotorNodeMgr::DefaultAction() {
    ShowProperties();
}

void FenwaMotorNodeMgr::Report(std::string& text) {
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
