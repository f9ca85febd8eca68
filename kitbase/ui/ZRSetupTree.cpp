#include "kitbase/ui/ZRSetupTree.h"

#include "kitbase/model/ZRTest.h"
#include "kitbase/ui/ZRKitImages.h"

#include <QLayout>

#include <ostream>
#include <utility>

ZRSetupTree::ZRSetupTree(QWidget* parent, std::function<void(const QPoint&)> onClick)
    : TreeView(parent), m_onClick(std::move(onClick)) {
    SetImageList(ZRKitImages::kSetupTreeImages);
}

void ZRSetupTree::Replace(QWidget* control) {
    if (!control)
        return;
    if (QLayout* layout = parentWidget() ? parentWidget()->layout() : nullptr)
        delete layout->replaceWidget(control, this);
    control->hide();
}

bool ZRSetupTree::OnLButtonDown(unsigned, const QPoint& point) {
    m_onClick(point);
    return false;
}

ZRSetupTree::Item ZRSetupTree::StateBoxAt(const TreeView& tree, const QPoint& point) {
    platform::ui::TreeHit hit = platform::ui::TreeHit::Nowhere;
    Item item = tree.HitTest(point, &hit);
    return hit == platform::ui::TreeHit::StateImage ? item : nullptr;
}

std::string ZRSetupTree::PathOf(const TreeView& tree, Item item) {
    std::string path = tree.ItemText(item);
    for (Item up = tree.ParentItem(item); up; up = tree.ParentItem(up))
        path = tree.ItemText(up) + "?" + path;
    return path;
}

ZRSetupTree::Item ZRSetupTree::FindPath(const TreeView& tree, const std::string& path) {
    Item item = tree.FirstChild(nullptr);
    size_t start = 0;
    while (item) {
        const size_t end = path.find('?', start);
        const std::string part =
            path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        while (item && tree.ItemText(item) != part)
            item = tree.NextSibling(item);
        if (!item || end == std::string::npos)
            return item;
        item = tree.FirstChild(item);
        start = end + 1;
    }
    return nullptr;
}

void ZRSetupTree::WriteItemRect(ZRTest& page, const TreeView& tree, Item item) {
    const QRect rect = item ? tree.ItemRect(item, true) : QRect();
    if (rect.isEmpty())
        page.WriteRect(0, 0, 0, 0);
    else
        page.WriteRect(rect.left(), rect.left() + rect.width(), rect.top(), rect.top() + rect.height());
}

void ZRSetupTree::WriteStrings(const TreeView& tree, Item item, std::ostream& out,
                               const std::string& arrayName, int& entry, const char* lineEnd) {
    for (Item child = tree.FirstChild(item); child; child = tree.NextSibling(child)) {
        if (tree.FirstChild(child)) {
            WriteStrings(tree, child, out, arrayName, entry, lineEnd);
            continue;
        }
        out << arrayName << '(' << entry++ << ") = \"" << PathOf(tree, child) << '"' << lineEnd;
    }
}
