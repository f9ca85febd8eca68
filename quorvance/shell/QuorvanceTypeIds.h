#pragma once

#include <cstdint>

// Object type ids of the project tree that belong to no drive family. Each family's ids are in its
// own folder (quorvance/<family>/<Family>Ids.h).

// A plain folder of the workspace.
inline constexpr int32_t kFolderType = -200;
// The off-line root folder of a project.
inline constexpr int32_t kOffLineRootType = -181;
