// The Fenwa family's commands. FenwaFamily.cpp registers their menu entries with the shell; a
// command stays disabled until the family registers what runs it.
#pragma once

#include "kitbase/ui/KitbaseIds.h"
#include "quorvance/tarvik/TarvikCommands.h"

inline constexpr unsigned ID_INSERT_FENWA = 32947;
inline constexpr unsigned ID_FENWA_HOST_COMMANDS = 33112;

// The drive node, its velocity control panel and the placeholder node. "Export", "Drive
// Report", "Copy to Offline and Save" and "Reset Drive" are the Tarvik drive node's ids; the
// panel's "Stop" and "Save Parameters" carry numbers declared for other commands, named here for
// their Fenwa use.
inline constexpr unsigned IDR_FENWA_NODE_MENU = 303;
inline constexpr unsigned ID_FENWA_JOG_FORWARD = 32812;
inline constexpr unsigned ID_FENWA_JOG_REVERSE = 32813;
inline constexpr unsigned ID_FENWA_FACTORY_RESET = 42503;
inline constexpr unsigned ID_FENWA_VELOCITY_PANEL = 42504;
inline constexpr unsigned ID_FENWA_STOP_JOG = ID_PANEL_DISABLE_DRIVE;
inline constexpr unsigned ID_FENWA_SAVE_PARAMETERS = ID_DISPLAY_ROWS;
