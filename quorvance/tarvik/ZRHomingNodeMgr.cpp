#include "quorvance/tarvik/ZRHomingNodeMgr.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/KitbaseIds.h"
#include "platform/ui/Menu.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikNodeSupport.h"
#include "quorvance/tarvik/ZRHoming.h"

#include <initializer_list>

namespace {

void RegisterMenu() {
    using platform::ui::MenuItem;
    const auto position = static_cast<size_t>(kHomingSubMenu);
    if (platform::ui::HasSubMenu(IDR_OFFLINE_ROOT_MENU, position))
        return;
    platform::ui::RegisterSubMenu(
        IDR_OFFLINE_ROOT_MENU, position,
        MenuItem("Homing", {MenuItem("Commands", {MenuItem(ID_START_HOMING, "Start Homing")}),
                            MenuItem::Separator(), MenuItem(ID_PROPERTIES, "Properties...")}));
}

} // namespace

ZRHomingNodeMgr::ZRHomingNodeMgr(ZRHoming* homing, ZRTreeItem* item, ZRWorkspaceView* view)
    : TarvikBlockNodeMgr(homing, item, view), m_pHoming(homing) {}

void ZRHomingNodeMgr::Initialize() {
    RegisterMenu();
    SetUp({kHomingSubMenu, "Homing", "%s - Homing", ZRImages::IDI_HOMING, tarvik::kHelpTopicHoming,
           tarvik::kHelpTopicHomingProps});
    if (!m_pHoming)
        return;
    m_Properties.SetName("Homing");
    // The block's settings only: its name is no row of this window.
    const ZRHoming& h = *m_pHoming;
    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{
             h.GetHomeType(), h.GetAutoStartHomingOnEnable(), h.GetHomeSensorBackoff(), h.GetHomingVelocity(),
             h.GetHomingAccelDecel(), h.GetOffsetMoveDistance(), h.GetStopHomeDecel(),
             h.GetHomeSensorPolarity(), h.GetHomePosition(), h.GetCreepVelocity(), h.GetHomeCurrentValue()})
        m_Properties.AddProperty(a);
    m_Statuses.SetName("Homing");
    for (ZRAttribute* a : m_pHoming->GetStatus())
        m_Statuses.AddProperty(a);
}

const platform::ui::CommandTable* ZRHomingNodeMgr::Commands() const {
    using Row = platform::ui::CommandRow<ZRHomingNodeMgr>;
    static const platform::ui::CommandTable table{
        {Row(
            ID_START_HOMING, [](ZRHomingNodeMgr& node) { node.DoCommand(ID_START_HOMING); },
            &ZRHomingNodeMgr::OnUpdateStartHoming)},
        &TailCommands()};
    return &table;
}

void ZRHomingNodeMgr::OnUpdateStartHoming(platform::ui::CommandState& state) {
    state.enabled = tarvik::IsOnLine(m_pHoming);
}

void ZRHomingNodeMgr::DoCommand(unsigned int id) {
    if (id == ID_START_HOMING)
        // Off line the command itself says so; unlike the indexing node's it checks nothing else.
        m_pHoming->GetStartHomingCommand()->Execute(true);
    else if (id == ID_ENABLE_DRIVE)
        OnEnableDrive();
}
