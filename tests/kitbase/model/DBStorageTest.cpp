#include "kitbase/model/DBStorage.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZREye.h"

#include "platform/core/Directories.h"
#include "platform/core/FileSystem.h"
#include "platform/core/WorkFiles.h"
#include "platform/db/Database.h"

#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/resource.h>
#include <unistd.h>

using platform::core::FileSystem;
using platform::db::Database;
using platform::db::ToInt64;
using platform::db::ToText;

namespace {

std::string ReadAll(const std::string& path) {
    if (std::filesystem::is_directory(path))
        return "<directory>";
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The message of the ZRError that f throws, or "" when it throws none.
std::string ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const ZRError& e) {
        return e.GetMessage();
    }
    return {};
}

// Working copies go to the user data directory: each test has its own, and runs in its own
// current directory.
class DBStorageTest : public testing::Test {
protected:
    void SetUp() override {
        m_oldCwd = std::filesystem::current_path();
        std::filesystem::current_path(dir.Path());
        FileSystem::MakeDirectories(dir.File("temp"));
    }
    void TearDown() override { std::filesystem::current_path(m_oldCwd); }

    std::unique_ptr<DBStorage> NewStorage() {
        auto db = std::make_unique<DBStorage>();
        db->SetBaseDir(dir.File("temp"));
        return db;
    }
    // A saved project holding one object with a few values.
    std::string SavedProject(const std::string& name) {
        auto db = NewStorage();
        db->OpenDB();
        int32_t inst = 1;
        db->Create(-181, inst);
        db->WriteString(-181, 1, -1000, "Project");
        db->WriteBinary(-181, 1, 5, ZRStorage::Bytes(20000, 0xA5));
        db->SaveDBAs(dir.File(name));
        return dir.File(name);
    }
    int64_t Count(const std::string& file, const std::string& sql) {
        Database d;
        d.Open(file, true);
        return ToInt64(d.QueryValue(sql));
    }

    TempDir dir;
    ScopedEnv m_data{"XDG_DATA_HOME", dir.File("xdg")};
    std::filesystem::path m_oldCwd;
};

} // namespace

TEST_F(DBStorageTest, WorkingCopyTakesTheFirstUnheldNameInTheDataDirectoryAndGoesAway) {
    const std::string data = platform::core::UserDataDir();
    EXPECT_EQ(data, dir.File("xdg/Kelbrant Vuzovaruza/Quorvance"));
    // Names 0 and 1 are held by running copies; a crash left a copy under 2.
    platform::core::WorkFileLock held0, held1;
    ASSERT_TRUE(held0.TryLock(data + "/qvrecvr0.qdb.lock"));
    ASSERT_TRUE(held1.TryLock(data + "/qvrecvr1.qdb.lock"));
    std::ofstream(data + "/qvrecvr2.qdb") << "left by a crash";
    // A read-only current directory is no matter.
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    std::string name;
    {
        auto db = NewStorage();
        name = db->GetTmpName();
        EXPECT_EQ(name, data + "/qvrecvr2.qdb");
        EXPECT_FALSE(FileSystem::Exists(name));
        db->OpenDB();
        EXPECT_TRUE(FileSystem::Exists(name));
        EXPECT_EQ(ErrorOf([&] { db->SaveDB(); }), "No .qdb file specified");
        int32_t inst = 1;
        db->Create(-181, inst);
        db->OpenDB(); // a new project starts empty
        EXPECT_FALSE(db->ObjectExists(-181, 1));
        // A second storage does not share the name.
        EXPECT_EQ(NewStorage()->GetTmpName(), data + "/qvrecvr3.qdb");
    }
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_FALSE(FileSystem::Exists(name));
    EXPECT_FALSE(FileSystem::Exists(name + ".lock"));
    EXPECT_TRUE(FileSystem::Exists(data + "/qvrecvr0.qdb.lock"));
}

