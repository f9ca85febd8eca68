// Files and directories. Operations that change the disk throw SystemError with the system's text;
// the queries never throw.
#pragma once

#include <string>
#include <vector>

namespace platform::core {

class FileSystem {
public:
    enum class ListKind { Files, Directories, All };

    static bool Exists(const std::string& path);
    static bool IsDirectory(const std::string& path);

    // Makes the directory and its parents; an existing directory is fine.
    static void MakeDirectories(const std::string& path);
    // A file or an empty directory.
    static void Remove(const std::string& path);
    // A directory with everything in it, or a file; nothing to remove is fine.
    static void RemoveTree(const std::string& path);
    // Copies a file's bytes; a partly written target is removed on failure.
    static void Copy(const std::string& from, const std::string& to, bool overwrite = true);
    // Replaces an existing target file.
    static void Rename(const std::string& from, const std::string& to);

    // Names (not paths) of the entries of a directory whose names match the wildcard ('*' and '?',
    // case-insensitive; "*.*" matches every name), sorted. A missing directory lists nothing.
    static std::vector<std::string> List(const std::string& dir, const std::string& pattern = "*",
                                         ListKind kind = ListKind::All);
    static bool MatchWildcard(const std::string& pattern, const std::string& name);

    // Absolute and normalised; the path need not exist.
    static std::string FullPath(const std::string& path);
    // "/a/b/name.ext" -> "/a/b", "name.ext", "name", "ext".
    static std::string Directory(const std::string& path);
    static std::string FileName(const std::string& path);
    static std::string BaseName(const std::string& path);
    static std::string Extension(const std::string& path);
    static std::string CurrentDirectory();
};

} // namespace platform::core
