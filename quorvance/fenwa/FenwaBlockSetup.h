#pragma once

#include <cstdint>
#include <string>

class FenwaDrive;
class ZRAttribute;
class ZRObject;
class ZRScale;
class ZRUnits;
class ZRValAttribute;

// What every Fenwa block shares when it defines itself.
namespace fenwa {

// The object version of every Fenwa object.
inline constexpr uint32_t kObjectVersion = 77;

// ZRObject::Init must have run: sets type id, version and name.
void InitBlock(ZRObject& block, int32_t type, const std::string& name);

// Binds the attribute to its block under the id and name.
void Bind(ZRAttribute& attribute, ZRObject* owner, int32_t id, const std::string& name);

// A number: bound, its default set as a display value as the attribute stands (before any fixed
// factor or scale model it is the stored value).
void BindNumber(ZRValAttribute& attribute, ZRObject* owner, int32_t id, const std::string& name,
                double defaultValue);
// The same with an inclusive range tested on the stored value and reported in display units.
void BindNumber(ZRValAttribute& attribute, ZRObject* owner, int32_t id, const std::string& name,
                double defaultValue, double lo, double hi);

// The Fenwa drive that holds the block (found up its parents, the block itself included); null when
// there is none.
FenwaDrive* DriveOf(ZRObject* block);

// The object's first attribute with the id (attr::kNone never matches) or the name, looked up in its
// property, status and other attribute lists; null when it has none (or there is no object).
ZRAttribute* FindAttribute(ZRObject* object, int32_t id);
ZRAttribute* FindAttribute(ZRObject* object, const std::string& name);

// A scale model with its units model, both the drive's; either may be null (the attribute then
// shows plain stored values and its own unit text).
struct ScaleUnits {
    ZRScale* scale = nullptr;
    ZRUnits* units = nullptr;
};
enum class Model {
    Velocity,
    Position,
    Accel,
    Current, // a scale only
    AnalogVelocity,
    VelocityUser, // units only: of the drive's "Velocity Scale"
    AccelUser,    // units only: of the drive's "Acceleration Scale"
};
// The models of the drive that holds the block; none without a drive.
ScaleUnits ModelsOf(ZRObject* block, Model model);

// Binds the models; the precision counts where no scale model gives its own.
void UseScale(ZRValAttribute& attribute, const ScaleUnits& models, int precision = 0);

} // namespace fenwa