TEST_F(DBStorageTest, NewProjectIsAPlainSqliteFileWithTheSevenTables) {
    auto db = NewStorage();
    db->OpenDB();
    EXPECT_FALSE(db->IsModified());
    db->SaveDBAs(dir.File("New.qdb"));
    Database d;
    d.Open(dir.File("New.qdb"), true);
    const std::vector<std::pair<std::string, std::vector<std::string>>> tables = {
        {"Integers", {"Object", "Attribute", "Value"}},
        {"Floats", {"Object", "Attribute", "Value"}},
        {"Binary", {"Object", "Attribute", "Value"}},
        {"Booleans", {"Object", "Attribute", "Value"}},
        {"Strings", {"Object", "Attribute", "Value"}},
        {"Objects", {"Class", "Instance", "Object"}},
        {"Files", {"Path", "Value"}}};
    for (const auto& [table, columns] : tables)
        EXPECT_EQ(d.GetColumnNames(table), columns) << table;
}

TEST_F(DBStorageTest, ObjectsAndValues) {
    auto db = NewStorage();
    db->OpenDB();
    for (int32_t i : {1, 2, 4}) {
        int32_t inst = i;
        db->Create(7, inst);
    }
    EXPECT_TRUE(db->IsModified());
    int32_t inst = 0;
    db->Create(7, inst);
    EXPECT_EQ(inst, 3);
    inst = 4;
    EXPECT_EQ(ErrorOf([&] { db->Create(7, inst); }), "Instance 4 of class 7 already exists.");
    ZRStorage::Ids list;
    db->GetInstanceList(7, list);
    EXPECT_EQ(list, (ZRStorage::Ids{1, 2, 4, 3})); // in the order they were made

    int eyeBefore = ZREye::Instance()->GetCount();
    db->WriteLong(7, 1, 10, 5, 2);
    db->WriteLong(7, 1, 10, -6, 2);
    int32_t l = 0;
    db->ReadLong(7, 1, 10, l, 4);
    EXPECT_EQ(l, -6);
    EXPECT_GT(ZREye::Instance()->GetCount(), eyeBefore);
    db->WriteUlong(7, 1, 11, 0xFFFFFFFFu, 4);
    uint32_t u = 0;
    db->ReadUlong(7, 1, 11, u, 4);
    EXPECT_EQ(u, 0xFFFFFFFFu);
    db->WriteFloat(7, 1, 12, 0.1f);
    float f = 0;
    db->ReadFloat(7, 1, 12, f);
    EXPECT_EQ(f, 0.1f);
    db->WriteBool(7, 1, 13, true);
    bool b = false;
    db->ReadBool(7, 1, 13, b);
    EXPECT_TRUE(b);
    db->WriteString(7, 1, 14,
                    "25\xB0"
                    "C 'quoted'");
    std::string s;
    db->ReadString(7, 1, 14, s);
    EXPECT_EQ(s, "25\xB0"
                 "C 'quoted'");
    db->WriteBinary(7, 1, 15, {0, 1, 0, 255});
    ZRStorage::Bytes bytes = {9};
    db->ReadBinary(7, 1, 15, bytes);
    EXPECT_EQ(bytes, (ZRStorage::Bytes{0, 1, 0, 255}));
    EXPECT_TRUE(db->FindLongAttribute(7, 1, 10));
    EXPECT_FALSE(db->FindLongAttribute(7, 1, 99));

    // As stored: one row per value, unsigned bits as signed, text as UTF-8, booleans non-zero.
    std::string saved = dir.File("p.qdb");
    db->SaveDBAs(saved);
    EXPECT_EQ(Count(saved, "SELECT count(*) FROM Integers WHERE Attribute = 10"), 1);
    EXPECT_EQ(Count(saved, "SELECT Value FROM Integers WHERE Attribute = 11"), -1);
    EXPECT_EQ(Count(saved, "SELECT instr(Value, char(176)) FROM Strings"), 3);
    uint32_t version = 0;
    EXPECT_FALSE(db->GetVersion(7, 1, version));
    db->WriteUlong(7, 1, 1, 0x0102, 4);
    EXPECT_TRUE(db->GetVersion(7, 1, version));
    EXPECT_EQ(version, 0x0102u);

    EXPECT_EQ(ErrorOf([&] { db->ReadLong(7, 9, 10, l, 4); }), "Object doesn't exist");
    EXPECT_EQ(ErrorOf([&] { db->WriteLong(7, 9, 10, 1, 4); }), "Object doesn't exist");
    EXPECT_EQ(ErrorOf([&] { db->ReadString(7, 2, 14, s); }), "Data doesn't exist");
    std::optional<ZRStorage::Bytes> reply;
    EXPECT_EQ(ErrorOf([&] { db->InvokeService(7, 1, 1, {}, reply); }),
              "Services not supported with this storage type");
    int32_t space = 0;
    EXPECT_TRUE(db->GetFreeSpace(space));
    EXPECT_EQ(space, 10000000);

    // Any stored non-zero boolean is true, as older files store -1.
    {
        Database d;
        d.Open(saved);
        d.Execute("UPDATE Booleans SET Value = -1");
    }
    auto again = NewStorage();
    again->OpenDB(saved);
    b = false;
    again->ReadBool(7, 1, 13, b);
    EXPECT_TRUE(b);
}

