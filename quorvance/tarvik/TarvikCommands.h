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
// The drive node's sub-menus in the node menu resource (251): a plain drive's and one that can
// become a SERCOS drive.
inline constexpr int kDriveSubMenu = 2;
inline constexpr int kSercosCapableDriveSubMenu = 22;
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

// The motor node's commands (menu 251 position 9; under a SERCOS drive menu 301 position 2). Its
// three diagnostics are the encoders node's (below), which the motor node hands them to.
inline constexpr unsigned ID_REFRESH_MOTOR_DATA = 32929;
inline constexpr int kMotorSubMenu = 9;
// The node menu resource of a SERCOS drive and its children, and the drive's and the motor's places
// in it: positions of another resource than the sub-menus above, hence a kind of their own.
inline constexpr unsigned IDR_SERCOS_NODE_MENU = 301;
enum SercosNodeMenu : int { kSercosDriveSubMenu = 1, kSercosMotorSubMenu = 2 };
// The encoders node's smart-encoder programming: the command that opens the window, and the window's
// "Start" button (a row that sends its id to the encoders node).
inline constexpr unsigned ID_PROGRAM_ENCODER = 32941;
inline constexpr unsigned ID_START_ENCODER_PROGRAMMING = 32796;

// The encoders node's diagnostics (each opens the drive's control-panel window in its host control
// mode), the test buttons of those windows, and the node's sub-menu in the node menu resource.
inline constexpr unsigned ID_COMMUTATION_DIAGNOSTICS = 33093;
inline constexpr unsigned ID_MOTOR_FEEDBACK_DIAGNOSTICS = 33094;
inline constexpr unsigned ID_MOTOR_MARKER_DIAGNOSTICS = 33095;
inline constexpr unsigned ID_AUX_FEEDBACK_DIAGNOSTICS = 33096;
inline constexpr unsigned ID_AUX_MARKER_DIAGNOSTICS = 33097;
inline constexpr unsigned ID_START_ENCODER_TEST = 33098;
inline constexpr unsigned ID_STOP_ENCODER_TEST = 33099;
inline constexpr unsigned ID_START_COMMUTATION_TEST = 33100;
inline constexpr int kEncodersSubMenu = 11;
// The tuning node's commands: the three tuning windows (menu and command rows), and the windows'
// own rows. "Clear Faults" is the drive node's id.
inline constexpr unsigned ID_AUTOTUNE_WINDOW = 32826;
inline constexpr unsigned ID_MANUAL_VELOCITY_TUNE = 32827;
inline constexpr unsigned ID_MANUAL_POSITION_TUNE = 32829;
inline constexpr unsigned ID_START_TUNING = 32846;
inline constexpr unsigned ID_STOP_TUNING = 32847;
inline constexpr unsigned ID_TUNING_NOT_IMPLEMENTED = 32882;
inline constexpr unsigned ID_START_AUTOTUNE = 32892;
inline constexpr int kTuningSubMenu = 10;
// The faults and service information nodes' commands and their sub-menus in the node menu resource
// (251). "Clear Faults", "Reset Drive" and "Reset EEPROM to Factory Settings" are the drive node's ids.
inline constexpr unsigned ID_FAULT_HISTORY = 32837;
inline constexpr unsigned ID_CALCULATE_COMMAND_OFFSET = 32838;
inline constexpr unsigned ID_RESET_TO_FACTORY_SETTINGS = 32839;
inline constexpr unsigned ID_RESET_SERVICE_CLOCK = 32840;
inline constexpr unsigned ID_RESET_FAULT_HISTORY = 32841;
inline constexpr unsigned ID_RESET_SERVICE_EEPROM = 32889;
inline constexpr int kFaultsSubMenu = 15;
// Manufacturing mode has the service commands; otherwise the node only has its properties.
inline constexpr int kServiceInfoMfgSubMenu = 17;
inline constexpr int kServiceInfoSubMenu = 18;
// The digital-output node's override window and its command rows; the SERCOS drive node's
// "Deactivate Sercos...". Sub-menus of the digital I/O and DeviceNet nodes in the node menu resource.
inline constexpr unsigned ID_TOGGLE_OUTPUT_1 = 32864;
inline constexpr unsigned ID_TURN_ALL_ON = 32865;
inline constexpr unsigned ID_TOGGLE_OUTPUT_2 = 32866;
inline constexpr unsigned ID_TURN_ALL_OFF = 32867;
inline constexpr unsigned ID_TOGGLE_OUTPUT_3 = 32868;
inline constexpr unsigned ID_TOGGLE_OUTPUT_4 = 32870;
inline constexpr unsigned ID_TOGGLE_RELAY = 32872;
inline constexpr unsigned ID_OVERRIDE_OUTPUTS = 32886;
inline constexpr unsigned ID_DEACTIVATE_SERCOS_NODE = 32933;
inline constexpr int kDigInSubMenu = 12;
inline constexpr int kDigOutSubMenu = 13;
inline constexpr int kDeviceNetSubMenu = 21;
// The placeholder node's sub-menus: "Upgrade Firmware..." alone, or with "Deactivate Sercos...".
inline constexpr int kBrokenSubMenu = 20;
inline constexpr int kSercosBrokenSubMenu = 23;
// The oscilloscope node's sub-menu in the node menu resource; its commands are the scope
// window's capture buttons (IDC_ARM_TRIGGER, IDC_RUN_CONTINUOUS, IDC_STOP_TRIGGERING).
inline constexpr int kScopeSubMenu = 16;
