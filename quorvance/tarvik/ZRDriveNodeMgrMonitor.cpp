#include "quorvance/tarvik/ZRDriveNodeMgr.h"

ZRPropertyGroup* ZRDriveNodeMgr::GetMonitorTree() {
    return ZRNodeMgr::GetMonitorTree();
}
