#pragma once

#include <cstdint>
#include <string>

class FenwaDrive;
class ZRAttribute;
class ZRChannelScale;
class ZRCompositeAttribute;
class ZRObject;
class ZRUnits;
class ZRValAttribute;

// How the encoder, faults, service-information and scope blocks set up their attributes and find
// what they share with their drive: its composite parameters, its other blocks and its scale and
// units objects. Everything found is looked up, so a block also works without its drive.
namespace fenwa::svc {

// Binds the attribute to its block under the id and name.
void Bind(ZRAttribute& attribute, ZRObject* owner, int32_t id, const std::string& name);
// An inclusive range on the stored value (shown in display units) or, plain, on the display value.
void StoredRange(ZRValAttribute& attribute, double lo, double hi);
void PlainRange(ZRValAttribute& attribute, double lo, double hi);

// The attribute of that id among the object's properties, statuses and other attributes, or null.
ZRAttribute* FindAttribute(ZRObject* object, int32_t id);
// The drive's block of that type id (a child of the block's parent), or null.
ZRObject* SiblingBlock(ZRObject* block, int32_t type);
// The drive's composite parameter of that id, or null.
ZRCompositeAttribute* DriveComposite(ZRObject* block, int32_t id);
// The Fenwa drive the block belongs to, or null.
FenwaDrive* DriveOf(ZRObject* block);

// The drive's scale and units objects of the motion signals; null while the drive has none.
ZRChannelScale* DriveVelocityScale(FenwaDrive* drive);
ZRUnits* DriveVelocityUnits(FenwaDrive* drive);
ZRChannelScale* DrivePositionScale(FenwaDrive* drive);
ZRUnits* DrivePositionUnits(FenwaDrive* drive);
ZRChannelScale* DriveCurrentScale(FenwaDrive* drive);

} // namespace fenwa::svc
