#include "quorvance/tarvik/ZRIndexingNodeMgr.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/ui/Menu.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "quorvance/tarvik/ZRIndexing.h"

namespace {

constexpr const char* kOffline = "The Drive is Offline.";
constexpr const char* kNotEnabled = "The drive is not enabled.";

void RegisterMenu() {
    using platform::ui::MenuItem;
    const auto position = static_cast<size_t>(kIndexingSubMenu);
    if (platform::ui::HasSubMenu(IDR_OFFLINE_ROOT_MENU, position))
        return;
    platform::ui::RegisterSubMenu(
        IDR_OFFLINE_ROOT_MENU, position,
        MenuItem("Indexing",
                 {MenuItem("Commands", {MenuItem(ID_INDEXING_PANEL, "Indexing Control Panel...")}),
                  MenuItem::Separator(), MenuItem(ID_PROPERTIES, "Properties...")}));
}

} // namespace

ZRIndexingNodeMgr::ZRIndexingNodeMgr(ZRIndexing* indexing, ZRTreeItem* item, ZRWorkspaceView* view)
    : TarvikBlockNodeMgr(indexing, item, view), m_pIndexing(indexing) {}

void ZRIndexingNodeMgr::Initialize() {
    RegisterMenu();
    SetUp({kIndexingSubMenu, "Indexing", "%s - Indexing", ZRImages::IDI_INDEXING, tarvik::kHelpTopicIndexing,
           tarvik::kHelpTopicIndexingProps});
    SetHasCommands(true);

    ZRIndexing* x = m_pIndexing;
    m_Properties.SetName("Indexing");
    m_Properties.AddProperty(x->GetAutoStartIndexing());
    m_Properties.AddProperty(x->GetAbortIndexDecel());
    // 704 rows: each index stays closed, and unread, until the user opens it.
    for (int i = 0; i < ZRIndexing::kIndexCount; ++i) {
        ZRPropertyGroup& group =
            AddGroup(m_Properties, platform::core::Format("Index %d Setup", i),
                     {x->GetMode(i), x->GetAbsoluteDirection(i), x->GetDistance(i), x->GetBatchCount(i),
                      x->GetDwell(i), x->GetRegistrationDistance(i), x->GetVelocity(i), x->GetAcceleration(i),
                      x->GetDeceleration(i), x->GetNextIndex(i), x->GetActionWhenComplete(i)});
        group.SetCollapsed(true);
        group.SetDynamicLoad(true);
    }
    m_Statuses.SetName("Indexing");
    for (ZRAttribute* a : x->GetStatus())
        m_Statuses.AddProperty(a);
}

ZRDriveNodeMgr* ZRIndexingNodeMgr::DriveNode() const {
    if (!m_pTree || !m_pNode)
        return nullptr;
    platform::ui::TreeItem modes = m_pTree->ParentItem(m_pNode);
    platform::ui::TreeItem drive = modes ? m_pTree->ParentItem(modes) : nullptr;
    return drive ? dynamic_cast<ZRDriveNodeMgr*>(m_pTree->NodeOf(drive)) : nullptr;
}

ZRDrive* ZRIndexingNodeMgr::Drive() const {
    return dynamic_cast<ZRDrive*>(tarvik::DriveOf(m_pIndexing));
}

const platform::ui::CommandTable* ZRIndexingNodeMgr::Commands() const {
    using Row = platform::ui::CommandRow<ZRIndexingNodeMgr>;
    static const platform::ui::CommandTable table{
        {Row(
            ID_INDEXING_PANEL, [](ZRIndexingNodeMgr& node) { node.DoCommand(ID_INDEXING_PANEL); },
            &ZRIndexingNodeMgr::OnUpdateIndexingPanel)},
        &TailCommands()};
    return &table;
}

void ZRIndexingNodeMgr::OnUpdateIndexingPanel(platform::ui::CommandState& state) {
    ZRDriveNodeMgr* drive = DriveNode();
    state.enabled = drive && drive->IsCommandEnabled(ID_INDEXING_PANEL);
}

void ZRIndexingNodeMgr::BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) {
    rows.push_back(std::make_unique<ZRCommandRow>("Indexing Control Panel...", ID_INDEXING_PANEL, this));
}

void ZRIndexingNodeMgr::DoCommand(unsigned int id) {
    switch (id) {
    case ID_INDEXING_PANEL:
        if (ZRDriveNodeMgr* drive = DriveNode())
            drive->DoCommand(ID_INDEXING_PANEL);
        break;
    case ID_START_INDEX:
        StartIndex();
        break;
    case ID_START_HOMING:
        RunHomingCommand(true);
        break;
    case ID_STOP_HOMING:
        RunHomingCommand(false);
        break;
    default:
        break;
    }
}

void ZRIndexingNodeMgr::StartIndex() {
    using platform::core::MessageBox;
    ZRDevice* device = m_pIndexing->GetDevice();
    ZRDrive* drive = Drive();
    if (!device || device->IsOffLine() || !drive) {
        MessageBox(kOffline);
        return;
    }
    ZRBoolAttribute* enabled = drive->GetDriveEnabled();
    enabled->Refresh(true);
    if (enabled->GetValue()) {
        m_pIndexing->GetStartIndexCommand()->Execute(true);
        return;
    }
    ZRIndexSelection* fault = drive->GetFaultState();
    fault->Refresh(true);
    // Every entry but these two is a fault.
    const std::string state = fault->GetAsString();
    MessageBox(state != "Drive Enable" && state != "Drive Ready" ? "The drive is faulted" : kNotEnabled);
}

void ZRIndexingNodeMgr::RunHomingCommand(bool start) {
    using platform::core::MessageBox;
    ZRDevice* device = m_pIndexing->GetDevice();
    ZRDrive* drive = Drive();
    if (!device || device->IsOffLine() || !drive) {
        MessageBox(kOffline);
        return;
    }
    if (!device->IsEnabled()) {
        MessageBox(kNotEnabled);
        return;
    }
    if (!drive->IsEnableActive()) {
        MessageBox(start ? "Drive enable input must be active to start homing."
                         : "Drive enable input not active.");
        return;
    }
    (start ? m_pIndexing->GetStartHomingCommand() : m_pIndexing->GetStopHomingCommand())->Execute(true);
}
