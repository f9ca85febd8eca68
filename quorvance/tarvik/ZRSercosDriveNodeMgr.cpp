#include "quorvance/tarvik/ZRSercosDriveNodeMgr.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/Modal.h"
#include "platform/ui/Menu.h"
#include "quorvance/online/OnlineCommands.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/ZRFamilyRegistry.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikMonitorTree.h"
#include "quorvance/tarvik/TarvikNodeSupport.h"
#include "quorvance/tarvik/TarvikSercosSwitch.h"
#include "quorvance/tarvik/ZRDigInNodeMgrTarvik.h"
#include "quorvance/tarvik/ZRDigInTarvik.h"
#include "quorvance/tarvik/ZRDigOutTarvik.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZREncodersTarvik.h"
#include "quorvance/tarvik/ZRFaults.h"
#include "quorvance/tarvik/ZRFaultsNodeMgr.h"
#include "quorvance/tarvik/ZRMonitor.h"
#include "quorvance/tarvik/ZRMonitorNodeMgr.h"
#include "quorvance/tarvik/ZRMotorNodeMgrTarvik.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZRNoxelScope.h"
#include "quorvance/tarvik/ZRServiceInfo.h"
#include "quorvance/tarvik/ZRTuning.h"

using tarvik::Eng;

namespace {

void RegisterSercosMenu() {
    using platform::ui::MenuItem;
    // The child nodes fill their own places of the resource, possibly before this node does.
    if (platform::ui::HasSubMenu(IDR_SERCOS_NODE_MENU, size_t(kSercosDriveSubMenu)))
        return;
    platform::ui::RegisterSubMenu(
        IDR_SERCOS_NODE_MENU, size_t(kSercosDriveSubMenu),
        MenuItem("SercosDrive",
                 {MenuItem(ID_UPGRADE_FIRMWARE, "&Upgrade Firmware..."),
                  MenuItem(ID_DEACTIVATE_SERCOS_NODE, "&Deactivate Sercos..."), MenuItem::Separator(),
                  MenuItem(ID_PROPERTIES, "P&roperties..."),
                  MenuItem("Commands", {MenuItem(ID_CLEAR_FAULTS, "Clear &Faults"),
                                        MenuItem(ID_RESET_DRIVE, "&Reset Drive"),
                                        MenuItem(ID_FACTORY_RESET, "Reset &EEPROM to Factory Settings")})}));
}

// The "Drive Status" group of the monitor tree; the monitor node's status rows show it too.
std::vector<tarvik::MonitorMember> DriveStatus(ZRDrive& d) {
    ZRServiceInfo* info = d.GetServiceInfo();
    ZRMotorTarvik* motor = d.GetMotor();
    ZRTuning* tuning = d.GetTuning();
    ZRAttribute* none = nullptr;
    return {d.GetBrake(),
            d.GetBusVoltage(),
            Eng(d.GetCommutationAngle()),
            d.GetDriveEnabled(),
            d.GetDriveTemperature(),
            d.GetFaultState(),
            info ? info->GetFirmwareVersion() : none,
            motor ? motor->GetMotorTemperature() : none,
            tuning ? tuning->GetOperatingMode() : none,
            info ? info->GetPICSNumber() : none};
}

std::unique_ptr<ZRPropertyGroup> BuildSercosMonitorTree(ZRDrive& d, bool engineering) {
    tarvik::MonitorTreeBuilder b(engineering);
    auto root = std::make_unique<ZRPropertyGroup>();
    ZRAttribute* none = nullptr;
    ZRTuning* tuning = d.GetTuning();
    auto tune = [tuning](auto getter) -> ZRAttribute* { return tuning ? (tuning->*getter)() : nullptr; };
    b.Group(*root, "Drive Status", DriveStatus(d));
    b.Group(*root, "Position Signals",
            {tune(&ZRTuning::GetPositionCommand), tune(&ZRTuning::GetPositionError),
             tune(&ZRTuning::GetPositionMotorFeedback), d.GetPositionAuxiliaryEncoder()});
    b.Group(*root, "Velocity Signals",
            {tune(&ZRTuning::GetVelocityCommand), tune(&ZRTuning::GetVelocityError),
             tune(&ZRTuning::GetVelocityMotorFeedback)});
    b.Group(*root, "Current Signals", tarvik::CurrentSignals(d));
    ZRPropertyGroup& encoders = b.Group(*root, "Encoders");
    if (ZREncodersTarvik* e = d.GetEncoders()) {
        // Signals A, B, Z, S1, S2, S3 by index.
        b.Group(encoders, "Motor Input",
                {e->GetPositionMotorFeedback(), e->GetEncoderTemperature(), e->GetMotorSignal(0),
                 e->GetMotorSignal(1), e->GetMotorSignal(2), e->GetMotorSignal(3), e->GetMotorSignal(4),
                 e->GetMotorSignal(5), e->GetThermostat(), Eng(e->GetSine()), Eng(e->GetCosine()),
                 e->GetStartupCommutationComplete()});
        b.Group(encoders, "Auxiliary Input",
                {e->GetPositionAuxiliary(), e->GetAuxSignal(0), e->GetAuxSignal(1), e->GetAuxSignal(2)});
    }
    std::vector<tarvik::MonitorMember> inputs;
    // Inputs 5 and 6 have no use on a SERCOS drive.
    if (ZRDigInTarvik* digIn = d.GetDigIn())
        for (int i : {0, 1, 2, 3, 6, 7})
            inputs.emplace_back(digIn->GetInputState(i));
    b.Group(*root, "Digital Inputs", inputs);
    ZRBoolAttribute* relay = nullptr;
    if (ZRDigOutTarvik* digOut = d.GetDigOut()) {
        relay = digOut->GetOutputState(ZRDigOutTarvik::kOutputs - 1);
        // The relay drives the brake on a SERCOS drive: it keeps that name from here on.
        relay->SetName("Brake");
    }
    b.Group(*root, "Digital Outputs", {relay ? static_cast<ZRAttribute*>(relay) : none});
    return root;
}

} // namespace

