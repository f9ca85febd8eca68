// The Fenwa family's commands. FenwaFamily.cpp registers their menu entries with the shell; a
// command stays disabled until the family registers what runs it.
#pragma once

#include "kitbase/ui/KitbaseIds.h"
#include "quorvance/tarvik/TarvikCommands.h"

inline constexpr unsigned ID_INSERT_FENWA = 32947;
inline constexpr unsigned ID_FENWA_HOST_COMMANDS = 33112;

// The menu whose pop-ups serve the drive node and its block nodes, by position.
inline constexpr unsigned IDR_FENWA_NODE_MENU = 303;
// "Save Parameters" of the block nodes' command rows; the rows run it on their node directly, so
// it never meets the monitor view's command of the same number.
inline constexpr unsigned ID_FENWA_SAVE_PARAMETERS = ID_DISPLAY_ROWS;
inline constexpr unsigned ID_INCREASE_VELOCITY_OFFSET = 307;
inline constexpr unsigned ID_DECREASE_VELOCITY_OFFSET = 308;
inline constexpr unsigned ID_INCREASE_CURRENT_OFFSET = 309;
inline constexpr unsigned ID_DECREASE_CURRENT_OFFSET = 310;
// The pop-ups of the Fenwa node menu, by position: each node kind fills its own.
enum FenwaNodeMenu : int {
    kFenwaDriveMenu = 0,
    kFenwaAnalogMenu = 1,
    kFenwaPresetMenu = 2,
    kFenwaFollowerMenu = 3,
    kFenwaMotorMenu = 4,
    kFenwaTuningMenu = 5,
    kFenwaEncodersMenu = 6,
    kFenwaDigInMenu = 7,
    kFenwaDigOutMenu = 8,
    kFenwaAnalogOutMenu = 9,
    kFenwaFaultsMenu = 10,
    kFenwaScopeMenu = 11,
    kFenwaServiceInfoMfgMenu = 12,
    kFenwaServiceInfoMenu = 13,
    kFenwaBrokenMenu = 14,
};
// The tuning node's commands.
inline constexpr unsigned ID_FENWA_START_AUTOTUNING = 42508;
inline constexpr unsigned ID_FENWA_COPY_MAIN_GAINS = 42509;
// The drive node and its velocity control panel. "Export", "Drive Report", "Copy to Offline and
// Save" and "Reset Drive" are the Tarvik drive node's ids; the panel's "Stop" carries a number
// declared for another command, named here for its Fenwa use.
inline constexpr unsigned ID_FENWA_JOG_FORWARD = 32812;
inline constexpr unsigned ID_FENWA_JOG_REVERSE = 32813;
inline constexpr unsigned ID_FENWA_FACTORY_RESET = 42503;
inline constexpr unsigned ID_FENWA_VELOCITY_PANEL = 42504;
inline constexpr unsigned ID_FENWA_STOP_JOG = ID_PANEL_DISABLE_DRIVE;
// The faults node and its fault-detail window.
inline constexpr unsigned ID_FENWA_FAULT_DETAIL = 311;
inline constexpr unsigned IDC_FENWA_REFRESH_DATA = 1106;
