#include "quorvance/shell/ZROnLineRootMgr.h"

ZROnLineRootMgr::ZROnLineRootMgr(ZRTreeItem* item, ZRObject* onLine, ZRWorkspaceView* view)
    : ZRNodeMgr(item, onLine, view) {}

void ZROnLineRootMgr::Initialize() {}
