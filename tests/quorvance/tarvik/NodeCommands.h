// A node's commands as the user meets them: whether one is enabled, and the ids of its menu.
#pragma once

#include "kitbase/ui/ZRNodeMgr.h"
#include "platform/ui/CommandIds.h"

#include <QMenu>

#include <memory>
#include <vector>

inline bool Enabled(ZRNodeMgr& node, unsigned id) {
    platform::ui::CommandState state;
    node.OnUpdateCommand(id, state);
    return state.enabled;
}

// The command ids of the node's context menu, with those of its sub-menus.
inline std::vector<unsigned> MenuIds(ZRNodeMgr& node) {
    std::unique_ptr<QMenu> holder;
    std::vector<QMenu*> menus{node.CreateContextMenu(holder)};
    std::vector<unsigned> ids;
    while (!menus.empty() && menus.back()) {
        QMenu* next = menus.back();
        menus.pop_back();
        for (QAction* action : next->actions()) {
            if (action->menu())
                menus.push_back(action->menu());
            else if (!action->isSeparator())
                ids.push_back(platform::ui::CommandId(*action));
        }
    }
    return ids;
}
