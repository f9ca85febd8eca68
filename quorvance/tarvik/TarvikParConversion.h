#pragma once

#include <string>

class ZROffLineDBNodeMgr;

namespace tarvik {

// Turns an older-family parameter file into a new drive of the open project, under the root, and
// shows the conversion log in a report window. A file that cannot be read or that the drive refuses
// adds nothing to the project.
void ConvertParFile(ZROffLineDBNodeMgr& root, const std::string& path);

} // namespace tarvik
