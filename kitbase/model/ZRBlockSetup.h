#pragma once

#include <cstdint>
#include <string>

class ZRAttribute;
class ZRObject;
class ZRScale;
class ZRUnits;
class ZRValAttribute;

// The steps every family's blocks take when they define their attributes in Init.
namespace block {

// ZRObject::Init must have run: sets type id, version and name.
void Init(ZRObject& block, int32_t type, uint32_t version, const std::string& name);

// Binds the attribute to its block under the id and name.
void Bind(ZRAttribute& attribute, ZRObject* owner, int32_t id, const std::string& name);

// A number: bound, its default set as a display value as the attribute stands (before any fixed
// factor or scale model it is the stored value).
void BindNumber(ZRValAttribute& attribute, ZRObject* owner, int32_t id, const std::string& name,
                double defaultValue);
// The same with an inclusive range tested on the stored value and reported in display units.
void BindNumber(ZRValAttribute& attribute, ZRObject* owner, int32_t id, const std::string& name,
                double defaultValue, double lo, double hi);

// An inclusive range on the stored value, reported in display units.
void StoredRange(ZRAttribute& attribute, double lo, double hi);
// An inclusive range on the value as shown.
void PlainRange(ZRAttribute& attribute, double lo, double hi);

// The object's first attribute with the id (ZRObject::kNoAttribute never matches) or the name, looked
// up in its property, status and other attribute lists; null when it has none (or there is no object).
ZRAttribute* FindAttribute(ZRObject* object, int32_t id);
ZRAttribute* FindAttribute(ZRObject* object, const std::string& name);

// A scale model with its units model, both the drive's; either may be null (the attribute then
// shows plain stored values and its own unit text).
struct ScaleUnits {
    ZRScale* scale = nullptr;
    ZRUnits* units = nullptr;
};
// Binds the models; the precision counts where no scale model gives its own.
void UseScale(ZRValAttribute& attribute, const ScaleUnits& models, int precision = 0);

} // namespace block
