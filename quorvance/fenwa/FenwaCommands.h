// The Fenwa family's commands. FenwaFamily.cpp registers their menu entries with the shell; a
// command stays disabled until the family registers what runs it.
#pragma once

inline constexpr unsigned ID_INSERT_FENWA = 32947;
inline constexpr unsigned ID_FENWA_HOST_COMMANDS = 33112;

// The Fenwa node menu, whose sub-menus serve the drive and its blocks by position. The motor
// node's "Refresh Data" is ID_REFRESH_MOTOR_DATA (TarvikCommands.h) and its "Save Parameters" has
// the number of ID_DISPLAY_ROWS (KitbaseIds.h), which only the monitor view answers.
inline constexpr unsigned IDR_FENWA_NODE_MENU = 302;
