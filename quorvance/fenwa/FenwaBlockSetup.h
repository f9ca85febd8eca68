#pragma once

#include <cstdint>
#include <string>

class ZRObject;

// What every Fenwa block shares when it defines itself.
namespace fenwa {

// The object version of every Fenwa object.
inline constexpr uint32_t kObjectVersion = 77;

// ZRObject::Init must have run: sets type id, version and name.
void InitBlock(ZRObject& block, int32_t type, const std::string& name);

} // namespace fenwa