TEST_F(DBStorageTest, DeleteAndChildLinks) {
    auto db = NewStorage();
    db->OpenDB();
    int32_t root = 1, child = 1, other = 2;
    db->Create(-181, root);
    db->Create(-177, child);
    db->Create(-177, other);
    int32_t rootId = 0, childId = 0, otherId = 0;
    ASSERT_TRUE(db->FindInstance(-181, 1, rootId));
    ASSERT_TRUE(db->FindInstance(-177, 1, childId));
    ASSERT_TRUE(db->FindInstance(-177, 2, otherId));
    int32_t cls = 0, inst = 0;
    db->FindObject(rootId, cls, inst);
    EXPECT_EQ(cls, -181);
    EXPECT_EQ(inst, 1);
    EXPECT_EQ(ErrorOf([&] { db->FindObject(9999, cls, inst); }), "Object doesn't exist");

    ZRStorage::Ids ids;
    db->GetChildren(-181, 1, ids);
    EXPECT_TRUE(ids.empty());
    db->AddChild(-181, 1, otherId);
    db->AddChild(-181, 1, childId);
    EXPECT_EQ(ErrorOf([&] { db->AddChild(-181, 1, childId); }), "Parent already contains child");
    db->GetChildren(-181, 1, ids);
    EXPECT_EQ(ids, (ZRStorage::Ids{uint32_t(otherId), uint32_t(childId)})); // in link order
    EXPECT_TRUE(db->HasChild(-181, 1, childId));
    EXPECT_FALSE(db->HasChild(-181, 1, rootId));
    EXPECT_EQ(ErrorOf([&] { db->HasChild(-181, 5, childId); }), "Parent object does not exist");
    EXPECT_EQ(ErrorOf([&] { db->AddChild(-181, 5, childId); }), "Unable to add child. Parent doesn't exist");
    EXPECT_EQ(ErrorOf([&] { db->RemoveChild(-181, 5, childId); }),
              "Unable to remove child. Parent doesn't exist");
    EXPECT_EQ(ErrorOf([&] { db->GetChildren(-181, 5, ids); }), "Parent object does not exist");
    EXPECT_EQ(ErrorOf([&] { db->RemoveChild(-181, 1, 777); }),
              "Parent " + std::to_string(rootId) + " does not contain child 777");
    db->RemoveChild(-181, 1, otherId);

    db->WriteString(-181, 1, -1000, "root");
    db->WriteLong(-177, 1, 10, 1, 4);
    db->Delete(-181, 1);
    EXPECT_FALSE(db->ObjectExists(-181, 1));
    db->SaveDBAs(dir.File("p.qdb"));
    EXPECT_EQ(Count(dir.File("p.qdb"), "SELECT count(*) FROM Integers WHERE Attribute = -1"), 0);
    EXPECT_EQ(Count(dir.File("p.qdb"), "SELECT count(*) FROM Strings"), 0);
    int32_t l = 0;
    db->ReadLong(-177, 1, 10, l, 4); // the child's rows stay
    EXPECT_EQ(ErrorOf([&] { db->Delete(-181, 1); }), "Object doesn't exist");
}

