#pragma once

#include "kitbase/model/ZRBlockSetup.h"

#include <cstdint>
#include <string>

class FenwaDrive;
class ZRObject;

// What every Fenwa block shares when it defines itself.
namespace fenwa {

// The object version of every Fenwa object.
inline constexpr uint32_t kObjectVersion = 77;

// ZRObject::Init must have run: sets type id, version and name.
inline void InitBlock(ZRObject& object, int32_t type, const std::string& name) {
    block::Init(object, type, kObjectVersion, name);
}

using block::Bind;
using block::BindNumber;
using block::FindAttribute;
using block::PlainRange;
using block::ScaleUnits;
using block::StoredRange;
using block::UseScale;

// The Fenwa drive that holds the block (found up its parents, the block itself included); null when
// there is none.
FenwaDrive* DriveOf(ZRObject* block);

// Which of the drive's scale and units models.
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

} // namespace fenwa
