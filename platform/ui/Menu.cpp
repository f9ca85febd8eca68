#include "platform/ui/Menu.h"

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

const std::vector<MenuItem>* FindMenu(unsigned resourceId) {
    auto it = Registry().find(resourceId);
    return it == Registry().end() ? nullptr : &it->second;
}

} // namespace platform::ui
