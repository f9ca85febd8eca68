#include "platform/ui/FileDialogFolder.h"
#include "platform/core/Modal.h"
#include "platform/ui/CommonDialogs.h"
#include "support/ModalScript.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace platform::ui;
namespace fs = std::filesystem;

namespace {

// The folder a file dialog was asked to open in.
std::string DialogFolder(const std::string& fileName) {
    std::string folder;
    ModalScript script;
    script.Expect(platform::core::ModalKind::OpenFile, "", [&folder](platform::core::ModalRequest& r) {
        folder = r.directory;
        return platform::core::IDCANCEL;
    });
    FileDialog(true, "txt", fileName).DoModal();
    return folder;
}

TEST(FileDialogFolder, IsTheProgramsFolderElseDocumentsElseHomeNeverTheCurrentOne) {
    TempDir root;
    const fs::path home = root.Path() / "home", work = root.Path() / "work";
    fs::create_directories(home);
    fs::create_directories(work);
    ScopedEnv homeEnv("HOME", home.string());
    ScopedEnv configEnv("XDG_CONFIG_HOME", (root.Path() / "config").string());
    const fs::path old = fs::current_path();
    fs::current_path(work);

    EXPECT_EQ(DialogFolder(""), home.string());
    fs::create_directories(home / "Documents");
    EXPECT_EQ(DialogFolder("ScopeData.txt"), (home / "Documents").string());
    // The desktop may name another documents folder; one that does not exist is passed over.
    fs::create_directories(root.Path() / "config");
    std::ofstream(root.Path() / "config" / "user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n";
    EXPECT_EQ(DialogFolder(""), home.string());
    fs::create_directories(home / "Papers");
    EXPECT_EQ(DialogFolder(""), (home / "Papers").string());

    // The program's folder wins while it exists.
    std::string project = (root.Path() / "plants").string();
    FolderSource previous = SetFileDialogFolderSource([&project] { return project; });
    EXPECT_EQ(DialogFolder(""), (home / "Papers").string());
    fs::create_directories(project);
    EXPECT_EQ(DialogFolder("x.txt"), project);
    project.clear();
    EXPECT_EQ(DialogFolder(""), (home / "Papers").string());
    SetFileDialogFolderSource(previous);
    fs::current_path(old);
}

} // namespace
