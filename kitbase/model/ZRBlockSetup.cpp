#include "kitbase/model/ZRBlockSetup.h"

#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRRangeValidation.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRValAttribute.h"
#include "kitbase/model/ZRValRangeValidation.h"

#include <memory>

namespace block {

namespace {

template <class Range> void SetRange(ZRAttribute& attribute, double lo, double hi) {
    auto range = std::make_unique<Range>();
    range->SetMin(lo);
    range->SetMax(hi);
    attribute.SetRangeValidation(std::move(range));
}

template <class Match> ZRAttribute* Find(ZRObject* object, Match&& match) {
    if (!object)
        return nullptr;
    for (const ZRObject::AttributeList* list :
         {&object->GetProperties(), &object->GetStatus(), &object->GetMiscAttributes()})
        for (ZRAttribute* a : *list)
            if (a && match(*a))
                return a;
    return nullptr;
}

} // namespace

void Init(ZRObject& block, int32_t type, uint32_t version, const std::string& name) {
    block.SetClass(type);
    block.SetVersion(version);
    block.GetName().SetValue(name);
}

void Bind(ZRAttribute& attribute, ZRObject* owner, int32_t id, const std::string& name) {
    attribute.SetObject(owner);
    attribute.Define(id);
    attribute.SetName(name);
}

void BindNumber(ZRValAttribute& attribute, ZRObject* owner, int32_t id, const std::string& name,
                double defaultValue) {
    Bind(attribute, owner, id, name);
    attribute.SetValue(defaultValue);
}

void BindNumber(ZRValAttribute& attribute, ZRObject* owner, int32_t id, const std::string& name,
                double defaultValue, double lo, double hi) {
    BindNumber(attribute, owner, id, name, defaultValue);
    StoredRange(attribute, lo, hi);
}

void StoredRange(ZRAttribute& attribute, double lo, double hi) {
    SetRange<ZRValRangeValidation>(attribute, lo, hi);
}

void PlainRange(ZRAttribute& attribute, double lo, double hi) {
    SetRange<ZRRangeValidation>(attribute, lo, hi);
}

ZRAttribute* FindAttribute(ZRObject* object, int32_t id) {
    if (id == ZRObject::kNoAttribute)
        return nullptr;
    return Find(object, [id](ZRAttribute& a) { return a.GetAttribute() == id; });
}

ZRAttribute* FindAttribute(ZRObject* object, const std::string& name) {
    return Find(object, [&name](ZRAttribute& a) { return a.GetName() == name; });
}

void UseScale(ZRValAttribute& attribute, const ScaleUnits& models, int precision) {
    attribute.SetPrecision(precision);
    if (models.scale)
        attribute.SetScaleObject(models.scale);
    if (models.units)
        attribute.SetUnitsObject(models.units);
}

} // namespace block
