#include "platform/core/FileSystem.h"
#include "platform/core/FileStream.h"
#include "platform/core/SystemError.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using platform::core::FileSystem;
using platform::core::SystemError;

namespace {
void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
} // namespace

TEST(FileSystem, MakesRemovesAndTellsFilesFromDirectories) {
    TempDir dir;
    std::string deep = dir.File("a/b/c");
    FileSystem::MakeDirectories(deep);
    FileSystem::MakeDirectories(deep); // already there
    EXPECT_TRUE(FileSystem::IsDirectory(deep));
    WriteText(dir.File("a/b/c/f.txt"), "x");
    EXPECT_TRUE(FileSystem::Exists(dir.File("a/b/c/f.txt")));
    EXPECT_FALSE(FileSystem::IsDirectory(dir.File("a/b/c/f.txt")));
    EXPECT_THROW(FileSystem::MakeDirectories(dir.File("a/b/c/f.txt/d")), SystemError);
    EXPECT_THROW(FileSystem::Remove(dir.File("a")), SystemError); // not empty
    FileSystem::RemoveTree(dir.File("a"));
    EXPECT_FALSE(FileSystem::Exists(dir.File("a")));
    FileSystem::RemoveTree(dir.File("a")); // nothing left is fine
    EXPECT_FALSE(FileSystem::Exists(""));
}

TEST(FileSystem, CopyKeepsBytesAndReportsTheSystemText) {
    TempDir dir;
    std::string big(200000, '\0');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7);
    WriteText(dir.File("src"), big);
    FileSystem::Copy(dir.File("src"), dir.File("dst"));
    EXPECT_EQ(ReadText(dir.File("dst")), big);

    EXPECT_THROW(FileSystem::Copy(dir.File("src"), dir.File("dst"), false), SystemError);
    EXPECT_THROW(FileSystem::Copy(dir.File("src"), dir.File("src")), SystemError); // would truncate itself
    EXPECT_EQ(ReadText(dir.File("src")), big);
    try {
        FileSystem::Copy(dir.File("missing"), dir.File("x"));
        FAIL();
    } catch (const SystemError& e) {
        EXPECT_NE(std::string(e.what()).find("No such file"), std::string::npos) << e.what();
    }
    EXPECT_THROW(FileSystem::Copy(dir.File("src"), dir.File("no/dir/x")), SystemError);
}

TEST(FileSystem, RenameReplacesAnExistingFile) {
    TempDir dir;
    WriteText(dir.File("a"), "new");
    WriteText(dir.File("b"), "old");
    FileSystem::Rename(dir.File("a"), dir.File("b"));
    EXPECT_FALSE(FileSystem::Exists(dir.File("a")));
    EXPECT_EQ(ReadText(dir.File("b")), "new");
    EXPECT_THROW(FileSystem::Rename(dir.File("a"), dir.File("c")), SystemError);
}

TEST(FileSystem, ListsByWildcardAndKind) {
    TempDir dir;
    WriteText(dir.File("b.C"), "");
    WriteText(dir.File("a.c"), "");
    WriteText(dir.File("readme"), "");
    FileSystem::MakeDirectories(dir.File("sub.c"));
    using K = FileSystem::ListKind;
    EXPECT_EQ(FileSystem::List(dir.Path().string(), "*.c", K::Files),
              (std::vector<std::string>{"a.c", "b.C"}));
    EXPECT_EQ(FileSystem::List(dir.Path().string(), "*.*", K::Files),
              (std::vector<std::string>{"a.c", "b.C", "readme"}));
    EXPECT_EQ(FileSystem::List(dir.Path().string(), "*", K::Directories),
              (std::vector<std::string>{"sub.c"}));
    EXPECT_EQ(FileSystem::List(dir.Path().string(), "?.c", K::All).size(), 2u);
    EXPECT_TRUE(FileSystem::List(dir.File("missing")).empty());

    EXPECT_TRUE(FileSystem::MatchWildcard("*a*b?", "xxaYYbZ"));
    EXPECT_FALSE(FileSystem::MatchWildcard("*a*b?", "xxaYYb"));
    EXPECT_TRUE(FileSystem::MatchWildcard("Temp*", "TEMP12"));
}

