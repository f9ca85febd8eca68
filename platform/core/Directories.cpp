#include "platform/core/Directories.h"

#include "platform/core/FileSystem.h"
#include "platform/core/Version.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace platform::core {

namespace {
// The environment holds system names; one the model cannot hold counts as unset.
std::string Env(const char* name) {
    const char* v = std::getenv(name);
    std::string model;
    return v && *v && FileSystem::ModelName(v, model) ? model : std::string();
}

std::string XdgDir(const char* var, const char* fallback) {
    std::string dir = Env(var);
    if (dir.empty()) {
        std::string home = Env("HOME");
        dir = (home.empty() ? std::string("/tmp") : home) + "/" + fallback;
    }
    return dir;
}
} // namespace

std::string JoinPath(const std::string& a, const std::string& b) {
    if (a.empty())
        return b;
    if (b.empty())
        return a;
    bool slashA = a.back() == '/';
    bool slashB = b.front() == '/';
    if (slashA && slashB)
        return a + b.substr(1);
    if (slashA || slashB)
        return a + b;
    return a + "/" + b;
}

std::string InstallDir() {
    std::string dir = Env("QUORVANCE_INSTALL_DIR");
    if (!dir.empty())
        return dir;
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    std::string model;
    if (ec || !FileSystem::ModelName((exe.parent_path().parent_path() / "share" / "quorvance").string(), model))
        return FileSystem::CurrentDirectory();
    return model;
}

std::string UserDataDir() {
    std::string dir = JoinPath(JoinPath(XdgDir("XDG_DATA_HOME", ".local/share"), kMakerName), kProductName);
    FileSystem::TryMakeDirectories(dir);
    return dir;
}

std::string UserConfigDir() {
    std::string dir = Env("QUORVANCE_CONFIG_DIR");
    if (dir.empty())
        dir = JoinPath(XdgDir("XDG_CONFIG_HOME", ".config"), kMakerName);
    return dir;
}

} // namespace platform::core
