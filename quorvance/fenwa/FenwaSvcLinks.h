#pragma once

#include <cstdint>

class FenwaDrive;
class ZRChannelScale;
class ZRCompositeAttribute;
class ZRObject;
class ZRUnits;

// How the encoder, faults, service-information and scope blocks find what they share with their
// drive: its composite parameters, its other blocks and its scale and units objects. Everything found
// is looked up, so a block also works without its drive.
namespace fenwa::svc {

// The drive's block of that type id (a child of the block's parent), or null.
ZRObject* SiblingBlock(ZRObject* block, int32_t type);
// The drive's composite parameter of that id, or null.
ZRCompositeAttribute* DriveComposite(ZRObject* block, int32_t id);
// The drive's scale and units objects of the motion signals; null without a drive.
ZRChannelScale* DriveVelocityScale(FenwaDrive* drive);
ZRUnits* DriveVelocityUnits(FenwaDrive* drive);
ZRChannelScale* DrivePositionScale(FenwaDrive* drive);
ZRUnits* DrivePositionUnits(FenwaDrive* drive);
ZRChannelScale* DriveCurrentScale(FenwaDrive* drive);

} // namespace fenwa::svc
