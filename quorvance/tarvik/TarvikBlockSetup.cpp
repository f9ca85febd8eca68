#include "quorvance/tarvik/TarvikBlockSetup.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongOptions.h"
#include "kitbase/model/ZRValAttribute.h"
#include "kitbase/model/ZRValRangeValidation.h"
#include "quorvance/tarvik/TarvikAccelScale.h"
#include "quorvance/tarvik/TarvikAccelUnits.h"
#include "quorvance/tarvik/TarvikAnalogCurrentScale.h"
#include "quorvance/tarvik/TarvikAnalogOutScale.h"
#include "quorvance/tarvik/TarvikAnalogOutUnits.h"
#include "quorvance/tarvik/TarvikAnalogPositionScale.h"
#include "quorvance/tarvik/TarvikAnalogPositionUnits.h"
#include "quorvance/tarvik/TarvikAnalogVelocityScale.h"
#include "quorvance/tarvik/TarvikAnalogVelocityUnits.h"
#include "quorvance/tarvik/TarvikAuxAccelScale.h"
#include "quorvance/tarvik/TarvikAuxAccelUnits.h"
#include "quorvance/tarvik/TarvikAuxPositionScale.h"
#include "quorvance/tarvik/TarvikAuxPositionUnits.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRCurrentScale.h"
#include "quorvance/tarvik/ZRCurrentUnits.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRFBAccelScale.h"
#include "quorvance/tarvik/ZRFBAccelUnits.h"
#include "quorvance/tarvik/ZRFBPositionScale.h"
#include "quorvance/tarvik/ZRFBPositionUnits.h"
#include "quorvance/tarvik/ZRFBVelocityScale.h"
#include "quorvance/tarvik/ZRFBVelocityUnits.h"
#include "quorvance/tarvik/ZRGearScale.h"
#include "quorvance/tarvik/ZRInverseGearScale.h"
#include "quorvance/tarvik/ZRPositionScale.h"
#include "quorvance/tarvik/ZRPositionUnits.h"
#include "quorvance/tarvik/ZRVelocityScale.h"
#include "quorvance/tarvik/ZRVelocityUnits.h"

namespace tarvik {

ZRObject* DriveOf(ZRObject* block) {
    for (ZRObject* o = block ? block->GetParent() : nullptr; o; o = o->GetParent())
        if (o->GetClass() == kIndexingDriveType || o->GetClass() == kStandardDriveType)
            return o;
    return nullptr;
}

ZRAttribute* DriveAttribute(ZRObject* block, int32_t parameter) {
    ZRObject* drive = DriveOf(block);
    if (!drive)
        return nullptr;
    for (const ZRObject::AttributeList* list :
         {&drive->GetProperties(), &drive->GetStatus(), &drive->GetMiscAttributes()})
        for (ZRAttribute* a : *list)
            if (a->GetAttribute() != ZRObject::kNoAttribute && ParameterOf(a->GetAttribute()) == parameter)
                return a;
    return nullptr;
}

ScaleUnits ModelsOf(ZRObject* block, Model model) {
    ZRDrive* drive = block ? TarvikDriveOf(block->GetParent()) : nullptr;
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
        return {drive->GetCurrentScale(), drive->GetCurrentUnits()};
    case Model::FBVelocity:
        return {drive->GetFBVelocityScale(), drive->GetFBVelocityUnits()};
    case Model::FBPosition:
        return {drive->GetFBPositionScale(), drive->GetFBPositionUnits()};
    case Model::FBAccel:
        return {drive->GetFBAccelScale(), drive->GetFBAccelUnits()};
    case Model::AuxAccel:
        return {drive->GetAuxAccelScale(), drive->GetAuxAccelUnits()};
    case Model::AnalogVelocity:
        return {drive->GetAnalogVelocityScale(), drive->GetAnalogVelocityUnits()};
    case Model::AnalogPosition:
        return {drive->GetAnalogPositionScale(), drive->GetAnalogPositionUnits()};
    case Model::AnalogCurrent:
        return {drive->GetAnalogCurrentScale(), nullptr};
    case Model::AuxPosition:
        return {drive->GetAuxPositionScale(), drive->GetAuxPositionUnits()};
    case Model::AnalogOut:
        return {drive->GetAnalogOutScale(), drive->GetAnalogOutUnits()};
    case Model::CurrentLimit:
        return {drive->GetCurrentLimitScale(), nullptr};
    case Model::Gear:
        return {drive->GetGearScale(), nullptr};
    case Model::InverseGear:
        return {drive->GetInverseGearScale(), nullptr};
    }
    return {};
}

void BindBool(ZRBoolAttribute& attribute, ZRObject* owner, int32_t id, const std::string& name,
              const std::string& falseText, const std::string& trueText, bool defaultValue) {
    Bind(attribute, owner, id, name);
    attribute.SetStrings(falseText, trueText);
    attribute.SetValue(defaultValue);
}

void BindFlag(ZRBoolAttribute& attribute, ZRObject* owner, int32_t id, const std::string& name) {
    Bind(attribute, owner, id, name);
    attribute.SetWritable(false);
}

void BindChoice(ZRIndexSelection& attribute, ZRObject* owner, int32_t id, const std::string& name,
                int dataSize, std::initializer_list<std::pair<uint32_t, const char*>> options) {
    Bind(attribute, owner, id, name);
    auto list = std::make_unique<ZRUlongOptions>(owner, dataSize);
    for (const auto& [value, text] : options)
        list->Add(value, text);
    attribute.SetOptions(std::move(list));
}

bool SelectText(ZRIndexSelection& attribute, const std::string& text) {
    int index = -1;
    if (!attribute.GetOptions() || !attribute.GetOptions()->GetIndex(text, index))
        return false;
    return attribute.SetValue(index);
}

bool SelectValue(ZRIndexSelection& attribute, uint32_t value) {
    auto* options = dynamic_cast<ZRUlongOptions*>(attribute.GetOptions());
    int index = -1;
    if (!options || !options->GetIndex(value, index))
        return false;
    return attribute.SetValue(index);
}

void AddProperties(ZRObject& block, std::initializer_list<ZRAttribute*> attributes) {
    for (ZRAttribute* a : attributes)
        block.AddProperty(a);
}

void AddStatuses(ZRObject& block, std::initializer_list<ZRAttribute*> attributes) {
    for (ZRAttribute* a : attributes)
        block.AddStatus(a);
}

void BindCommand(ZRCommand& command, ZRObject* owner, int32_t parameter) {
    command.SetObject(owner);
    command.Define(AttributeId(parameter));
}

} // namespace tarvik
