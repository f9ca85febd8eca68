// Reaching a tree view's items the way a user does: by the texts on the way down, and by a real
// click on an item's tick box.
#pragma once

#include "platform/ui/TreeView.h"

#include <QTest>

#include <gtest/gtest.h>

#include <initializer_list>

// The item at a "?"-path, found the way a user reads the tree: first match at each level.
inline platform::ui::TreeItem TreeItemAt(platform::ui::TreeView& tree, std::initializer_list<const char*> path) {
    platform::ui::TreeItem item = nullptr;
    for (const char* part : path) {
        platform::ui::TreeItem child = tree.FirstChild(item);
        while (child && tree.ItemText(child) != part)
            child = tree.NextSibling(child);
        item = child;
    }
    return item;
}

// A real click on the item's tick box.
inline void ClickTreeBox(platform::ui::TreeView& tree, platform::ui::TreeItem item) {
    const QRect label = tree.ItemRect(item, true);
    ASSERT_FALSE(label.isEmpty());
    for (int x = label.left(); x > 0; --x) {
        platform::ui::TreeHit hit;
        const QPoint point(x, label.center().y());
        if (tree.HitTest(point, &hit) == item && hit == platform::ui::TreeHit::StateImage) {
            QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, point);
            return;
        }
    }
    FAIL() << "no tick box";
}
