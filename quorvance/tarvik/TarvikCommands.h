// The Tarvik family's commands. TarvikFamily.cpp registers their menu entries with the shell; a
// command stays disabled until the family registers what runs it.
#pragma once

inline constexpr unsigned ID_INSERT_TARVIK = 32772;
inline constexpr unsigned ID_TARVIK_HOST_COMMANDS = 32828;

// The drive node's commands (menu 251, the drive's sub-menu, and the control panels' command rows).
inline constexpr unsigned ID_EXPORT = 32779;
inline constexpr unsigned ID_INDEXING_PANEL = 32825;
inline constexpr unsigned ID_CURRENT_PANEL = 32842;
inline constexpr unsigned ID_VELOCITY_PANEL = 32843;
inline constexpr unsigned ID_RESET_DRIVE = 32844;
inline constexpr unsigned ID_FACTORY_RESET = 32845;
inline constexpr unsigned ID_CLEAR_FAULTS = 32855;
inline constexpr unsigned ID_SET_TO_ZERO = 32857;
inline constexpr unsigned ID_PANEL_ENABLE_DRIVE = 32858;
inline constexpr unsigned ID_PANEL_DISABLE_DRIVE = 32859;
inline constexpr unsigned ID_DRIVE_REPORT = 32888;
inline constexpr unsigned ID_DEFINE_HOME = 32890;
inline constexpr unsigned ID_SERCOS_ACTIVATION = 32931;
inline constexpr unsigned ID_COPY_TO_OFFLINE = 32946;
// Posted to the main window by "Sercos Activation...", with the drive's node as parameter.
inline constexpr unsigned ID_ACTIVATE_SERCOS = 32932;
inline constexpr unsigned ID_DEACTIVATE_SERCOS = 32934;
// The indexing node's commands, which the indexing control panel shows as rows.
inline constexpr unsigned ID_STOP_HOMING = 32871;
inline constexpr unsigned ID_START_HOMING = 32879;
inline constexpr unsigned ID_START_INDEX = 32881;

// Sub-menus of the indexing and homing nodes in the node menu resource.
inline constexpr int kIndexingSubMenu = 7;
inline constexpr int kHomingSubMenu = 8;

// Sub-menus of the motion-block nodes in the node menu resource.
inline constexpr int kPresetSubMenu = 5;
inline constexpr int kFollowerSubMenu = 6;

// The analog input and analog output nodes' commands and their sub-menus in the node menu resource
// (251). "Define Home" is the drive node's id.
inline constexpr unsigned ID_REMOVE_VELOCITY_OFFSET = 32822;
inline constexpr unsigned ID_REMOVE_CURRENT_OFFSET = 32823;
inline constexpr unsigned ID_REMOVE_POSITION_OFFSET = 32824;
inline constexpr unsigned ID_OVERRIDE_OUTPUT = 32836;
inline constexpr unsigned ID_TOGGLE_OVERRIDE_MODE = 32863;
inline constexpr int kAnalogInSubMenu = 4;
inline constexpr int kAnalogOutSubMenu = 14;

// The oscilloscope node's sub-menu in the node menu resource; its commands are the scope
// window's capture buttons (IDC_ARM_TRIGGER, IDC_RUN_CONTINUOUS, IDC_STOP_TRIGGERING).
inline constexpr int kScopeSubMenu = 16;
