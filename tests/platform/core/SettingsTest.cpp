#include "platform/core/Settings.h"
#include "platform/core/FileSystem.h"
#include "platform/core/SystemError.h"

#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

using platform::core::FileSystem;
using platform::core::Settings;
using platform::core::SystemError;

namespace {
std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(Settings, ValuesKeepNamesTypesAndBytesThroughTheFile) {
    TempDir dir;
    std::string path = dir.File("cfg/Quorvance.ini"); // directory made on first write
    const std::string tricky = "a \"quoted\" \\path\\ = x\n\tnext \xB0"
                               "C ";
    {
        Settings s(path);
        s.WriteString("", "LastOpenFile", "/home/u/My Project.qdb");
        s.WriteString("Serial Port", "Baud Rate", "38400");
        s.WriteString("Odd [Section]", " ;name=with\"all ", tricky);
        s.WriteDword("Message3", "ShowMessage", 0);
        s.WriteDword("Window Placement", "ptMinPosition.x", 0xFFFFFFFFu);
        s.CreateSection("ScanInfo");
    }
    EXPECT_NE(ReadText(path).find("\xC2\xB0"
                                  "C"),
              std::string::npos); // UTF-8 on disk

    Settings r(path);
    r.Load();
    EXPECT_EQ(r.ReadString("", "LastOpenFile"), "/home/u/My Project.qdb");
    EXPECT_EQ(r.ReadString("Serial Port", "Baud Rate"), "38400");
    EXPECT_EQ(r.ReadString("Odd [Section]", " ;name=with\"all "), tricky);
    EXPECT_EQ(r.ReadDword("Message3", "ShowMessage", 1), 0u);
    EXPECT_EQ(r.ReadDword("Window Placement", "ptMinPosition.x"), 0xFFFFFFFFu);
    EXPECT_TRUE(r.HasSection("ScanInfo"));
    EXPECT_TRUE(r.HasSection(""));
    EXPECT_FALSE(r.HasSection("Tip Of Day"));

    // Missing values and values of the other type give the default.
    EXPECT_EQ(r.ReadDword("Tip Of Day", "ShowAtStartup", 1), 1u);
    EXPECT_EQ(r.ReadDword("Serial Port", "Baud Rate", 7), 7u);
    EXPECT_EQ(r.ReadString("Message3", "ShowMessage", "dflt"), "dflt");
    std::string out = "kept";
    EXPECT_FALSE(r.GetString("Nope", "x", out));
    EXPECT_EQ(out, "kept");
}

TEST(Settings, ReadsHandWrittenFiles) {
    TempDir dir;
    std::ofstream(dir.File("k.ini")) << "; comment\r\nTop = \"v\"\r\n\r\n# other comment\n[Line Numbers]\n  "
                                        "Show = 0x10\nNeg=-1\nEsc=\"x\\q\"\n";
    Settings s(dir.File("k.ini"));
    s.Load();
    EXPECT_EQ(s.ReadString("", "Top"), "v");
    EXPECT_EQ(s.ReadDword("Line Numbers", "Show"), 16u);
    EXPECT_EQ(s.ReadDword("Line Numbers", "Neg"), 0xFFFFFFFFu);
    EXPECT_EQ(s.ReadString("Line Numbers", "Esc"), "xq"); // an unknown escape stands for its character
}

TEST(Settings, LinesThatCannotBeReadAreSkippedAndGoneAfterTheNextSave) {
    TempDir dir;
    const char* cases[] = {"NoEquals\n",   "A=\"open\n",      "A=12abc\n",  "A=99999999999\n", "=\"x\"\n",
                           "A=unquoted\n", "A=\"caf\xE9\"\n", "\xFF\xFE\n", "[Unclosed\nA=2\n"};
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        std::string path = dir.File("bad.ini");
        // A byte-order mark as some editors write it; a bad line between good ones.
        std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBFGood=1\n" << text << "[S]\nAfter=\"b\"\n";
        Settings s(path);
        ASSERT_NO_THROW(s.Load());
        EXPECT_EQ(s.ReadDword("", "Good"), 1u);
        EXPECT_EQ(s.ReadString("S", "After"), "b");
        EXPECT_EQ(s.ReadString("", "A", "none"), "none");
        EXPECT_EQ(s.ReadDword("", "A", 7), 7u);
        EXPECT_FALSE(s.HasSection("Unclosed"));
        s.WriteDword("", "Other", 2);
        EXPECT_EQ(ReadText(path), "; Quorvance settings\nGood=1\nOther=2\n[S]\nAfter=\"b\"\n");
    }
}

