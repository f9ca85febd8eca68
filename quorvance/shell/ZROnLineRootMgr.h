#pragma once

#include "kitbase/ui/ZRNodeMgr.h"

// The node of the "On-Line Drives" root while the program has no serial-link scan: a root that
// finds no drives.
class ZROnLineRootMgr : public ZRNodeMgr {
public:
    ZROnLineRootMgr(ZRTreeItem* item, ZRObject* onLine, ZRWorkspaceView* view);

    void Initialize() override;
};