// An object's id is remembered between its reads: a deleted object, one made again under the same
// instance, or the same class and instance in another project never reach the old rows.
TEST_F(DBStorageTest, ValuesAreReadFromTheObjectThatHoldsTheClassAndInstanceNow) {
    {
        auto db = NewStorage();
        db->OpenDB();
        int32_t first = 1, second = 2;
        db->Create(-177, first);  // row 1
        db->Create(-177, second); // row 2
        db->WriteLong(-177, 2, 10, 222, 4);
        db->WriteLong(-177, 1, 10, 111, 4);
        db->SaveDBAs(dir.File("other.qdb"));
    }
    auto db = NewStorage();
    db->OpenDB();
    int32_t inst = 1;
    db->Create(-177, inst); // row 1
    db->WriteLong(-177, 1, 10, 5, 4);
    int32_t value = 0;
    ASSERT_TRUE(db->ReadLong(-177, 1, 10, value, 4));
    EXPECT_EQ(value, 5);
    db->Delete(-177, 1);
    EXPECT_EQ(ErrorOf([&] { db->ReadLong(-177, 1, 10, value, 4); }), "Object doesn't exist");
    db->Create(-177, inst); // row 2
    EXPECT_EQ(ErrorOf([&] { db->ReadLong(-177, 1, 10, value, 4); }), "Data doesn't exist");
    db->WriteLong(-177, 1, 10, 6, 4);

    db->OpenDB(dir.File("other.qdb"));
    ASSERT_TRUE(db->ReadLong(-177, 1, 10, value, 4));
    EXPECT_EQ(value, 111);
    db->OpenDB(); // a new project: nothing
    EXPECT_EQ(ErrorOf([&] { db->ReadLong(-177, 1, 10, value, 4); }), "Object doesn't exist");
}