TEST(FileSystem, PathParts) {
    EXPECT_EQ(FileSystem::FileName("/x/y/Proj.qdb"), "Proj.qdb");
    EXPECT_EQ(FileSystem::BaseName("/x/y/Proj.qdb"), "Proj");
    EXPECT_EQ(FileSystem::Extension("/x/y/Proj.qdb"), "qdb");
    EXPECT_EQ(FileSystem::Extension("/x/y.d/Proj"), "");
    EXPECT_EQ(FileSystem::Directory("/x/y/Proj.qdb"), "/x/y");
    EXPECT_EQ(FileSystem::FullPath("/x/./y/../z/"), "/x/z");
    EXPECT_EQ(FileSystem::FullPath("rel/f"), FileSystem::CurrentDirectory() + "/rel/f");
}

// Model names are code page 1252; on disk the same names are UTF-8.
TEST(FileSystem, NonAsciiNamesReachTheDiskAsUtf8) {
    TempDir dir;
    const std::string folder = dir.File("M\xFCller");     // model form
    const std::string onDisk = dir.File("M\xC3\xBCller"); // system form
    const std::string project = folder + "/Pr\xFC"
                                         "fstand \x80.qdb";
    const std::string projectOnDisk = onDisk + "/Pr\xC3\xBC"
                                               "fstand \xE2\x82\xAC.qdb";

    FileSystem::MakeDirectories(folder);
    EXPECT_TRUE(std::filesystem::is_directory(onDisk));
    FileSystem::WriteAll(project, {'d', 'b'});
    EXPECT_EQ(ReadText(projectOnDisk), "db");
    EXPECT_TRUE(FileSystem::Exists(project));
    EXPECT_FALSE(FileSystem::IsDirectory(project));
    uint64_t size = 0;
    EXPECT_TRUE(FileSystem::FileSize(project, size));
    EXPECT_EQ(size, 2u);
    EXPECT_FALSE(FileSystem::IsReadOnly(project));

    FileSystem::Copy(project, folder + "/copy \x80.qdb");
    FileSystem::Rename(folder + "/copy \x80.qdb", folder + "/moved \x80.qdb");
    EXPECT_EQ(FileSystem::ReadAll(folder + "/moved \x80.qdb"), (std::vector<uint8_t>{'d', 'b'}));
    platform::core::OpenOutputFile(folder + "/set \x80.mnr") << "line";
    EXPECT_EQ(ReadText(onDisk + "/set \xE2\x82\xAC.mnr"), "line");
    std::string line;
    std::ifstream in = platform::core::OpenInputFile(folder + "/set \x80.mnr");
    EXPECT_TRUE(std::getline(in, line));
    EXPECT_EQ(line, "line");
    // A name that the code page cannot hold is left out of a listing.
    WriteText(onDisk + "/\xE6\x97\xA5.qdb", "x");
    EXPECT_EQ(FileSystem::List(folder, "*.qdb"), (std::vector<std::string>{"Pr\xFC"
                                                                           "fstand \x80.qdb",
                                                                           "moved \x80.qdb"}));

    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(onDisk);
    EXPECT_EQ(FileSystem::CurrentDirectory(), FileSystem::FullPath(folder));
    EXPECT_EQ(FileSystem::FullPath("x.qdb"), FileSystem::FullPath(folder) + "/x.qdb");
    std::filesystem::current_path(cwd);

    FileSystem::Remove(folder + "/moved \x80.qdb");
    EXPECT_TRUE(FileSystem::TryRemove(project));
    EXPECT_FALSE(std::filesystem::exists(projectOnDisk));
    FileSystem::RemoveTree(folder);
    EXPECT_FALSE(std::filesystem::exists(onDisk));
}
