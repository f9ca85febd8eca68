#pragma once

#include "kitbase/ui/ZRNodeMgr.h"

class FenwaDrive;
namespace platform::ui {
struct MenuItem;
}

// What the block nodes of a Fenwa drive share (those under "Mode Configuration" and the digital and
// analog I/O nodes under the drive): a pop-up of a node menu resource filled in by the first node
// of its kind, a window title bound to the drive's name, icon and help topics, a "Save Parameters"
// command row that saves the drive's parameters, a hidden property window and Properties as the
// default action.
class FenwaOperModeBlockNodeMgr : public ZRNodeMgr {
public:
    FenwaOperModeBlockNodeMgr(ZRObject* block, ZRTreeItem* item, ZRWorkspaceView* view);

    // Save Parameters; other ids do nothing.
    void DoCommand(unsigned int id) override;

    // The drive that holds the block (its parent or the operation modes' parent), or null.
    static FenwaDrive* DriveOf(ZRObject* block);

protected:
    struct Shape {
        unsigned menuId;
        int position;
        const char* titleFormat;
        unsigned short icon;
        unsigned long helpTopic;
        unsigned long propsHelpTopic;
    };
    // The pop-up is registered at its position unless one is there already.
    void SetUp(const Shape& shape, const platform::ui::MenuItem& popup);

    const platform::ui::CommandTable* Commands() const override;
    void BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) override;
    ZRModelDoc* BuildPropsDoc() override;
    void DefaultAction() override;
};
