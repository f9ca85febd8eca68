#include "quorvance/fenwa/FenwaSvcLinks.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRCompositeAttribute.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRRangeValidation.h"
#include "kitbase/model/ZRValAttribute.h"
#include "kitbase/model/ZRValRangeValidation.h"
#include "quorvance/fenwa/FenwaDrive.h"

#include <memory>

namespace fenwa::svc {

void Bind(ZRAttribute& attribute, ZRObject* owner, int32_t id, const std::string& name) {
    attribute.SetObject(owner);
    attribute.Define(id);
    attribute.SetName(name);
}

void StoredRange(ZRValAttribute& attribute, double lo, double hi) {
    auto range = std::make_unique<ZRValRangeValidation>();
    range->SetMin(lo);
    range->SetMax(hi);
    attribute.SetRangeValidation(std::move(range));
}

void PlainRange(ZRValAttribute& attribute, double lo, double hi) {
    auto range = std::make_unique<ZRRangeValidation>();
    range->SetMin(lo);
    range->SetMax(hi);
    attribute.SetRangeValidation(std::move(range));
}

ZRAttribute* FindAttribute(ZRObject* object, int32_t id) {
    if (!object)
        return nullptr;
    for (ZRObject::AttributeList* list :
         {&object->GetProperties(), &object->GetStatus(), &object->GetMiscAttributes()})
        for (ZRAttribute* attribute : *list)
            if (attribute->GetAttribute() == id)
                return attribute;
    return nullptr;
}

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

FenwaDrive* DriveOf(ZRObject* block) {
    return block ? dynamic_cast<FenwaDrive*>(block->GetParent()) : nullptr;
}

// The drive's scale and units objects come with the drive object; until it offers them the blocks
// show plain drive units.
ZRChannelScale* DriveVelocityScale(FenwaDrive*) {
    return nullptr;
}
ZRUnits* DriveVelocityUnits(FenwaDrive*) {
    return nullptr;
}
ZRChannelScale* DrivePositionScale(FenwaDrive*) {
    return nullptr;
}
ZRUnits* DrivePositionUnits(FenwaDrive*) {
    return nullptr;
}
ZRChannelScale* DriveCurrentScale(FenwaDrive*) {
    return nullptr;
}

} // namespace fenwa::svc
