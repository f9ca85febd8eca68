// The Tarvik family's commands. TarvikFamily.cpp registers their menu entries with the shell; a
// command stays disabled until the family registers what runs it.
#pragma once

inline constexpr unsigned ID_INSERT_TARVIK = 32772;
inline constexpr unsigned ID_TARVIK_HOST_COMMANDS = 32828;

// Sub-menus of the motion-block nodes in the node menu resource.
inline constexpr int kPresetSubMenu = 5;
inline constexpr int kFollowerSubMenu = 6;
