#include "platform/core/FileSystem.h"

#include "platform/core/SystemError.h"
#include "platform/core/Text.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace platform::core {

namespace {

[[noreturn]] void Fail(const std::error_code& ec, const std::string& what) {
    throw SystemError(ec.value(), what + ": " + ec.message());
}

[[noreturn]] void FailErrno(int code, const std::string& what) {
    throw SystemError(code, what + ": " + ErrnoText(code));
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool Match(const char* p, const char* n) {
    // Iterative match with one backtrack point: linear enough for file names.
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*n) {
        if (*p == '*') {
            star = p++;
            resume = n;
        } else if (*p && (*p == '?' || Lower(*p) == Lower(*n))) {
            ++p;
            ++n;
        } else if (star) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (*p == '*')
        ++p;
    return *p == '\0';
}

bool IsAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// The system's path for a model name.
fs::path Sys(const std::string& name) {
    return fs::path(FileSystem::SystemName(name));
}

// A model name for one that came from the system; what 1252 cannot hold shows as '?'.
std::string Model(const std::string& systemName) {
    std::string name;
    return FileSystem::ModelName(systemName, name) ? name : Utf8ToCp1252(systemName);
}

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int Get() const { return m_fd; }
    int Release() {
        int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

} // namespace

std::string FileSystem::SystemName(std::string_view name) {
    return IsAscii(name) ? std::string(name) : Cp1252ToUtf8(name);
}

bool FileSystem::ModelName(std::string_view systemName, std::string& name) {
    if (IsAscii(systemName)) {
        name = std::string(systemName);
        return true;
    }
    return TryUtf8ToCp1252(systemName, name);
}

bool FileSystem::Exists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::exists(Sys(path), ec);
}

bool FileSystem::IsDirectory(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(Sys(path), ec);
}

bool FileSystem::FileSize(const std::string& path, uint64_t& size) {
    struct stat st {};
    if (path.empty() || ::stat(SystemName(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    size = static_cast<uint64_t>(st.st_size);
    return true;
}

bool FileSystem::IsReadOnly(const std::string& path) {
    const std::string sys = SystemName(path);
    struct stat st {};
    if (path.empty() || ::stat(sys.c_str(), &st) != 0)
        return false;
    if (S_ISDIR(st.st_mode) || (st.st_mode & 0222) == 0)
        return true;
    return ::access(sys.c_str(), W_OK) != 0;
}

void FileSystem::MakeDirectories(const std::string& path) {
    std::error_code ec;
    const fs::path sys = Sys(path);
    fs::create_directories(sys, ec);
    if (ec)
        Fail(ec, "Cannot create directory " + path);
    if (!fs::is_directory(sys, ec))
        FailErrno(ENOTDIR, "Cannot create directory " + path);
}

void FileSystem::Remove(const std::string& path) {
    std::error_code ec;
    if (!fs::remove(Sys(path), ec)) {
        if (!ec)
            ec = std::make_error_code(std::errc::no_such_file_or_directory);
        Fail(ec, "Cannot remove " + path);
    }
}

void FileSystem::RemoveTree(const std::string& path) {
    std::error_code ec;
    fs::remove_all(Sys(path), ec);
    if (ec)
        Fail(ec, "Cannot remove " + path);
}

bool FileSystem::TryMakeDirectories(const std::string& path) {
    try {
        MakeDirectories(path);
        return true;
    } catch (const SystemError&) {
        return false;
    }
}

bool FileSystem::TryRemove(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::remove(Sys(path), ec);
}

bool FileSystem::TryRemoveTree(const std::string& path) {
    std::error_code ec;
    fs::remove_all(Sys(path), ec);
    return !ec;
}

bool FileSystem::TryRename(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::rename(Sys(from), Sys(to), ec);
    return !ec;
}

void FileSystem::Copy(const std::string& from, const std::string& to, bool overwrite) {
    std::error_code ec;
    const std::string sysFrom = SystemName(from), sysTo = SystemName(to);
    if (fs::exists(sysTo, ec) && fs::equivalent(sysFrom, sysTo, ec))
        FailErrno(EINVAL, "Cannot copy " + from + " onto itself");
    Fd in(::open(sysFrom.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.Get() < 0)
        FailErrno(errno, "Cannot open " + from);
    struct stat st {};
    if (::fstat(in.Get(), &st) == 0 && S_ISDIR(st.st_mode))
        FailErrno(EISDIR, "Cannot copy " + from);
    int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (overwrite ? O_TRUNC : O_EXCL);
    Fd out(::open(sysTo.c_str(), flags, 0666));
    if (out.Get() < 0)
        FailErrno(errno, "Cannot create " + to);

    auto failAndClean = [&](int code, const std::string& what) {
        ::close(out.Release());
        ::unlink(sysTo.c_str());
        FailErrno(code, what);
    };
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        ssize_t n = ::read(in.Get(), buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            failAndClean(errno, "Cannot read " + from);
        }
        if (n == 0)
            break;
        for (ssize_t done = 0; done < n;) {
            ssize_t w = ::write(out.Get(), buffer.data() + done, static_cast<size_t>(n - done));
            if (w < 0) {
                if (errno == EINTR)
                    continue;
                failAndClean(errno, "Cannot write " + to);
            }
            done += w;
        }
    }
    if (::close(out.Release()) != 0)
        failAndClean(errno, "Cannot write " + to);
}

void FileSystem::Rename(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::rename(Sys(from), Sys(to), ec);
    if (ec)
        Fail(ec, "Cannot rename " + from + " to " + to);
}

std::vector<uint8_t> FileSystem::ReadAll(const std::string& path) {
    Fd fd(::open(SystemName(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0)
        FailErrno(errno, "Cannot open " + path);
    std::vector<uint8_t> bytes;
    uint8_t block[64 * 1024];
    for (;;) {
        ssize_t n = ::read(fd.Get(), block, sizeof block);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            FailErrno(errno, "Cannot read " + path);
        if (n == 0)
            return bytes;
        bytes.insert(bytes.end(), block, block + n);
    }
}

void FileSystem::WriteAll(const std::string& path, const std::vector<uint8_t>& bytes) {
    Fd fd(::open(SystemName(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (fd.Get() < 0)
        FailErrno(errno, "Cannot create " + path);
    for (size_t done = 0; done < bytes.size();) {
        ssize_t n = ::write(fd.Get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            FailErrno(errno, "Cannot write " + path);
        done += static_cast<size_t>(n);
    }
    if (::close(fd.Release()) != 0)
        FailErrno(errno, "Cannot write " + path);
}

std::vector<std::string> FileSystem::List(const std::string& dir, const std::string& pattern, ListKind kind) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(Sys(dir), ec), end;
    if (ec)
        return names;
    bool all = pattern == "*.*" || pattern == "*";
    for (; it != end; it.increment(ec)) {
        if (ec)
            break;
        std::error_code typeEc;
        bool isDir = it->is_directory(typeEc);
        if ((kind == ListKind::Files && isDir) || (kind == ListKind::Directories && !isDir))
            continue;
        std::string name;
        if (!ModelName(it->path().filename().native(), name))
            continue;
        if (all || MatchWildcard(pattern, name))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool FileSystem::MatchWildcard(const std::string& pattern, const std::string& name) {
    if (pattern == "*.*")
        return true;
    return Match(pattern.c_str(), name.c_str());
}

std::string FileSystem::FullPath(const std::string& path) {
    // Joined and normalised as bytes: '/' and '.' are the same in both forms of a name.
    fs::path p(path.empty() ? std::string(".") : path);
    if (p.is_relative())
        p = fs::path(CurrentDirectory()) / p;
    std::string s = p.lexically_normal().string();
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s;
}

std::string FileSystem::Directory(const std::string& path) {
    return fs::path(path).parent_path().string();
}

std::string FileSystem::FileName(const std::string& path) {
    return fs::path(path).filename().string();
}

std::string FileSystem::BaseName(const std::string& path) {
    return fs::path(path).stem().string();
}

std::string FileSystem::Extension(const std::string& path) {
    std::string ext = fs::path(path).extension().string();
    return ext.empty() ? ext : ext.substr(1);
}

std::string FileSystem::CurrentDirectory() {
    std::error_code ec;
    fs::path p = fs::current_path(ec);
    return ec ? std::string(".") : Model(p.native());
}

bool FileSystem::SetCurrentDirectory(const std::string& path) {
    return ::chdir(SystemName(path).c_str()) == 0;
}

} // namespace platform::core