ZRSercosDriveNodeMgr::ZRSercosDriveNodeMgr(ZRDrive* drive, ZRTreeItem* item, ZRWorkspaceView* view)
    : ZRNodeMgr(item, drive, view), m_pDrive(drive) {}

void ZRSercosDriveNodeMgr::Initialize() {
    if (!m_pDrive)
        return;
    RegisterSercosMenu();
    SetMenu(IDR_SERCOS_NODE_MENU, kSercosDriveSubMenu);
    SetViewTitle("%s", &m_pDrive->GetName());
    SetIconID(ZRImages::IDI_DRIVE);
    SetHelpTopic(tarvik::kHelpTopicDrive);
    AddBlockNodes();
    SetHasCommands(true);
    SetPropsHelpTopic(tarvik::kHelpTopicDriveProps);

    ZRDrive& d = *m_pDrive;
    ZRMotorTarvik* motor = d.GetMotor();
    m_Properties.SetName(d.GetName().GetValue());
    for (ZRAttribute* member : {static_cast<ZRAttribute*>(&d.GetName()),
                                motor ? static_cast<ZRAttribute*>(motor->GetAutoMotorIden()) : nullptr,
                                motor ? static_cast<ZRAttribute*>(motor->GetMotorModelAttribute()) : nullptr,
                                static_cast<ZRAttribute*>(d.GetDisplayedUnits())})
        if (member)
            m_Properties.AddProperty(member);
    tarvik::AddSubGroup(m_Properties, "Communications",
                        {d.GetDriveAddress(), d.GetBroadcastAddress(), d.GetBaudRate(), d.GetFrameFormat()})
        .SetCollapsed(true);
    tarvik::AddSubGroup(m_Properties, "Display Precision",
                        {d.GetVelocityPrecision(), d.GetPositionPrecision(), d.GetAccelerationPrecision(),
                         d.GetCurrentPrecision()})
        .SetCollapsed(true);
    tarvik::AddSubGroup(m_Properties, "Motor Encoder Units",
                        {d.GetVelocityLabel(), d.GetVelocityScaleAttribute(), d.GetPositionLabel(),
                         d.GetPositionScaleAttribute(), d.GetAccelerationLabel(),
                         d.GetAccelerationScaleAttribute()})
        .SetCollapsed(true);
    tarvik::AddSubGroup(m_Properties, "Auxiliary Encoder Units",
                        {d.GetAuxEncoderVelocityLabel(), d.GetAuxEncoderVelocityScale(),
                         d.GetAuxEncoderPositionLabel(), d.GetAuxEncoderPositionScale(),
                         d.GetAuxEncoderAccelerationLabel(), d.GetAuxEncoderAccelerationScale()})
        .SetCollapsed(true);
    for (ZRAttribute* member :
         std::initializer_list<ZRAttribute*>{d.GetDriveEnabled(), d.GetBusPower(), d.GetBusVoltage()})
        m_Statuses.AddProperty(member);
}

