// Where the program finds its data files and where it may write.
#pragma once

#include <string>

namespace platform::core {

// The install directory: $QUORVANCE_INSTALL_DIR when set, else share/quorvance beside the
// executable's bin/ (the build tree has a ready copy). It may be read-only.
std::string InstallDir();

// Where files go that were once written under the install directory:
// $XDG_DATA_HOME/Kelbrant Vuzovaruza/Quorvance (made on demand).
std::string UserDataDir();

// Where the user settings live: $QUORVANCE_CONFIG_DIR when set (tests), else
// $XDG_CONFIG_HOME/Kelbrant Vuzovaruza (default ~/.config/...).
std::string UserConfigDir();

// Joins two path parts with one "/".
std::string JoinPath(const std::string& a, const std::string& b);

} // namespace platform::core
