#include "platform/core/FileSystem.h"

#include "platform/core/SystemError.h"

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

bool FileSystem::Exists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::exists(path, ec);
}

bool FileSystem::IsDirectory(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

void FileSystem::MakeDirectories(const std::string& path) {
    std::error_code ec;
    fs::create_directories(path, ec);
    if (ec)
        Fail(ec, "Cannot create directory " + path);
    if (!fs::is_directory(path, ec))
        FailErrno(ENOTDIR, "Cannot create directory " + path);
}

void FileSystem::Remove(const std::string& path) {
    std::error_code ec;
    if (!fs::remove(path, ec)) {
        if (!ec)
            ec = std::make_error_code(std::errc::no_such_file_or_directory);
        Fail(ec, "Cannot remove " + path);
    }
}

void FileSystem::RemoveTree(const std::string& path) {
    std::error_code ec;
    fs::remove_all(path, ec);
    if (ec)
        Fail(ec, "Cannot remove " + path);
}

void FileSystem::Copy(const std::string& from, const std::string& to, bool overwrite) {
    std::error_code ec;
    if (fs::exists(to, ec) && fs::equivalent(from, to, ec))
        FailErrno(EINVAL, "Cannot copy " + from + " onto itself");
    Fd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.Get() < 0)
        FailErrno(errno, "Cannot open " + from);
    struct stat st {};
    if (::fstat(in.Get(), &st) == 0 && S_ISDIR(st.st_mode))
        FailErrno(EISDIR, "Cannot copy " + from);
    int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (overwrite ? O_TRUNC : O_EXCL);
    Fd out(::open(to.c_str(), flags, 0666));
    if (out.Get() < 0)
        FailErrno(errno, "Cannot create " + to);

    auto failAndClean = [&](int code, const std::string& what) {
        ::close(out.Release());
        ::unlink(to.c_str());
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
    fs::rename(from, to, ec);
    if (ec)
        Fail(ec, "Cannot rename " + from + " to " + to);
}

std::vector<std::string> FileSystem::List(const std::string& dir, const std::string& pattern, ListKind kind) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(dir, ec), end;
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
        std::string name = it->path().filename().string();
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
    std::error_code ec;
    fs::path p = fs::absolute(path.empty() ? fs::path(".") : fs::path(path), ec);
    if (ec)
        p = fs::path(path);
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
    return ec ? std::string(".") : p.string();
}

} // namespace platform::core
