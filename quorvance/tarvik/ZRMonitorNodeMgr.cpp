#include "quorvance/tarvik/ZRMonitorNodeMgr.h"

namespace {
constexpr unsigned long kMonitorHelpTopic = 1079;
constexpr unsigned long kMonitorPropsHelpTopic = 1095;
} // namespace

ZRMonitorNodeMgr::ZRMonitorNodeMgr(ZRObject* monitor, ZRTreeItem* item, ZRWorkspaceView* view)
    : ZRNodeMgr(item, monitor, view) {}

void ZRMonitorNodeMgr::Initialize() {
    SetHelpTopic(kMonitorHelpTopic);
    SetPropsHelpTopic(kMonitorPropsHelpTopic);
}

// No Properties command: the node has no property sheet.
const platform::ui::CommandTable* ZRMonitorNodeMgr::Commands() const {
    return &BaseCommands();
}

void ZRMonitorNodeMgr::DefaultAction() {
    // The monitor window comes with the monitor view; until then a double click does nothing.
}
