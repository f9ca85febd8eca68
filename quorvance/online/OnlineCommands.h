// The on-line commands: the serial link, the node scan and the drives found on it. The shell's
// menus carry them; the application runs them on its on-line root.
#pragma once

inline constexpr unsigned ID_RESCAN = 32793;
inline constexpr unsigned ID_SERIAL_PORT = 32794;
inline constexpr unsigned ID_UPGRADE_FIRMWARE = 32848;
inline constexpr unsigned ID_DISABLE_ALL = 32850;
inline constexpr unsigned ID_ONLINE_SELF_TEST = 32852;
inline constexpr unsigned ID_RECOVER_COMMUNICATIONS = 32887;
inline constexpr unsigned ID_RESCAN_OPTIONS = 33114;
