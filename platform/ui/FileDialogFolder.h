// Where a file dialog opens when its caller names no folder: the folder the program gives (the open
// project's), else the user's documents folder, else the home folder. Never the process's current
// directory, which the user never chose.
#pragma once

#include <functional>
#include <string>

namespace platform::ui {

// Answers the program's folder, or empty text when it has none.
using FolderSource = std::function<std::string()>;

// Installs the source and answers the previous one; null removes it.
FolderSource SetFileDialogFolderSource(FolderSource source);
std::string FileDialogFolder();

} // namespace platform::ui
