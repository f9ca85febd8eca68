#pragma once

#include "platform/ui/TreeView.h"

#include <functional>
#include <iosfwd>
#include <string>

class ZRTest;

// The tree of a set-up dialog. It takes the place of the dialog's tree control, hands a press of
// the left button to the dialog before its own handling, and knows the "?"-paths by which the test
// harness addresses items.
class ZRSetupTree : public platform::ui::TreeView {
public:
    using Item = platform::ui::TreeItem;

    ZRSetupTree(QWidget* parent, std::function<void(const QPoint&)> onClick);

    // Stands in the dialog's layout where the control stood; the control is hidden.
    void Replace(QWidget* control);
    bool OnLButtonDown(unsigned flags, const QPoint& point) override;

    // The item whose tick box is at the point of the viewport; null off every tick box.
    static Item StateBoxAt(const TreeView& tree, const QPoint& point);

    // The item's text after those of its ancestors, joined with "?".
    static std::string PathOf(const TreeView& tree, Item item);
    // The item a "?"-path leads to from the top level; null when it leads nowhere.
    static Item FindPath(const TreeView& tree, const std::string& path);
    // The item's label rectangle to the page; an empty one without an item.
    static void WriteItemRect(ZRTest& page, const TreeView& tree, Item item);
    // One numbered line per item without children below the item, depth first; entry counts on.
    static void WriteStrings(const TreeView& tree, Item item, std::ostream& out, const std::string& arrayName,
                             int& entry, const char* lineEnd);

private:
    std::function<void(const QPoint&)> m_onClick;
};
