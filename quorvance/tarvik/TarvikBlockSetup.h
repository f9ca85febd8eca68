#pragma once

#include "kitbase/model/ZRBlockSetup.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

class ZRAttribute;
class ZRBoolAttribute;
class ZRCommand;
class ZRIndexSelection;
class ZRObject;
class ZRScale;
class ZRUnits;
class ZRValAttribute;

// What every Tarvik block shares when it defines itself: the attribute id layout, its version, and
// the few steps each attribute kind goes through in Init.
namespace tarvik {

// Firmware 1.51 build 1: the object version of every block.
inline constexpr uint32_t kBlockVersion = 0x13301;
// Index field of a parameter that is not an array.
inline constexpr int32_t kNoIndex = 0xFFFF;

constexpr int32_t AttributeId(int32_t parameter, int32_t index = kNoIndex) {
    return static_cast<int32_t>((static_cast<uint32_t>(parameter) << 16) | static_cast<uint32_t>(index));
}
constexpr int32_t ParameterOf(int32_t id) {
    return static_cast<int32_t>(static_cast<uint32_t>(id) >> 16);
}

// ZRObject::Init must have run: sets type id, version and name.
inline void InitBlock(ZRObject& object, int32_t type, const std::string& name) {
    block::Init(object, type, kBlockVersion, name);
}

using block::Bind;
using block::BindNumber;
using block::ScaleUnits;
using block::UseScale;

// The Tarvik drive that holds the block (found up its parents); null when there is none.
ZRObject* DriveOf(ZRObject* block);
// The drive's own attribute of that parameter number (property, status or other), or null.
ZRAttribute* DriveAttribute(ZRObject* block, int32_t parameter);

// Which of the drive's scale and units models.
enum class Model {
    Velocity,
    Position,
    Accel,
    Current,
    FBVelocity,
    FBPosition,
    FBAccel,
    AuxPosition,
    AuxAccel,
    AnalogVelocity,
    AnalogPosition,
    AnalogCurrent, // a scale only
    AnalogOut,
    CurrentLimit, // a scale only
    Gear,         // a scale only
    InverseGear,  // a scale only
};
// The models of the drive that holds the block (found up its parents); none without a drive.
ScaleUnits ModelsOf(ZRObject* block, Model model);

// A yes/no value with its two texts.
void BindBool(ZRBoolAttribute& attribute, ZRObject* owner, int32_t id, const std::string& name,
              const std::string& falseText, const std::string& trueText, bool defaultValue = false);
// A read-only flag (a bit of a status word).
void BindFlag(ZRBoolAttribute& attribute, ZRObject* owner, int32_t id, const std::string& name);

// A choice among unsigned values of the given stored size; the first option is selected.
void BindChoice(ZRIndexSelection& attribute, ZRObject* owner, int32_t id, const std::string& name,
                int dataSize, std::initializer_list<std::pair<uint32_t, const char*>> options);
// Selects the option with the text; false (nothing changed) when no option has it.
bool SelectText(ZRIndexSelection& attribute, const std::string& text);
// Selects the option with the stored value; false (nothing changed) when no option has it.
bool SelectValue(ZRIndexSelection& attribute, uint32_t value);

// Appends to the block's property or status list, in the order given.
void AddProperties(ZRObject& block, std::initializer_list<ZRAttribute*> attributes);
void AddStatuses(ZRObject& block, std::initializer_list<ZRAttribute*> attributes);

// A drive service without data, bound to the block.
void BindCommand(ZRCommand& command, ZRObject* owner, int32_t parameter);

} // namespace tarvik
