// Kitbase's ids: the node managers' commands and the commands of the buttons and boxes of the
// property, scope and monitor forms (a form's button runs its control id as a command). The
// framework's ids are in platform/ui/CommandIds.h.
#pragma once

// Node managers.
inline constexpr unsigned ID_PROPERTIES = 32782;
inline constexpr unsigned ID_ENABLE_DRIVE = 42500;
inline constexpr unsigned ID_LOCATE = 42501;
inline constexpr unsigned ID_DISPLAY_ROWS = 42502;

// Property and scope forms.
inline constexpr unsigned IDC_REVERT = 19805;
inline constexpr unsigned IDC_SAVE_DATA = 19806;
inline constexpr unsigned IDC_SETUP_MONITOR = 19807;
inline constexpr unsigned IDC_SHOW_COMMANDS = 19808;
inline constexpr unsigned IDC_SHOW_STATUS = 19809;
inline constexpr unsigned IDC_SHOW_PROPERTIES = 19823;
// Scope services.
inline constexpr unsigned IDC_ARM_TRIGGER = 19826;
inline constexpr unsigned IDC_RUN_CONTINUOUS = 19827;
inline constexpr unsigned IDC_STOP_TRIGGERING = 19828;
inline constexpr unsigned IDC_SNAPSHOT = 19838;
// Monitor form.
inline constexpr unsigned IDC_MONITOR_SETUP = 19816;
inline constexpr unsigned IDC_RESET_PEAKS = 19818;
inline constexpr unsigned IDC_MONITOR_SAVE = 19819;
inline constexpr unsigned IDC_MONITOR_LOAD = 19820;
