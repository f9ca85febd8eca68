// Ids of the on-line root: its node's menu and help topics, the families' probe filters and the
// settings sections it keeps.
#pragma once

#include <cstdint>

namespace online {

// The node of "On-Line Drives": its menu (sub-menu 0 holds "Self-Test" in test mode) and topic.
inline constexpr unsigned kRootMenu = 250;
inline constexpr unsigned long kHelpTopicRoot = 1031;
// The communications set-up dialog's help.
inline constexpr unsigned long kHelpTopicCommSetup = 1111;
// The communications recovery wizard's help, while it runs.
inline constexpr unsigned long kHelpTopicRecoverComm = 32887;

// Settings sections of the user key.
inline constexpr const char* kScanSection = "ScanInfo";
inline constexpr const char* kSerialSection = "Serial Port";

// The highest node a scan may probe: the protocols refuse 255.
inline constexpr int32_t kMaxNode = 254;
// Where a Tarvik drive answers for a moment after power-up, whatever its own settings.
inline constexpr int kRecoveryNode = 254;

} // namespace online
