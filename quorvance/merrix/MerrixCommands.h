// The Merrix family's commands. The shell's menus carry them; a command runs once the family
// registers its handler, and stays disabled until then.
#pragma once

inline constexpr unsigned ID_INSERT_MERRIX = 32773;