void ZRSercosDriveNodeMgr::AddBlockNodes() {
    if (!m_pTree || !m_pNode)
        return;
    ZRDrive& d = *m_pDrive;
    struct Block {
        ZRObject* object;
        const char* text;
        int image;
    };
    const Block blocks[] = {
        {static_cast<ZRObject*>(d.GetMotor()), "Motor", ZRImages::kMotor},
        {static_cast<ZRObject*>(d.GetDigIn()), "Digital Inputs", ZRImages::kDigitalInputs},
        {static_cast<ZRObject*>(d.GetMonitor()), "Monitor", ZRImages::kMonitor},
        {static_cast<ZRObject*>(d.GetScope()), "Oscilloscope", ZRImages::kOscilloscope},
        {static_cast<ZRObject*>(d.GetFaults()), "Faults", ZRImages::kFaults},
        {static_cast<ZRObject*>(d.GetServiceInfo()), "Service Info", ZRImages::kServiceInfo},
    };
    const ZRFamilyRegistry& families = ZRFamilyRegistry::Instance();
    for (const Block& block : blocks) {
        if (!block.object || FindChild(static_cast<ZRMvcModel*>(block.object)))
            continue;
        ZRNodeMgr* held = tarvik::AddBlockNode(
            *m_pTree, m_pNode, block.text, block.image, [&](ZRTreeItem* item) -> std::unique_ptr<ZRNodeMgr> {
                // Motor, inputs and faults show their reduced SERCOS forms.
                if (block.object == d.GetMotor())
                    return std::make_unique<ZRMotorNodeMgrTarvik>(d.GetMotor(), item, m_pTree, true);
                if (block.object == d.GetDigIn())
                    return std::make_unique<ZRDigInNodeMgrTarvik>(d.GetDigIn(), item, m_pTree, true);
                if (block.object == d.GetFaults())
                    return std::make_unique<ZRFaultsNodeMgr>(d.GetFaults(), item, m_pTree, true);
                if (block.object == d.GetMonitor())
                    return std::make_unique<ZRMonitorNodeMgr>(block.object, item, m_pTree);
                if (ZRNodeMaker make = families.FindNode(block.object->GetClass()))
                    return make(block.object, item, m_pTree);
                return nullptr;
            });
        if (held && block.object == d.GetMonitor()) {
            std::vector<tarvik::MonitorMember> status = DriveStatus(d);
            const bool engineering = tarvik::EngineeringMode();
            for (const tarvik::MonitorMember& member : status)
                if (member.attribute && (engineering || !member.eng))
                    held->GetStatuses().AddProperty(member.attribute);
        }
    }
}

ZRPropertyGroup* ZRSercosDriveNodeMgr::GetMonitorTree() {
    if (!m_pDrive)
        return ZRNodeMgr::GetMonitorTree();
    return tarvik::KeptMonitorTree(m_pMonitorGroup, *m_pDrive, BuildSercosMonitorTree);
}

void ZRSercosDriveNodeMgr::BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) {
    rows.push_back(std::make_unique<ZRCommandRow>("Clear Faults", ID_CLEAR_FAULTS, this));
    rows.push_back(std::make_unique<ZRCommandRow>("Reset Drive", ID_RESET_DRIVE, this));
    rows.push_back(
        std::make_unique<ZRCommandRow>("Reset EEPROM to Factory Settings", ID_FACTORY_RESET, this));
}

const platform::ui::CommandTable* ZRSercosDriveNodeMgr::Commands() const {
    using Row = platform::ui::CommandRow<ZRSercosDriveNodeMgr>;
    const auto run = &ZRSercosDriveNodeMgr::DoCommand;
    static const platform::ui::CommandTable table{
        {Row(ID_CLEAR_FAULTS, run), Row(ID_DEACTIVATE_SERCOS_NODE, &ZRSercosDriveNodeMgr::OnDeactivateSercos),
         Row(ID_RESET_DRIVE, run), Row(ID_FACTORY_RESET, run)},
        &TailCommands()};
    return &table;
}

void ZRSercosDriveNodeMgr::DoCommand(unsigned int id) {
    if (!m_pDrive)
        return;
    switch (id) {
    case ID_RESET_DRIVE:
        m_pDrive->ResetDrive();
        break;
    case ID_FACTORY_RESET:
        OnFactoryReset();
        break;
    case ID_CLEAR_FAULTS:
        m_pDrive->ClearFaults();
        break;
    default:
        break;
    }
}

void ZRSercosDriveNodeMgr::OnDeactivateSercos() {
    tarvik::PostSercosSwitch(m_pDrive, false);
}

void ZRSercosDriveNodeMgr::OnFactoryReset() {
    tarvik::FactoryReset(m_pDrive, [](const std::string& text, unsigned type) {
        return platform::core::MessageBox(text, {}, type);
    });
}

ZRModelDoc* ZRSercosDriveNodeMgr::BuildPropsDoc() {
    return tarvik::NewPropsDoc();
}

void ZRSercosDriveNodeMgr::DefaultAction() {
    ShowProperties();
}