TEST_F(DBStorageTest, FilesAndTheWorkingDirectory) {
    auto db = NewStorage();
    db->OpenDB();
    const std::string odd = "Prog/O'Brien's \"file\".c";
    db->WriteFile(odd, {'a', 'b'});
    db->WriteFile("Prog/main.c", {'x', '\n'});
    db->WriteFile("Prog2/Prog/main.c", {'y'});
    db->WriteFile("Prog", {'z'});
    EXPECT_TRUE(db->FileExists(odd));
    EXPECT_TRUE(db->FileExists("prog/MAIN.c")); // paths compare without case, as they always did
    EXPECT_FALSE(db->FileExists("Prog/main"));
    ZRStorage::Bytes bytes;
    db->ReadFile(odd, bytes);
    EXPECT_EQ(bytes, (ZRStorage::Bytes{'a', 'b'}));
    EXPECT_EQ(ErrorOf([&] { db->ReadFile("Prog/none.c", bytes); }), "Data doesn't exist");

    // Renaming a top-level directory touches only its own files, and only their leading name.
    db->AddTempDir("Prog");
    db->CreateTempFile("Prog/main.c");
    db->Rename("Prog", "Main");
    EXPECT_TRUE(db->FileExists("Main/main.c"));
    EXPECT_TRUE(db->FileExists("Main/O'Brien's \"file\".c"));
    EXPECT_TRUE(db->FileExists("Prog2/Prog/main.c"));
    EXPECT_TRUE(db->FileExists("Main")); // a top-level file of that name is that name
    EXPECT_FALSE(db->FileExists("Prog/main.c"));
    EXPECT_TRUE(db->DirExists("Main"));
    EXPECT_FALSE(db->DirExists("Prog"));
    db->Rename("Main/main.c", "Main/start.c");
    EXPECT_TRUE(db->FileExists("Main/start.c"));
    EXPECT_EQ(ErrorOf([&] { db->Rename("Main/gone.c", "Main/x.c"); }), "Data doesn't exist");

    // Working files: a last line always ends; edits go back into the table.
    db->WriteFile("Main/empty.c", {});
    db->CreateTempFile("Main/start.c");
    db->CreateTempFile("Main/empty.c");
    EXPECT_EQ(ReadAll(dir.File("temp/Main/start.c")), "x\n");
    EXPECT_NE(ErrorOf([&] { db->CreateTempFile("Prog2/Prog/main.c"); }).find("No such file"),
              std::string::npos);
    EXPECT_EQ(ErrorOf([&] { db->CreateTempFile("Prog2/nothing.c"); }), "Data doesn't exist");
    EXPECT_EQ(ReadAll(dir.File("temp/Main/empty.c")), "");
    std::ofstream(dir.File("temp/Main/start.c"), std::ios::binary) << "edited";
    EXPECT_TRUE(db->SaveTempFile("Main/start.c"));
    db->ReadFile("Main/start.c", bytes);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "edited");

    ZRStorage::Strings files, dirs;
    FileSystem::MakeDirectories(dir.File("temp/Main/sub"));
    db->GetDirList("Main", files, dirs);
    EXPECT_EQ(files, (ZRStorage::Strings{"empty.c", "start.c"}));
    EXPECT_EQ(dirs, (ZRStorage::Strings{"sub"}));

    db->RemoveFile("Main/start.c");
    EXPECT_FALSE(db->FileExists("Main/start.c"));
    EXPECT_FALSE(FileSystem::Exists(dir.File("temp/Main/start.c")));
    db->RemoveDir("Main");
    EXPECT_FALSE(FileSystem::Exists(dir.File("temp/Main")));
    EXPECT_TRUE(db->FileExists("Main/empty.c")); // rows are not touched

    // Paths that would leave the working directory are refused before anything happens.
    std::ofstream(dir.File("precious")) << "keep";
    EXPECT_NE(ErrorOf([&] { db->RemoveDir(".."); }), "");
    EXPECT_NE(ErrorOf([&] { db->RemoveFile("../precious"); }), "");
    EXPECT_TRUE(FileSystem::Exists(dir.File("precious")));
    EXPECT_TRUE(FileSystem::Exists(dir.File("temp")));
}

TEST_F(DBStorageTest, SaveWritesTheUserFileOnlyWhenAskedAndReopens) {
    auto db = NewStorage();
    db->OpenDB(dir.File("new/dir/Project.qdb")); // does not exist yet: its directory is made
    EXPECT_TRUE(FileSystem::IsDirectory(dir.File("new/dir")));
    EXPECT_FALSE(FileSystem::Exists(dir.File("new/dir/Project.qdb")));
    int32_t inst = 1;
    db->Create(-181, inst);
    db->WriteString(-181, 1, -1000, "Project.qdb");
    db->SaveDB();
    EXPECT_FALSE(db->IsModified());
    EXPECT_EQ(db->GetFileName(), dir.File("new/dir/Project.qdb"));

    db->WriteLong(-181, 1, 10, 42, 4);
    EXPECT_TRUE(db->IsModified());
    EXPECT_EQ(Count(db->GetFileName(), "SELECT count(*) FROM Integers"), 0); // not saved yet
    db->SaveDBAs("Other.qdb");
    EXPECT_EQ(db->GetFileName(), dir.File("Other.qdb"));
    EXPECT_EQ(Count(dir.File("Other.qdb"), "SELECT Value FROM Integers"), 42);
    EXPECT_EQ(FileSystem::List(dir.Path().string(), "Other.qdb*").size(), 1u); // no temporary file left

    auto again = NewStorage();
    again->OpenDB(dir.File("Other.qdb"));
    int32_t l = 0;
    again->ReadLong(-181, 1, 10, l, 4);
    EXPECT_EQ(l, 42);
    EXPECT_FALSE(again->IsModified());
}

