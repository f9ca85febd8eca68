#include "platform/ui/Menu.h"

#include "platform/core/Modal.h"
#include "platform/ui/Command.h"
#include "platform/ui/Text.h"

#include <QMenu>
#include <QMenuBar>

#include <map>

namespace platform::ui {

void FillMenu(QMenu& menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        if (item.IsSeparator()) {
            menu.addSeparator();
        } else if (item.IsSubMenu()) {
            QMenu* sub = menu.addMenu(ToQString(item.text));
            FillMenu(*sub, item.items);
        } else {
            QAction* action = menu.addAction(ToQString(item.text));
            SetCommandId(*action, item.id);
        }
    }
}

void FillMenuBar(QMenuBar& bar, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        if (item.IsSubMenu()) {
            QMenu* sub = bar.addMenu(ToQString(item.text));
            FillMenu(*sub, item.items);
        } else if (!item.IsSeparator()) {
            QAction* action = bar.addAction(ToQString(item.text));
            SetCommandId(*action, item.id);
        }
    }
}

namespace {
std::map<unsigned, std::vector<MenuItem>>& Registry() {
    static std::map<unsigned, std::vector<MenuItem>> menus;
    return menus;
}
} // namespace

void RegisterMenu(unsigned resourceId, std::vector<MenuItem> items) {
    Registry()[resourceId] = std::move(items);
}

void RegisterSubMenu(unsigned resourceId, size_t position, MenuItem subMenu) {
    std::vector<MenuItem>& items = Registry()[resourceId];
    if (items.size() <= position)
        items.resize(position + 1);
    items[position] = std::move(subMenu);
}

bool HasSubMenu(unsigned resourceId, size_t position) {
    const std::vector<MenuItem>* menu = FindMenu(resourceId);
    return menu && menu->size() > position && menu->at(position).IsSubMenu();
}

const std::vector<MenuItem>* FindMenu(unsigned resourceId) {
    auto it = Registry().find(resourceId);
    return it == Registry().end() ? nullptr : &it->second;
}

unsigned TrackPopupMenu(QMenu& menu, const QPoint& screenPos) {
    platform::core::ModalRequest request;
    request.kind = platform::core::ModalKind::PopupMenu;
    request.caption = FromQString(menu.title());
    // The item texts, so a script can check what was offered.
    for (QAction* action : menu.actions())
        if (!action->isSeparator())
            request.text += FromQString(action->text()) + "\n";
    request.x = screenPos.x();
    request.y = screenPos.y();
    request.dialog = &menu;
    int id = platform::core::RunModal(request);
    return id > 0 ? static_cast<unsigned>(id) : 0u;
}

} // namespace platform::ui
