#include "quorvance/fenwa/FenwaBlockSetup.h"

#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRValAttribute.h"
#include "kitbase/model/ZRValRangeValidation.h"
#include "quorvance/fenwa/FenwaAccelScale.h"
#include "quorvance/fenwa/FenwaAccelUnits.h"
#include "quorvance/fenwa/FenwaAccelUserUnits.h"
#include "quorvance/fenwa/FenwaAnalogVelocityScale.h"
#include "quorvance/fenwa/FenwaAnalogVelocityUnits.h"
#include "quorvance/fenwa/FenwaCurrentScale.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaPositionScale.h"
#include "quorvance/fenwa/FenwaPositionUnits.h"
#include "quorvance/fenwa/FenwaVelocityScale.h"
#include "quorvance/fenwa/FenwaVelocityUnits.h"
#include "quorvance/fenwa/FenwaVelocityUserUnits.h"

#include <memory>

namespace fenwa {

void InitBlock(ZRObject& block, int32_t type, const std::string& name) {
    block.SetClass(type);
    block.SetVersion(kObjectVersion);
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
    auto range = std::make_unique<ZRValRangeValidation>();
    range->SetMin(lo);
    range->SetMax(hi);
    attribute.SetRangeValidation(std::move(range));
}

FenwaDrive* DriveOf(ZRObject* block) {
    for (ZRObject* o = block; o; o = o->GetParent())
        if (auto* drive = dynamic_cast<FenwaDrive*>(o))
            return drive;
    return nullptr;
}

namespace {

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

ZRAttribute* FindAttribute(ZRObject* object, int32_t id) {
    if (id == attr::kNone)
        return nullptr;
    return Find(object, [id](ZRAttribute& a) { return a.GetAttribute() == id; });
}

ZRAttribute* FindAttribute(ZRObject* object, const std::string& name) {
    return Find(object, [&name](ZRAttribute& a) { return a.GetName() == name; });
}

ScaleUnits ModelsOf(ZRObject* block, Model model) {
    FenwaDrive* drive = DriveOf(block);
    if (!drive)
        return {};
    switch (model) {
    case Model::Velocity:
        return {drive->GetVelocityScale(), drive->GetVelocityUnits()};
    case Model::Position:
        return {drive->GetPositionScale(), drive->GetPositionUnits()};
    case Model::Accel:
        return {drive->GetAccelScale(), drive->GetAccelUnits()};
    case Model::Current:
        return {drive->GetCurrentScale(), nullptr};
    case Model::AnalogVelocity:
        return {drive->GetAnalogVelocityScale(), drive->GetAnalogVelocityUnits()};
    case Model::VelocityUser:
        return {nullptr, drive->GetVelocityUserUnits()};
    case Model::AccelUser:
        return {nullptr, drive->GetAccelUserUnits()};
    }
    return {};
}

void UseScale(ZRValAttribute& attribute, const ScaleUnits& models, int precision) {
    attribute.SetPrecision(precision);
    if (models.scale)
        attribute.SetScaleObject(models.scale);
    if (models.units)
        attribute.SetUnitsObject(models.units);
}

} // namespace fenwa
