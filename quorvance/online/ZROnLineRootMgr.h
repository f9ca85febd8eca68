#pragma once

#include "kitbase/ui/ZRNodeMgr.h"

#include <cstdint>

class ZROnLine;

// The node of "On-Line Drives": keeps the tree under it in step with the on-line root's children.
// A drive the scan adds gets its item, icon and node manager (and a new Tarvik drive its greeting);
// a drive that leaves loses them.
class ZROnLineRootMgr : public ZRNodeMgr {
public:
    ZROnLineRootMgr(ZRTreeItem* item, ZROnLine* onLine, ZRWorkspaceView* view);

    void Initialize() override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    // The tree image of a child by its kind, or -1 for a kind that gets no item.
    static int ChildImage(ZRObject* child);

protected:
    const platform::ui::CommandTable* Commands() const override;
    // The node manager of a new child item; null leaves the child without an item.
    virtual ZRNodeMgr* CreateChildNode(ZRObject* child, ZRTreeItem* item);

private:
    // Items for the children that have none; the last one inserted, or null.
    ZRTreeItem* AddChildItems();
    void RemoveChildItems();
    void OnSelfTest();
};
