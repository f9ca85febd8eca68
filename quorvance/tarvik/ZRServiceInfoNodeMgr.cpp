#include "quorvance/tarvik/ZRServiceInfoNodeMgr.h"

#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/ui/Menu.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/shell/ZRQuorvanceApp.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikNodeSupport.h"
#include "quorvance/tarvik/ZRServiceInfo.h"

namespace {

bool ManufacturingMode() {
    ZRQuorvanceApp* app = ZRQuorvanceApp::Instance();
    return app && app->IsManufacturingMode();
}

void RegisterManufacturingMenu() {
    using platform::ui::MenuItem;
    const auto position = static_cast<size_t>(kServiceInfoMfgSubMenu);
    if (platform::ui::HasSubMenu(IDR_OFFLINE_ROOT_MENU, position))
        return;
    platform::ui::RegisterSubMenu(
        IDR_OFFLINE_ROOT_MENU, position,
        MenuItem("Service Info",
                 {MenuItem(ID_PROPERTIES, "Properties..."),
                  MenuItem("Commands", {MenuItem(ID_RESET_DRIVE, "Reset Drive"),
                                        MenuItem(ID_CALCULATE_COMMAND_OFFSET, "Calculate COMMAND Offset"),
                                        MenuItem(ID_RESET_SERVICE_CLOCK, "Reset Service Clock"),
                                        MenuItem(ID_RESET_TO_FACTORY_SETTINGS, "Reset to Factory Settings"),
                                        MenuItem(ID_RESET_FAULT_HISTORY, "Reset Fault History")})}));
}

} // namespace

ZRServiceInfoNodeMgr::ZRServiceInfoNodeMgr(ZRServiceInfo* info, ZRTreeItem* item, ZRWorkspaceView* view)
    : TarvikBlockNodeMgr(info, item, view), m_pInfo(info) {}

void ZRServiceInfoNodeMgr::Initialize() {
    const bool manufacturing = ManufacturingMode();
    if (manufacturing)
        RegisterManufacturingMenu();
    SetUp({manufacturing ? kServiceInfoMfgSubMenu : kServiceInfoSubMenu, "Service Info",
           "%s - Service Information", ZRImages::IDI_SERVICE_INFO, tarvik::kHelpTopicServiceInfo,
           tarvik::kHelpTopicServiceInfoProps});
    SetHasCommands(manufacturing);
    ZRServiceInfo& s = *m_pInfo;
    m_Properties.SetName("Service Info");
    if (manufacturing || !tarvik::IsOnLine(m_pInfo))
        m_Properties.AddProperty(s.GetDriveSize());
    if (manufacturing) {
        m_Properties.AddProperty(s.GetDriveModel());
        m_Properties.AddProperty(s.GetPICSNumber());
        m_Properties.AddProperty(s.GetuPARevision());
        ZRPropertyGroup& calibration = AddGroup(m_Properties, "Calibration");
        for (int channel = 0; channel < ZRServiceInfo::kChannelCount; ++channel) {
            calibration.AddProperty(s.GetChannelOffset(channel));
            calibration.AddProperty(s.GetChannelScale(channel));
        }
        calibration.AddProperty(s.GetAnalogOutputScale());
        calibration.AddProperty(s.GetAnalogOutputOffset());
        calibration.AddProperty(s.GetEncoderVoltageOffset());
        AddGroup(m_Properties, "DeviceNet", {s.GetVendorID(), s.GetSerialNumber()});
    }
    m_Statuses.SetName("Service Info");
    for (ZRAttribute* a :
         std::initializer_list<ZRAttribute*>{s.GetDriveModel(), s.GetPICSNumber(), s.GetFirmwareVersion(),
                                             s.GetFirmwareBuildNumber(), s.GetTimeInService()})
        m_Statuses.AddProperty(a);
}

const platform::ui::CommandTable* ZRServiceInfoNodeMgr::Commands() const {
    using Row = platform::ui::CommandRow<ZRServiceInfoNodeMgr>;
    const auto run = &ZRServiceInfoNodeMgr::DoCommand;
    const auto onLine = &ZRServiceInfoNodeMgr::OnUpdateOnLine;
    static const platform::ui::CommandTable table{
        {Row(ID_CALCULATE_COMMAND_OFFSET, run, onLine), Row(ID_RESET_DRIVE, run, onLine),
         Row(ID_RESET_SERVICE_CLOCK, run, onLine), Row(ID_RESET_SERVICE_EEPROM, run),
         Row(ID_RESET_TO_FACTORY_SETTINGS, run, onLine), Row(ID_RESET_FAULT_HISTORY, run, onLine)},
        &TailCommands()};
    return &table;
}

void ZRServiceInfoNodeMgr::OnUpdateOnLine(platform::ui::CommandState& state) {
    state.enabled = tarvik::IsOnLine(m_pInfo);
}

void ZRServiceInfoNodeMgr::BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) {
    if (!ManufacturingMode())
        return;
    const auto add = [&](const char* caption, unsigned id) {
        rows.push_back(std::make_unique<ZRCommandRow>(caption, id, this));
    };
    add("Reset Service Clock", ID_RESET_SERVICE_CLOCK);
    add("Reset Fault History", ID_RESET_FAULT_HISTORY);
    add("Reset User EEPROM", ID_FACTORY_RESET);
    add("Reset Service EEPROM", ID_RESET_SERVICE_EEPROM);
}

void ZRServiceInfoNodeMgr::DoCommand(unsigned int id) {
    switch (id) {
    case ID_RESET_TO_FACTORY_SETTINGS:
    case ID_FACTORY_RESET:
        AskDriveNode(ID_FACTORY_RESET);
        break;
    case ID_RESET_DRIVE:
        AskDriveNode(ID_RESET_DRIVE);
        break;
    case ID_RESET_SERVICE_CLOCK:
        m_pInfo->GetResetServiceClockCommand()->Execute(true);
        break;
    case ID_RESET_FAULT_HISTORY:
        m_pInfo->GetResetFaultHistoryCommand()->Execute(true);
        break;
    case ID_RESET_SERVICE_EEPROM:
        m_pInfo->GetResetServiceEEPROMCommand()->Execute(true);
        break;
    default:
        // "Calculate COMMAND Offset" is offered but has nothing to run.
        break;
    }
}

void ZRServiceInfoNodeMgr::AskDriveNode(unsigned int id) {
    if (!m_pTree || !m_pNode)
        return;
    if (ZRTreeItem* parent = m_pTree->ParentItem(m_pNode))
        if (ZRNodeMgr* drive = m_pTree->NodeOf(parent))
            drive->DoCommand(id);
}
