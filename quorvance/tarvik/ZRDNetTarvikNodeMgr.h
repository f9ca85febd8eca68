#pragma once

#include "quorvance/tarvik/TarvikBlockNodeMgr.h"

class ZRDeviceNetTarvik;

// The "DeviceNet" node of a drive with a DeviceNet interface: the network settings as properties and
// the software inputs the network commands as status rows. It has no commands of its own.
class ZRDNetTarvikNodeMgr : public TarvikBlockNodeMgr {
public:
    ZRDNetTarvikNodeMgr(ZRDeviceNetTarvik* block, ZRTreeItem* item, ZRWorkspaceView* view);

    void Initialize() override;

private:
    ZRDeviceNetTarvik* m_pBlock;
};
