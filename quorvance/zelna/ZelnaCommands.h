// The Zelna family's commands. The shell's menus carry them; a command runs once the family
// registers its handler, and stays disabled until then.
#pragma once

inline constexpr unsigned ID_INSERT_ZELNA = 33117;
inline constexpr unsigned ID_ZELNA_HOST_COMMANDS = 33119;
