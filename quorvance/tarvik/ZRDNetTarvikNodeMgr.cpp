#include "quorvance/tarvik/ZRDNetTarvikNodeMgr.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDeviceNetTarvik.h"

ZRDNetTarvikNodeMgr::ZRDNetTarvikNodeMgr(ZRDeviceNetTarvik* block, ZRTreeItem* item, ZRWorkspaceView* view)
    : TarvikBlockNodeMgr(block, item, view), m_pBlock(block) {}

void ZRDNetTarvikNodeMgr::Initialize() {
    // The DeviceNet window has no icon of its own.
    SetUp({kDeviceNetSubMenu, "DeviceNet", "%s - DeviceNet", 0, tarvik::kHelpTopicDeviceNet,
           tarvik::kHelpTopicDeviceNetProps});
    if (!m_pBlock)
        return;
    const ZRDeviceNetTarvik& b = *m_pBlock;
    m_Properties.SetName("DeviceNet");
    for (ZRAttribute* member : std::initializer_list<ZRAttribute*>{
             b.GetNodeAddress(), b.GetDataRate(), b.GetIOReceiveSelect(), b.GetPollTransmitSelect(),
             b.GetCOSCyclicTransmitSelect(), b.GetLogicCommandMask(), b.GetEnableBehavior(), b.GetChangeofStateMask(),
             b.GetIdleFaultAction(), b.GetCommFaultAction(), b.GetFaultedLogicCommand()})
        m_Properties.AddProperty(member);
    m_Statuses.SetName("DeviceNet");
    ZRPropertyGroup& inputs = AddGroup(m_Statuses, "Software Input");
    for (int i = 0; i < ZRDeviceNetTarvik::kInputBits; ++i)
        inputs.AddProperty(b.GetInput(i));
}
