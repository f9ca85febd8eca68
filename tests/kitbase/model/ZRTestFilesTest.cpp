// The file operations of a self test: the work directory, copies from "Databases" and the
// line-by-line comparison that tests log when two reports differ.
#include "kitbase/model/ZRBaseTest.h"
#include "kitbase/model/ZRTestEx.h"
#include "platform/core/Directories.h"

#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

namespace fs = std::filesystem;
using platform::core::JoinPath;

namespace {

class FileTest : public ZRBaseTest {
public:
    FileTest() : ZRBaseTest("Files") {}
    bool Run(std::ostream&) override { return true; }
    bool Init(std::ostream&) override { return true; }
    bool Cleanup(std::ostream&) override { return true; }
};

class ZRTestFilesTest : public testing::Test {
protected:
    void SetUp() override {
        m_cwd = fs::current_path();
        m_dataHome.emplace("XDG_DATA_HOME", m_temp.File("data"));
        ZRTestEx::SetInstallPath(m_temp.File("install"));
        m_work = JoinPath(platform::core::UserDataDir(), "Work");
    }
    void TearDown() override {
        fs::current_path(m_cwd);
        m_dataHome.reset();
        ZRTestEx::SetInstallPath({});
    }

    static void Write(const std::string& path, const std::string& text) {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    TempDir m_temp;
    std::string m_work;
    FileTest m_test;
    std::ostringstream m_log;

private:
    fs::path m_cwd;
    std::optional<ScopedEnv> m_dataHome;
};

TEST_F(ZRTestFilesTest, CleanWorkDirMakesItCurrentAndDeletesItsFiles) {
    ASSERT_TRUE(m_test.CleanWorkDir());
    EXPECT_EQ(fs::current_path(), fs::path(m_work));

    Write(JoinPath(m_work, "Report1.txt"), "x");
    Write(JoinPath(m_work, "noextension"), "x");
    fs::create_directory(JoinPath(m_work, "folder"));
    ASSERT_TRUE(m_test.CleanWorkDir());
    EXPECT_FALSE(fs::exists(JoinPath(m_work, "Report1.txt")));
    EXPECT_FALSE(fs::exists(JoinPath(m_work, "noextension")));
    EXPECT_TRUE(fs::is_directory(JoinPath(m_work, "folder")));
}

TEST_F(ZRTestFilesTest, CopyToWorkDirTakesTheMasterCopyFromDatabases) {
    Write(m_temp.File("install/Databases/TestEdited.qdb"), std::string("db\0bytes", 8));
    ASSERT_TRUE(m_test.CleanWorkDir());
    EXPECT_TRUE(m_test.CopyToWorkDir("TestEdited.qdb", m_log));
    EXPECT_EQ(Read(JoinPath(m_work, "TestEdited.qdb")), std::string("db\0bytes", 8));
    EXPECT_EQ(m_log.str(), "");

    EXPECT_FALSE(m_test.CopyToWorkDir("Missing.qdb", m_log));
    EXPECT_EQ(m_log.str(), "Error: Failed to copy Missing.qdbto work directory.\n");
}

TEST_F(ZRTestFilesTest, ReportFileDifferencesLogsTheDifferingLines) {
    const std::string header = "< F1.txt\n> F2.txt\n\n";
    const std::string x299(299, 'x');
    struct Case {
        const char* what;
        std::string first, second, log;
    };
    const Case cases[] = {
        {"identical", "one\ntwo\n", "one\ntwo\n", header},
        {"first ends early", "1\n2\n3\n", "1\n2\n3\n4\n5\n", header + "< \n> 4\n< \n> 5\n"},
        {"changed line", "one\ntwo\nthree", "one\nTWO\nthree\n", header + "< two\n> TWO\n"},
        {"CR LF as LF", "one\r\ntwo\r\n", "one\ntwo\n", header},
        {"long lines compared in pieces", x299 + "A\nsame\n", x299 + "B\nsame\n", header + "< A\n> B\n"},
        {"both empty", "", "", header},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Write(JoinPath(m_work, "F1.txt"), c.first);
        Write(JoinPath(m_work, "F2.txt"), c.second);
        std::ostringstream log;
        m_test.ReportFileDifferences("F1.txt", "F2.txt", log);
        EXPECT_EQ(log.str(), c.log);
    }

    std::ostringstream missing;
    m_test.ReportFileDifferences("Nope.txt", "F2.txt", missing);
    m_test.ReportFileDifferences("F1.txt", "Gone.txt", missing);
    EXPECT_EQ(missing.str(), "Error: " + JoinPath(m_work, "Nope.txt") + " does not exist.\nError: " +
                                 JoinPath(m_work, "Gone.txt") + " does not exist.\n");
}

} // namespace
