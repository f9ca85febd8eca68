#pragma once

#include "kitbase/ui/ZRNodeMgr.h"

#include <initializer_list>
#include <memory>
#include <string>

// What the Tarvik block nodes share: a sub-menu of the node menu resource holding "Properties...",
// a window title bound to the drive's name, icon and help topics, a property window that opens
// hidden until it is sized, and the Properties command as default action.
class TarvikBlockNodeMgr : public ZRNodeMgr {
public:
    TarvikBlockNodeMgr(ZRObject* block, ZRTreeItem* item, ZRWorkspaceView* view);

protected:
    struct Shape {
        int subMenu;
        const char* menuText;
        const char* titleFormat;
        unsigned short icon;
        unsigned long helpTopic;
        unsigned long propsHelpTopic;
    };
    void SetUp(const Shape& shape);
    // Appends a sub-group; null members are skipped.
    static ZRPropertyGroup& AddGroup(ZRPropertyGroup& parent, std::string name,
                                     std::initializer_list<ZRAttribute*> members = {});

    const platform::ui::CommandTable* Commands() const override;
    ZRModelDoc* BuildPropsDoc() override;
    void DefaultAction() override;
};

// The family registry's node maker for a block class and the class of its node.
template <class Block, class Node>
std::unique_ptr<ZRNodeMgr> MakeBlockNode(ZRObject* object, ZRTreeItem* item, ZRWorkspaceView* view) {
    auto* block = dynamic_cast<Block*>(object);
    return block ? std::make_unique<Node>(block, item, view) : nullptr;
}
