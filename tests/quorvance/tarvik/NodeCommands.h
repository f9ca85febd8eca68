// A node's commands and windows as the user meets them: whether a command is enabled, the ids of its
// menu, and a window's caption.
#pragma once

#include "kitbase/ui/ZRNodeMgr.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "platform/ui/ChildFrame.h"
#include "platform/ui/CommandIds.h"

#include <QMenu>

#include <memory>
#include <string>
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

// The caption of the frame around the view; empty without a view or a frame.
inline std::string Caption(ZRPropertiesView* view) {
    platform::ui::ChildFrame* frame = view ? platform::ui::ChildFrame::FrameOf(view) : nullptr;
    return frame ? frame->windowTitle().toStdString() : std::string();
}
