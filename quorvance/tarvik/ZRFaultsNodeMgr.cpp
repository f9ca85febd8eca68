#include "quorvance/tarvik/ZRFaultsNodeMgr.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WaitCursor.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/shell/ZRReportView.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikNodeSupport.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRFaults.h"

namespace {

void RegisterMenu() {
    using platform::ui::MenuItem;
    const auto position = static_cast<size_t>(kFaultsSubMenu);
    if (platform::ui::HasSubMenu(IDR_OFFLINE_ROOT_MENU, position))
        return;
    platform::ui::RegisterSubMenu(
        IDR_OFFLINE_ROOT_MENU, position,
        MenuItem("Faults", {MenuItem(ID_PROPERTIES, "Properties..."),
                            MenuItem("Commands", {MenuItem(ID_FAULT_HISTORY, "Fault History..."),
                                                  MenuItem(ID_CLEAR_FAULTS, "Clear Faults")})}));
}

} // namespace

ZRFaultsNodeMgr::ZRFaultsNodeMgr(ZRFaults* faults, ZRTreeItem* item, ZRWorkspaceView* view, bool sercos)
    : TarvikBlockNodeMgr(faults, item, view), m_pFaults(faults), m_bSercos(sercos) {}

void ZRFaultsNodeMgr::Initialize() {
    RegisterMenu();
    SetUp({kFaultsSubMenu, "Faults", "%s - Faults", ZRImages::IDI_FAULTS, tarvik::kHelpTopicFaults,
           tarvik::kHelpTopicFaultsProps});
    SetHasCommands(true);
    ZRFaults& f = *m_pFaults;
    m_Properties.SetName("Faults");
    if (!m_bSercos) {
        m_Properties.AddProperty(f.GetUserCurrentFault());
        m_Properties.AddProperty(f.GetUserVelocityFault());
        m_Properties.AddProperty(f.GetUserVelocityFaultEnable());
    }
    m_Properties.AddProperty(f.GetVelocityErrorFaultLimit());
    m_Properties.AddProperty(f.GetVelocityErrorFaultTime());
    if (!m_bSercos) {
        m_Properties.AddProperty(f.GetFollowingErrorLimit());
        m_Properties.AddProperty(f.GetFollowingErrorTime());
    }
    m_Statuses.SetName("Faults");
    for (int number = 1; number <= ZRFaults::kFaultCount; ++number)
        if (ZRBoolAttribute* flag = f.GetFault(number))
            m_Statuses.AddProperty(flag);
}

const platform::ui::CommandTable* ZRFaultsNodeMgr::Commands() const {
    using Row = platform::ui::CommandRow<ZRFaultsNodeMgr>;
    const auto run = &ZRFaultsNodeMgr::DoCommand;
    static const platform::ui::CommandTable table{
        {Row(ID_CLEAR_FAULTS, run, &ZRFaultsNodeMgr::OnUpdateOnLine),
         Row(ID_FAULT_HISTORY, run, &ZRFaultsNodeMgr::OnUpdateOnLine)},
        &TailCommands()};
    return &table;
}

void ZRFaultsNodeMgr::OnUpdateOnLine(platform::ui::CommandState& state) {
    state.enabled = tarvik::IsOnLine(m_pFaults);
}

void ZRFaultsNodeMgr::BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) {
    rows.push_back(std::make_unique<ZRCommandRow>("Fault History...", ID_FAULT_HISTORY, this));
    rows.push_back(std::make_unique<ZRCommandRow>("Clear Faults", ID_CLEAR_FAULTS, this));
}

void ZRFaultsNodeMgr::DoCommand(unsigned int id) {
    if (id == ID_FAULT_HISTORY) {
        ShowFaultHistory();
    } else if (id == ID_CLEAR_FAULTS) {
        if (auto* drive = dynamic_cast<ZRDrive*>(tarvik::DriveOf(m_pFaults)))
            drive->ClearFaults();
    }
}

void ZRFaultsNodeMgr::ShowFaultHistory() {
    if (!tarvik::IsOnLine(m_pFaults)) {
        platform::core::MessageBox("No fault history available for off-line drive.");
        return;
    }
    std::string text;
    bool garbled = false;
    {
        platform::ui::WaitCursor wait;
        try {
            m_pFaults->ReadFaultHistory(text);
        } catch (const ZRError& error) {
            // The entries read before the garbled one are still worth showing.
            garbled = true;
            platform::core::MessageBox(error.GetComboMessage());
        }
    }
    if (garbled && text.empty())
        return;
    ZRObject* drive = tarvik::DriveOf(m_pFaults);
    const std::string name = drive ? drive->GetName().GetValue() : std::string();
    ZRReportView* view = ZRReportView::Open(this, platform::core::Format("%s - Fault History", name.c_str()),
                                            tarvik::kHelpTopicFaultHistory);
    if (!view)
        return;
    view->SetText(text);
    view->ShowFrame();
}
