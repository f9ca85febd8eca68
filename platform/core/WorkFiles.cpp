#include "platform/core/WorkFiles.h"

#include "platform/core/Directories.h"
#include "platform/core/FileSystem.h"
#include "platform/core/SystemError.h"

#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace platform::core {

namespace {

const char kLockSuffix[] = ".lock";
const char kSaveRecord[] = "save%d";

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool StartsWith(const std::string& s, const std::string& head) {
    return s.compare(0, head.size(), head) == 0;
}

// Work files are model names like any other; the system sees their UTF-8 form.
std::string Sys(const std::string& name) {
    return FileSystem::SystemName(name);
}

std::string Numbered(const char* pattern, int n) {
    std::string name = pattern;
    size_t at = name.find("%d");
    return at == std::string::npos ? name : name.replace(at, 2, std::to_string(n));
}

// The files the engine keeps beside a database.
void RemoveWithCompanions(const std::string& path) {
    std::error_code ec;
    fs::remove_all(Sys(path), ec);
    for (const char* companion : {"-journal", "-wal", "-shm"})
        fs::remove(Sys(path + companion), ec);
}

// Only a name as a save makes it ("<target>.XXXXXX") is removed on a record's word.
bool IsSaveTemporary(const std::string& path) {
    std::string name = fs::path(path).filename().string();
    if (name.size() < 8 || name[name.size() - 7] != '.')
        return false;
    for (size_t i = name.size() - 6; i < name.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

// What a crashed holder of the name left behind, removed while its lock is held.
void RemoveLeftovers(const std::string& path, const WorkFileLock& lock) {
    std::string noted = lock.ReadNote();
    if (!noted.empty() && IsSaveTemporary(noted))
        RemoveWithCompanions(noted);
    RemoveWithCompanions(path);
}

bool NumberedName(const std::string& name, const std::string& head) {
    if (name.size() <= head.size() || !StartsWith(name, head))
        return false;
    for (size_t i = head.size(); i < name.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

// The work file an entry of the data directory belongs to, or empty for anything else there.
std::string OwnerOf(std::string entry) {
    if (EndsWith(entry, kLockSuffix))
        entry.resize(entry.size() - (sizeof kLockSuffix - 1));
    if (StartsWith(entry, "qvrecvr")) {
        for (const char* companion : {"-journal", "-wal", "-shm"})
            if (EndsWith(entry, companion))
                entry.resize(entry.size() - std::char_traits<char>::length(companion));
        return EndsWith(entry, ".qdb") && NumberedName(entry.substr(0, entry.size() - 4), "qvrecvr")
                   ? entry
                   : std::string();
    }
    return NumberedName(entry, "Temp") || NumberedName(entry, "save") ? entry : std::string();
}

} // namespace

bool WorkFileLock::TryLock(const std::string& lockPath) {
    Unlock();
    for (;;) {
        int fd = ::open(Sys(lockPath).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0)
            SystemError::ThrowErrno("Cannot create " + lockPath);
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            int error = errno;
            ::close(fd);
            if (error == EWOULDBLOCK)
                return false;
            errno = error;
            SystemError::ThrowErrno("Cannot lock " + lockPath);
        }
        // The last holder may have removed the file between our open and our lock: then we hold
        // a file nobody else can find, and must lock the one that is there now.
        struct stat held {
        }, named{};
        if (::fstat(fd, &held) == 0 && ::stat(Sys(lockPath).c_str(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino) {
            m_fd = fd;
            m_path = lockPath;
            return true;
        }
        ::close(fd);
    }
}

void WorkFileLock::Unlock(bool removeFile) {
    if (m_fd < 0)
        return;
    if (removeFile)
        ::unlink(Sys(m_path).c_str());
    ::close(m_fd);
    m_fd = -1;
    m_path.clear();
}

void WorkFileLock::WriteNote(const std::string& text) {
    if (m_fd < 0)
        return;
    if (::ftruncate(m_fd, 0) != 0 ||
        ::pwrite(m_fd, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size()))
        SystemError::ThrowErrno("Cannot write " + m_path);
}

std::string WorkFileLock::ReadNote() const {
    std::string text;
    if (m_fd < 0)
        return text;
    char buffer[4096];
    ssize_t n = ::pread(m_fd, buffer, sizeof buffer, 0);
    if (n > 0)
        text.assign(buffer, static_cast<size_t>(n));
    return text;
}

std::string ClaimWorkFile(const char* pattern, WorkFileLock& lock, int limit) {
    const std::string dir = FileSystem::FullPath(UserDataDir());
    for (int n = 0; n < limit; ++n) {
        std::string path = JoinPath(dir, Numbered(pattern, n));
        if (lock.TryLock(path + kLockSuffix)) {
            RemoveLeftovers(path, lock);
            return path;
        }
    }
    return {};
}

PendingTemporary::PendingTemporary(const std::string& path) {
    // Without a record only the clean-up after a crash is lost: the save itself goes on.
    try {
        if (!ClaimWorkFile(kSaveRecord, m_lock).empty())
            m_lock.WriteNote(path);
    } catch (const SystemError&) {
        m_lock.Unlock(true);
    }
}

PendingTemporary::~PendingTemporary() {
    m_lock.Unlock(true);
}

void RemoveStaleWorkFiles() {
    const std::string dir = UserDataDir();
    std::set<std::string> owners;
    std::error_code ec;
    for (fs::directory_iterator it(Sys(dir), ec), end; !ec && it != end; it.increment(ec)) {
        std::string name;
        if (!FileSystem::ModelName(it->path().filename().string(), name))
            continue;
        std::string owner = OwnerOf(name);
        if (!owner.empty())
            owners.insert(owner);
    }
    for (const std::string& owner : owners) {
        std::string path = JoinPath(dir, owner);
        WorkFileLock lock;
        try {
            if (!lock.TryLock(path + kLockSuffix))
                continue;
            RemoveLeftovers(path, lock);
        } catch (const SystemError&) {
            // Left for the next start.
        }
        lock.Unlock(true);
    }
}

} // namespace platform::core
