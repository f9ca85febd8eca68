// Menus built from tables: an item is a command id and its text, a sub-menu, or a separator.
// Menu resources are registered by id, as the program's node kinds name them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class QMenu;
class QMenuBar;
class QPoint;

namespace platform::ui {

struct MenuItem {
    MenuItem() = default;
    MenuItem(unsigned commandId, std::string itemText) : id(commandId), text(std::move(itemText)) {}
    MenuItem(std::string menuText, std::vector<MenuItem> subItems)
        : text(std::move(menuText)), items(std::move(subItems)) {}

    unsigned id = 0;
    std::string text;            // "&Open...\tCtrl+O": & marks the mnemonic, a tab the key text
    std::vector<MenuItem> items; // non-empty: a sub-menu named text

    static MenuItem Separator() { return {}; }
    bool IsSeparator() const { return id == 0 && text.empty() && items.empty(); }
    bool IsSubMenu() const { return !items.empty(); }
};

// Appends the items to the menu; commands carry their ids (see CommandId).
void FillMenu(QMenu& menu, const std::vector<MenuItem>& items);
void FillMenuBar(QMenuBar& bar, const std::vector<MenuItem>& items);

void RegisterMenu(unsigned resourceId, std::vector<MenuItem> items);
// Puts the sub-menu at the position of the resource, keeping its other entries, so that several
// node kinds fill one resource; positions not filled yet hold separators.
void RegisterSubMenu(unsigned resourceId, size_t position, MenuItem subMenu);
// Whether a sub-menu fills the position of the resource already (the first node of a kind fills it).
bool HasSubMenu(unsigned resourceId, size_t position);
// Null when no menu is registered under the id.
const std::vector<MenuItem>* FindMenu(unsigned resourceId);

// Shows a pop-up menu through the modal hook (so tests script the choice) and answers the chosen
// command id, 0 when dismissed. It runs nothing: the caller routes the id, so attach no router.
unsigned TrackPopupMenu(QMenu& menu, const QPoint& screenPos);

} // namespace platform::ui