TEST_F(DBStorageTest, FailedSaveKeepsTheOldFileAndAUsableWorkingCopy) {
    std::string target = SavedProject("Target.qdb");
    const std::string before = ReadAll(target);
    auto db = NewStorage();
    db->OpenDB(target);
    db->WriteLong(-181, 1, 10, 1, 4);

    // Read-only target.
    ::chmod(target.c_str(), 0444);
    EXPECT_EQ(ErrorOf([&] { db->SaveDB(); }), "Unable to save file. May be read-only.");
    ::chmod(target.c_str(), 0644);
    EXPECT_EQ(ReadAll(target), before);

    // Disk full while the compacted copy is written.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 8192;
    ::setrlimit(RLIMIT_FSIZE, &small);
    std::string error = ErrorOf([&] { db->SaveDB(); });
    ::setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_NE(error, "");
    EXPECT_EQ(ReadAll(target), before);
    EXPECT_EQ(FileSystem::List(dir.Path().string(), "Target.qdb*").size(), 1u);

    // A directory that cannot be made.
    EXPECT_EQ(ErrorOf([&] { db->SaveDBAs(target + "/sub/x.qdb"); }), "Unable to create repository directory");
    EXPECT_EQ(db->GetFileName(), target);

    // Still open and usable; the next save goes through.
    EXPECT_TRUE(db->IsModified());
    db->WriteLong(-181, 1, 11, 2, 4);
    db->SaveDB();
    EXPECT_EQ(Count(target, "SELECT count(*) FROM Integers"), 2);
}

TEST_F(DBStorageTest, FilesThatAreNotProjectsAreRefusedAndLeftAlone) {
    std::string good = SavedProject("Good.qdb");
    auto make = [&](const std::string& name, std::vector<std::string> sql) {
        std::string path = dir.File(name);
        std::filesystem::copy_file(good, path);
        Database d;
        d.Open(path);
        for (const std::string& statement : sql)
            d.Execute(statement);
        return path;
    };
    std::string text = dir.File("text.qdb");
    std::ofstream(text) << std::string(4096, 'x');
    std::string empty = dir.File("empty.qdb");
    std::ofstream(empty).flush();
    std::string truncated = dir.File("cut.qdb");
    std::filesystem::copy_file(good, truncated);
    std::filesystem::resize_file(truncated, std::filesystem::file_size(good) / 2);

    const std::vector<std::pair<std::string, std::string>> cases = {
        {text, "not a database"},
        {empty, "the table Integers is missing"},
        {make("nofiles.qdb", {"DROP TABLE Files"}), "the table Files is missing"},
        {make("nocol.qdb", {"DROP INDEX ObjectsByClass", "ALTER TABLE Objects DROP COLUMN Instance"}),
         "the table Objects has no column Instance"},
        {make("nokey.qdb", {"DROP INDEX ObjectsByClass", "ALTER TABLE Objects RENAME TO Old",
                            "CREATE TABLE Objects (Class INTEGER, Instance INTEGER, Object INTEGER)",
                            "INSERT INTO Objects SELECT * FROM Old", "DROP TABLE Old"}),
         "Objects.Object does not number the objects"},
        {truncated, "damaged"},
        {make("instance.qdb", {"UPDATE Objects SET Instance = 70000"}), "the table Objects holds a key"},
        {make("class.qdb", {"UPDATE Objects SET Class = 'abc'"}), "the table Objects holds a key"},
        {make("link.qdb", {"INSERT INTO Integers VALUES (NULL, -1, 1)"}), "the table Integers holds a key"},
        {make("attribute.qdb", {"INSERT INTO Floats VALUES (1, 99999999999, 1.5)"}),
         "the table Floats holds a key"},
        {dir.File("temp"), "Is a directory"},
    };
    EXPECT_NO_THROW(DBStorage::CheckDB(good));
    for (const auto& [path, reason] : cases) {
        SCOPED_TRACE(path);
        const std::string bytes = ReadAll(path);
        auto db = NewStorage();
        std::string error = ErrorOf([&] { db->OpenDB(path); });
        EXPECT_NE(error.find(reason), std::string::npos) << error;
        EXPECT_NE(error.find(path), std::string::npos) << error;
        // The check made before anything else is closed refuses it too, naming the file.
        std::string checked = ErrorOf([&] { DBStorage::CheckDB(path); });
        EXPECT_NE(checked.find(path), std::string::npos) << checked;
        if (reason != "Is a directory") {
            EXPECT_EQ(checked, error);
        }
        EXPECT_FALSE(db->IsOpen());
        EXPECT_TRUE(db->GetFileName().empty());
        EXPECT_FALSE(FileSystem::Exists(db->GetTmpName()));
        EXPECT_EQ(ReadAll(path), bytes);
        EXPECT_EQ(ErrorOf([&] { db->SaveDB(); }), "No .qdb file specified");
        EXPECT_EQ(ErrorOf([&] { db->WriteLong(-181, 1, 1, 1, 4); }), "The project database is not open");
    }
}

