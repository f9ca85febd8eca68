#pragma once

#include "kitbase/ui/ZRNodeMgr.h"

// The node of an on-line drive or placeholder whose family brings no node of its own: its name
// under "On-Line Drives", and its properties on a double click.
class ZRPlainDriveNodeMgr : public ZRNodeMgr {
public:
    using ZRNodeMgr::ZRNodeMgr;

    void Initialize() override {}

protected:
    const platform::ui::CommandTable* Commands() const override { return &TailCommands(); }
    void DefaultAction() override { ShowProperties(); }
};
