#include "quorvance/fenwa/FenwaSvcLinks.h"

#include "kitbase/model/ZRCompositeAttribute.h"
#include "kitbase/model/ZRObject.h"
#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaCurrentScale.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaPositionScale.h"
#include "quorvance/fenwa/FenwaPositionUnits.h"
#include "quorvance/fenwa/FenwaVelocityScale.h"
#include "quorvance/fenwa/FenwaVelocityUnits.h"

namespace fenwa::svc {

ZRObject* SiblingBlock(ZRObject* block, int32_t type) {
    ZRObject* drive = block ? block->GetParent() : nullptr;
    if (!drive)
        return nullptr;
    for (ZRObject* child : drive->GetChildren())
        if (child != block && child->GetClass() == type)
            return child;
    return nullptr;
}

ZRCompositeAttribute* DriveComposite(ZRObject* block, int32_t id) {
    return dynamic_cast<ZRCompositeAttribute*>(FindAttribute(block ? block->GetParent() : nullptr, id));
}

ZRChannelScale* DriveVelocityScale(FenwaDrive* drive) {
    return drive ? drive->GetVelocityScale() : nullptr;
}
ZRUnits* DriveVelocityUnits(FenwaDrive* drive) {
    return drive ? drive->GetVelocityUnits() : nullptr;
}
ZRChannelScale* DrivePositionScale(FenwaDrive* drive) {
    return drive ? drive->GetPositionScale() : nullptr;
}
ZRUnits* DrivePositionUnits(FenwaDrive* drive) {
    return drive ? drive->GetPositionUnits() : nullptr;
}
ZRChannelScale* DriveCurrentScale(FenwaDrive* drive) {
    return drive ? drive->GetCurrentScale() : nullptr;
}

} // namespace fenwa::svc
