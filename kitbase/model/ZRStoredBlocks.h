#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

class ZRObject;

// Attaches the blocks a parent makes itself (they are not re-created from the project) to their
// stored instances: each of the parent's stored child links names a class, and blockOf gives the
// parent's block of that class (null: the link is skipped). At most maxLinks links are read. A link
// whose object row is broken is reported and removed, and the rest still attach. Nothing happens
// unless the parent's storage is a project database.
void AttachStoredBlocks(ZRObject& parent, const std::function<ZRObject*(int32_t cls)>& blockOf,
                        size_t maxLinks = SIZE_MAX);