TEST(Settings, AFileThatCannotBeReadIsReportedButTheUserKeyStillStarts) {
    TempDir dir;
    ScopedEnv config("QUORVANCE_CONFIG_DIR", dir.Path().string());
    FileSystem::MakeDirectories(dir.File("Quorvance.ini")); // a directory where the file should be
    Settings s(dir.File("Quorvance.ini"));
    EXPECT_THROW(s.Load(), SystemError);
    Settings u = Settings::User();
    EXPECT_EQ(u.ReadDword("Tip Of Day", "ShowAtStartup", 1), 1u);
    EXPECT_THROW(u.WriteDword("", "A", 1), SystemError);
    EXPECT_TRUE(FileSystem::IsDirectory(dir.File("Quorvance.ini")));
}

TEST(Settings, EveryCodePage1252ByteRoundTripsThroughTheFile) {
    TempDir dir;
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    all += '\0';
    Settings s(dir.File("k.ini"));
    s.WriteString("Files " + all, "Name " + all, all);
    Settings r(dir.File("k.ini"));
    r.Load();
    EXPECT_EQ(r.ReadString("Files " + all, "Name " + all), all);
}

TEST(Settings, ALinkToTheFileStaysALinkAndTheTargetIsWritten) {
    TempDir dir;
    FileSystem::MakeDirectories(dir.File("real"));
    std::ofstream(dir.File("real/Quorvance.ini")) << "Old=1\n";
    std::filesystem::create_symlink("real/Quorvance.ini", dir.File("link.ini"));
    std::filesystem::create_symlink(dir.File("link.ini"), dir.File("chain.ini"));
    Settings s(dir.File("chain.ini"));
    s.WriteString("", "New", "x");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("chain.ini")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.ini")));
    EXPECT_EQ(ReadText(dir.File("real/Quorvance.ini")), "; Quorvance settings\nNew=\"x\"\nOld=1\n");
    EXPECT_EQ(FileSystem::List(dir.File("real")).size(), 1u); // the temporary went beside the target

    // A link to a file not yet there: the file is made where the link points.
    std::filesystem::create_symlink("real/Later.ini", dir.File("later.ini"));
    Settings later(dir.File("later.ini"));
    later.WriteDword("", "A", 1);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("later.ini")));
    EXPECT_EQ(ReadText(dir.File("real/Later.ini")), "; Quorvance settings\nA=1\n");
}

TEST(Settings, WritesAreAtomicAndKeepOtherWritersValues) {
    TempDir dir;
    std::string path = dir.File("Quorvance.ini");
    Settings a(path), b(path);
    a.WriteString("", "LastOpenFile", "x.qdb");
    b.WriteDword("Line Numbers", "Show", 0); // b never loaded a's value, yet keeps it
    Settings c(path);
    c.Load();
    EXPECT_EQ(c.ReadString("", "LastOpenFile"), "x.qdb");
    EXPECT_EQ(c.ReadDword("Line Numbers", "Show", 1), 0u);
    EXPECT_EQ(FileSystem::List(dir.Path().string()).size(), 1u); // no temporary files left

    // A file that cannot be replaced: the old one stays whole.
    FileSystem::MakeDirectories(dir.File("blocked"));
    Settings d(dir.File("blocked"));
    EXPECT_THROW(d.Save(), SystemError);
    EXPECT_TRUE(FileSystem::IsDirectory(dir.File("blocked")));
    EXPECT_EQ(FileSystem::List(dir.Path().string()).size(), 2u);
}

TEST(Settings, MachineKeyFallsBackToTheInstallDirectoryAndIsReadOnly) {
    TempDir dir;
    ScopedEnv install("QUORVANCE_INSTALL_DIR", dir.Path().string());
    Settings m = Settings::Machine();
    EXPECT_EQ(m.ReadString("", "INSTALL"), dir.Path().string());
    EXPECT_EQ(m.ReadString("", "MotorDB"), dir.File("Motors.mdb"));
    EXPECT_THROW(m.WriteString("", "INSTALL", "x"), SystemError);
    EXPECT_FALSE(FileSystem::Exists(dir.File("machine.ini")));

    std::ofstream(dir.File("machine.ini")) << "MotorDB=\"db/Other.mdb\"\n";
    EXPECT_EQ(Settings::Machine().ReadString("", "MotorDB"), dir.File("db/Other.mdb"));
    std::ofstream(dir.File("machine.ini")) << "INSTALL=\"/opt/qv\"\nMotorDB=\"/data/M.mdb\"\n";
    Settings m2 = Settings::Machine();
    EXPECT_EQ(m2.ReadString("", "INSTALL"), "/opt/qv");
    EXPECT_EQ(m2.ReadString("", "MotorDB"), "/data/M.mdb");
}

TEST(Settings, UserKeyLivesInTheConfigDirectory) {
    TempDir dir;
    ScopedEnv config("QUORVANCE_CONFIG_DIR", dir.File("conf"));
    Settings u = Settings::User();
    EXPECT_EQ(u.Path(), dir.File("conf/Quorvance.ini"));
    u.WriteString("Serial Port", "Port", "/dev/ttyS0");
    EXPECT_EQ(Settings::User().ReadString("Serial Port", "Port"), "/dev/ttyS0");
}