// A stored number of the wrong type, out of range or null fails its own read, and only that one:
// it never reads as 0 or as a wrapped value.
TEST_F(DBStorageTest, BadStoredNumbersFailTheirReadInsteadOfReadingAsAnotherValue) {
    std::string path = SavedProject("Numbers.qdb");
    {
        Database d;
        d.Open(path);
        // Lower attribute numbers sort first, so the bad rows are also each table's first row.
        d.Execute("INSERT INTO Integers VALUES (1, 1, 99999999999), (1, 2, 'abc'), (1, 3, NULL), (1, 4, 7)");
        d.Execute("INSERT INTO Floats VALUES (1, 1, 'x'), (1, 2, NULL), (1, 3, 1e300), (1, 4, 0.5)");
        d.Execute("INSERT INTO Booleans VALUES (1, 1, 'yes'), (1, 2, NULL), (1, 4, 1)");
    }
    auto db = NewStorage();
    db->OpenDB(path);
    for (int32_t attribute : {1, 2, 3}) {
        SCOPED_TRACE(attribute);
        int32_t l = 5;
        uint32_t u = 5;
        float f = 5;
        EXPECT_NE(ErrorOf([&] { db->ReadLong(-181, 1, attribute, l, 4); }), "");
        EXPECT_NE(ErrorOf([&] { db->ReadUlong(-181, 1, attribute, u, 4); }), "");
        EXPECT_NE(ErrorOf([&] { db->ReadFloat(-181, 1, attribute, f); }), "");
        EXPECT_EQ(l, 5);
        EXPECT_EQ(u, 5u);
        EXPECT_EQ(f, 5);
    }
    for (int32_t attribute : {1, 2}) {
        bool b = false;
        EXPECT_NE(ErrorOf([&] { db->ReadBool(-181, 1, attribute, b); }), "");
    }
    int32_t l = 0;
    float f = 0;
    bool b = false;
    std::string name;
    EXPECT_TRUE(db->ReadLong(-181, 1, 4, l, 4));
    EXPECT_TRUE(db->ReadFloat(-181, 1, 4, f));
    EXPECT_TRUE(db->ReadBool(-181, 1, 4, b));
    EXPECT_TRUE(db->ReadString(-181, 1, -1000, name));
    EXPECT_EQ(l, 7);
    EXPECT_EQ(f, 0.5f);
    EXPECT_TRUE(b);
    EXPECT_EQ(name, "Project");
    // A good value written over a bad one reads back.
    db->WriteLong(-181, 1, 3, 12, 4);
    EXPECT_TRUE(db->ReadLong(-181, 1, 3, l, 4));
    EXPECT_EQ(l, 12);
}
