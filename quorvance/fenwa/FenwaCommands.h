// The Fenwa family's commands. FenwaFamily.cpp registers their menu entries with the shell; a
// command stays disabled until the family registers what runs it.
#pragma once

#include "kitbase/ui/KitbaseIds.h"

inline constexpr unsigned ID_INSERT_FENWA = 32947;
inline constexpr unsigned ID_FENWA_HOST_COMMANDS = 33112;

// The Fenwa node menu: one resource whose popups, by position, are the menus of the family's nodes.
inline constexpr unsigned IDR_FENWA_NODE_MENU = 352;
namespace fenwa {
enum NodeMenuPopup : int {
    kDrivePopup = 0,
    kAnalogPopup = 1,
    kPresetPopup = 2,
    kFollowerPopup = 3,
    kMotorPopup = 4,
    kTuningPopup = 5,
    kEncodersPopup = 6,
    kDigitalInputsPopup = 7,
    kDigitalOutputsPopup = 8,
    kAnalogOutputsPopup = 9,
    kFaultsPopup = 10,
    kOscilloscopePopup = 11,
    kServiceInfoCommandsPopup = 12,
    kServiceInfoPopup = 13,
    kBrokenPopup = 14,
};
} // namespace fenwa

// "Save Parameters" of the block nodes' command rows; the rows run it on their node directly, so
// it never meets the monitor view's command of the same number.
inline constexpr unsigned ID_FENWA_SAVE_PARAMETERS = ID_DISPLAY_ROWS;
// The tuning node's commands.
inline constexpr unsigned ID_FENWA_START_AUTOTUNING = 42508;
inline constexpr unsigned ID_FENWA_COPY_MAIN_GAINS = 42509;
