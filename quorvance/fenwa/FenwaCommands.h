// The Fenwa family's commands. FenwaFamily.cpp registers their menu entries with the shell; a
// command stays disabled until the family registers what runs it.
#pragma once

inline constexpr unsigned ID_INSERT_FENWA = 32947;
inline constexpr unsigned ID_FENWA_HOST_COMMANDS = 33112;
