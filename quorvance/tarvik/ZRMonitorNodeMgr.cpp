#include "quorvance/tarvik/ZRMonitorNodeMgr.h"

#include "quorvance/tarvik/TarvikIds.h"

ZRMonitorNodeMgr::ZRMonitorNodeMgr(ZRObject* monitor, ZRTreeItem* item, ZRWorkspaceView* view)
    : ZRNodeMgr(item, monitor, view) {}

void ZRMonitorNodeMgr::Initialize() {
    SetHelpTopic(tarvik::kHelpTopicMonitor);
    SetPropsHelpTopic(tarvik::kHelpTopicMonitorProps);
}

// No Properties command: the node has no property sheet.
const platform::ui::CommandTable* ZRMonitorNodeMgr::Commands() const {
    return &BaseCommands();
}

void ZRMonitorNodeMgr::DefaultAction() {
    // The monitor window comes with the monitor view; until then a double click does nothing.
}
