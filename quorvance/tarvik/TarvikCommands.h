// The Tarvik family's commands. The shell's menus carry them; a command runs once the family
// registers its handler, and stays disabled until then.
#pragma once

inline constexpr unsigned ID_INSERT_TARVIK = 32772;
inline constexpr unsigned ID_TARVIK_HOST_COMMANDS = 32828;
