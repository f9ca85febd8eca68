#include "platform/ui/FileDialogFolder.h"

#include "platform/ui/Text.h"

#include <QDir>
#include <QStandardPaths>

#include <utility>

namespace platform::ui {

namespace {
FolderSource& Source() {
    static FolderSource source;
    return source;
}
} // namespace

FolderSource SetFileDialogFolderSource(FolderSource source) {
    return std::exchange(Source(), std::move(source));
}

std::string FileDialogFolder() {
    if (Source()) {
        std::string folder = Source()();
        if (!folder.empty() && QDir(ToQString(folder)).exists())
            return folder;
    }
    // The documents folder the desktop names (XDG), when the user has one.
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists())
        return FromQString(documents);
    return FromQString(QDir::homePath());
}

} // namespace platform::ui
