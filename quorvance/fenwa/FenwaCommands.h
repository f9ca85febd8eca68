// The Fenwa family's commands. FenwaFamily.cpp registers their menu entries with the shell; a
// command stays disabled until the family registers what runs it.
#pragma once

inline constexpr unsigned ID_INSERT_FENWA = 32947;
inline constexpr unsigned ID_FENWA_HOST_COMMANDS = 33112;

// The motor node: its sub-menu of the Fenwa node menu. "Refresh Data" is ID_REFRESH_MOTOR_DATA
// (TarvikCommands.h) and "Save Parameters" has the number of ID_DISPLAY_ROWS (KitbaseIds.h), which
// only the monitor view answers.
inline constexpr unsigned IDR_FENWA_NODE_MENU = 302;
inline constexpr int kFenwaMotorSubMenu = 4;
