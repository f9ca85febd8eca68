// Files and directories. Operations that change the disk throw SystemError with the system's text;
// the queries never throw. Names are model text (code page 1252); the system's names are UTF-8, and
// only this layer converts between them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform::core {

class FileSystem {
public:
    enum class ListKind { Files, Directories, All };

    // The system's form of a model name.
    static std::string SystemName(std::string_view name);
    // The model's form of a system name; false when the name cannot be held in code page 1252.
    static bool ModelName(std::string_view systemName, std::string& name);

    static bool Exists(const std::string& path);
    static bool IsDirectory(const std::string& path);
    // False for a missing path or one that is not a regular file.
    static bool FileSize(const std::string& path, uint64_t& size);
    // An existing entry a save may not replace: a directory, or a file this user cannot write.
    static bool IsReadOnly(const std::string& path);

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
    // For scratch files, whose failures change nothing the user keeps: false instead of a throw.
    static bool TryMakeDirectories(const std::string& path);
    static bool TryRemove(const std::string& path);
    static bool TryRemoveTree(const std::string& path);
    static bool TryRename(const std::string& from, const std::string& to);

    // Whole-file reads and writes of bytes; a write makes or truncates the file.
    static std::vector<uint8_t> ReadAll(const std::string& path);
    static void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes);

    // Names (not paths) of the entries of a directory whose names match the wildcard ('*' and '?',
    // case-insensitive; "*.*" matches every name), sorted. A missing directory lists nothing, and
    // names that code page 1252 cannot hold are left out, as nothing could open them.
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
    static bool SetCurrentDirectory(const std::string& path);
};

} // namespace platform::core
