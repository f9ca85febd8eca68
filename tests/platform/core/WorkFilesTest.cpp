// Work files of running copies: claimed under a lock, and cleared away at start-up only when no
// running copy holds them.
#include "platform/core/WorkFiles.h"

#include "platform/core/Directories.h"

#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace platform::core;

namespace {

class WorkFilesTest : public testing::Test {
protected:
    std::string Data(const std::string& name) const { return JoinPath(data, name); }
    void Touch(const std::string& path) { std::ofstream(path) << "x"; }

    TempDir dir;
    ScopedEnv env{"XDG_DATA_HOME", dir.File("xdg")};
    const std::string data = UserDataDir();
};

// Another process that holds a lock file until the test lets it go.
class OtherProcess {
public:
    explicit OtherProcess(const std::string& lockPath) {
        int ready[2], release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT, 0600);
            char c = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
            (void)!::write(ready[1], &c, 1);
            (void)!::read(release[0], &c, 1);
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        char c = 'n';
        m_locked = ::read(ready[0], &c, 1) == 1 && c == 'y';
        ::close(ready[0]);
        m_release = release[1];
    }
    ~OtherProcess() {
        if (m_pid <= 0)
            return;
        ::close(m_release);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
    }
    bool Locked() const { return m_locked; }

private:
    pid_t m_pid = -1;
    int m_release = -1;
    bool m_locked = false;
};

} // namespace

TEST_F(WorkFilesTest, AHeldLockRefusesEverySecondHolder) {
    const std::string lock = Data("qvrecvr0.qdb.lock");
    WorkFileLock first;
    ASSERT_TRUE(first.TryLock(lock));
    WorkFileLock second;
    EXPECT_FALSE(second.TryLock(lock));
    {
        OtherProcess other(lock);
        EXPECT_FALSE(other.Locked());
    }
    first.Unlock(true);
    EXPECT_FALSE(fs::exists(lock));
    EXPECT_TRUE(second.TryLock(lock));
    OtherProcess other(lock);
    EXPECT_FALSE(other.Locked());
}

TEST_F(WorkFilesTest, StartUpRemovesWhatNoRunningCopyHolds) {
    // Left by crashes: working copies with their journals, temporary directories, and a save cut
    // short beside the user's project.
    const std::string project = dir.File("Plant.qdb");
    const std::string temporary = project + ".a1B2c3";
    Touch(project);
    Touch(temporary);
    Touch(temporary + "-journal");
    {
        // The record of that save, let go by the crash.
        WorkFileLock record;
        ASSERT_EQ(ClaimWorkFile("save%d", record), Data("save0"));
        record.WriteNote(temporary);
    }
    for (const char* name : {"qvrecvr0.qdb", "qvrecvr0.qdb-journal", "qvrecvr7.qdb", "qvrecvr3.qdb.lock"})
        Touch(Data(name));
    fs::create_directories(Data("Temp4/sub"));
    Touch(Data("Temp4/sub/file.c"));
    // Held by running copies: one in this process, one in another.
    WorkFileLock mine;
    ASSERT_TRUE(mine.TryLock(Data("qvrecvr1.qdb.lock")));
    Touch(Data("qvrecvr1.qdb"));
    fs::create_directories(Data("Temp5"));
    OtherProcess other(Data("Temp5.lock"));
    ASSERT_TRUE(other.Locked());
    // Not ours at all.
    for (const char* name : {"Motors.mdb", "notes.lock", "Temp.txt", "qvrecvr.txt"})
        Touch(Data(name));

    RemoveStaleWorkFiles();

    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(data))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"Motors.mdb", "Temp.txt", "Temp5", "Temp5.lock", "notes.lock",
                                              "qvrecvr.txt", "qvrecvr1.qdb", "qvrecvr1.qdb.lock"}));
    EXPECT_FALSE(fs::exists(temporary));
    EXPECT_FALSE(fs::exists(temporary + "-journal"));
    EXPECT_TRUE(fs::exists(project));
}

TEST_F(WorkFilesTest, AFinishedSaveLeavesNoRecordAndARunningOneKeepsItsTemporary) {
    const std::string temporary = dir.File("Plant.qdb.Zz9Yy8");
    Touch(temporary);
    {
        PendingTemporary pending(temporary);
        RemoveStaleWorkFiles();
        EXPECT_TRUE(fs::exists(temporary));
    }
    EXPECT_TRUE(fs::is_empty(data));
    // A record never names anything but a save's temporary.
    WorkFileLock record;
    ASSERT_EQ(ClaimWorkFile("save%d", record), Data("save0"));
    record.WriteNote(dir.File("Plant.qdb"));
    Touch(dir.File("Plant.qdb"));
    record.Unlock();
    RemoveStaleWorkFiles();
    EXPECT_TRUE(fs::exists(dir.File("Plant.qdb")));
    EXPECT_TRUE(fs::is_empty(data));
}

TEST_F(WorkFilesTest, ManyCrashesNeverUseTheNumbersUp) {
    for (int n = 0; n < 150; ++n) {
        Touch(Data("qvrecvr" + std::to_string(n) + ".qdb"));
        fs::create_directories(Data("Temp" + std::to_string(n)));
    }
    WorkFileLock copy, temp;
    EXPECT_EQ(ClaimWorkFile("qvrecvr%d.qdb", copy), Data("qvrecvr0.qdb"));
    EXPECT_FALSE(fs::exists(Data("qvrecvr0.qdb")));
    EXPECT_EQ(ClaimWorkFile("Temp%d", temp, 100), Data("Temp0"));
    RemoveStaleWorkFiles();
    EXPECT_EQ(std::distance(fs::directory_iterator(data), fs::directory_iterator()), 2);
    // Only running copies use numbers up.
    WorkFileLock more;
    EXPECT_EQ(ClaimWorkFile("Temp%d", more, 1), "");
}
