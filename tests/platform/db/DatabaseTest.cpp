#include "platform/db/Database.h"
#include "platform/core/FileSystem.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/db/TableDef.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

using namespace platform::db;
using platform::core::FileSystem;

namespace {
TableDef Items() {
    return {"Items",
            {{"Id", ColumnType::Integer, true},
             {"Name", ColumnType::Text, false, true},
             {"Qty", ColumnType::Integer},
             {"Data", ColumnType::Blob}}};
}

DbErrc ErrorCode(const std::function<void()>& f) {
    try {
        f();
    } catch (const DbError& e) {
        return e.Code();
    }
    return DbErrc{};
}
} // namespace

TEST(Database, CreatesOpensAndRefusesWhatIsNotADatabase) {
    TempDir dir;
    Database db;
    db.Create(dir.File("a.db"));
    db.CreateTable(Items());
    db.CreateIndex("ItemsByName", "Items", {"Name"});
    EXPECT_TRUE(db.TableExists("items"));
    EXPECT_FALSE(db.TableExists("Other"));
    EXPECT_EQ(db.GetColumnNames("Items"), (std::vector<std::string>{"Id", "Name", "Qty", "Data"}));
    EXPECT_TRUE(db.CheckIntegrity());
    db.Close();
    db.Close();
    EXPECT_EQ(ErrorCode([&] { db.Create(dir.File("a.db")); }), DbErrc::CantOpen);

    std::ofstream(dir.File("text.db"))
        << "this is not a database, just some text long enough to hold a header";
    EXPECT_EQ(ErrorCode([&] { db.Open(dir.File("text.db")); }), DbErrc::NotADatabase);
    EXPECT_EQ(ErrorCode([&] { db.Open(dir.File("missing.db")); }), DbErrc::CantOpen);
    EXPECT_FALSE(db.IsOpen());
    EXPECT_EQ(ErrorCode([&] { db.Execute("SELECT 1"); }), DbErrc::Misuse);
}

TEST(Database, EngineFailuresArriveAsTheLayersOwnKinds) {
    TempDir dir;
    Database db;
    db.Create(dir.File("a.db"));
    db.CreateTable(Items());
    db.Execute("INSERT INTO Items (Id, Name) VALUES (1, 'x')");
    EXPECT_EQ(ErrorCode([&] { db.Execute("INSERT INTO Items (Id, Name) VALUES (1, 'y')"); }), DbErrc::Constraint);
    EXPECT_EQ(ErrorCode([&] { db.Execute("SELECT * FROM NoSuchTable"); }), DbErrc::Other);

    Database other;
    other.Open(dir.File("a.db"));
    db.BeginTransaction();
    db.Execute("INSERT INTO Items (Name) VALUES (?)", {std::string("y")});
    EXPECT_EQ(ErrorCode([&] { other.Execute("INSERT INTO Items (Name) VALUES (?)", {std::string("z")}); }),
              DbErrc::Busy);
    db.RollbackTransaction();

    other.Open(dir.File("a.db"), true);
    EXPECT_EQ(ErrorCode([&] { other.Execute("INSERT INTO Items (Name) VALUES (?)", {std::string("z")}); }),
              DbErrc::ReadOnly);
}

TEST(Database, ParametersAreNeverSqlAndTextIsUtf8OnDisk) {
    TempDir dir;
    Database db;
    db.Create(dir.File("a.db"));
    db.CreateTable(Items());
    const std::string name = "O'Brien\"; DROP TABLE Items; --\xB0";
    db.Execute("INSERT INTO Items (Name, Qty) VALUES (?, ?)", {name, 5});
    EXPECT_EQ(ToText(db.QueryValue("SELECT Name FROM Items WHERE Name = ?", {name})), name);
    EXPECT_EQ(ToText(db.QueryValue("SELECT hex(substr(Name, -1)) FROM Items")), "C2B0");
    EXPECT_EQ(ToInt64(db.QueryValue("SELECT count(*) FROM Items WHERE Name = ?",
                                    {"o'brien\"; drop table items; --\xB0"})),
              1); // the column compares without case
}

TEST(Database, TransactionRollsBackUnlessCommitted) {
    TempDir dir;
    Database db;
    db.Create(dir.File("a.db"));
    db.CreateTable(Items());
    {
        Transaction t(db);
        db.Execute("INSERT INTO Items (Qty) VALUES (1)");
        {
            Transaction inner(db); // joins the outer one
            db.Execute("INSERT INTO Items (Qty) VALUES (2)");
            inner.Commit();
        }
        EXPECT_TRUE(db.InTransaction());
    }
    EXPECT_EQ(ToInt64(db.QueryValue("SELECT count(*) FROM Items")), 0);
    {
        Transaction t(db);
        db.Execute("INSERT INTO Items (Qty) VALUES (1)");
        t.Commit();
    }
    EXPECT_EQ(ToInt64(db.QueryValue("SELECT count(*) FROM Items")), 1);
}

TEST(Database, CompactionReplacesTheTargetOnlyWhenComplete) {
    TempDir dir;
    Database db;
    db.Create(dir.File("work.db"));
    db.CreateTable(Items());
    for (int i = 0; i < 200; ++i)
        db.Execute("INSERT INTO Items (Qty, Data) VALUES (?, zeroblob(1000))", {i});
    db.Execute("DELETE FROM Items WHERE Qty >= 10");

    std::ofstream(dir.File("target.db")) << "old contents";
    // A recordset in the middle of its rows does not block compaction, and goes on afterwards.
    Recordset rs(&db);
    rs.SetSort("Qty");
    rs.Open("Items");
    rs.MoveNext();
    db.CompactInto(dir.File("target.db"));
    rs.MoveNext();
    EXPECT_EQ(ToInt64(rs.GetFieldValue("Qty")), 2);

    Database copy;
    copy.Open(dir.File("target.db"), true);
    EXPECT_EQ(ToInt64(copy.QueryValue("SELECT count(*) FROM Items")), 10);
    EXPECT_EQ(FileSystem::List(dir.Path().string()).size(), 2u); // no temporary file left
    copy.Close();

    // A target that cannot be written keeps what it had.
    FileSystem::MakeDirectories(dir.File("sub/target.db"));
    EXPECT_NE(ErrorCode([&] { db.CompactInto(dir.File("sub/target.db")); }), DbErrc{});
    EXPECT_TRUE(FileSystem::IsDirectory(dir.File("sub/target.db")));
    EXPECT_EQ(FileSystem::List(dir.File("sub")).size(), 1u);
    EXPECT_NE(ErrorCode([&] { db.CompactInto(dir.File("missing/target.db")); }), DbErrc{});
    EXPECT_FALSE(FileSystem::Exists(dir.File("missing")));
}

TEST(Database, ClosingClosesItsRecordsets) {
    TempDir dir;
    Database db;
    db.Create(dir.File("a.db"));
    db.CreateTable(Items());
    Recordset rs(&db);
    rs.Open("[Items]");
    db.Close();
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_EQ(ErrorCode([&] { rs.MoveFirst(); }), DbErrc::Misuse);
    EXPECT_EQ(ErrorCode([&] { rs.Open("[Items]"); }), DbErrc::Misuse);
}

// Names are code page 1252: a project under "Müller/Prüfstand €.qdb" must get its data, under the
// name the user sees on disk, with nothing else left in the folder.
TEST(Database, NonAsciiNamesCreateOpenAndCompactTheSameFile) {
    TempDir dir;
    const std::string folder = dir.File("M\xFCller");
    const std::string onDisk = dir.File("M\xC3\xBCller");
    FileSystem::MakeDirectories(folder);
    Database db;
    db.Create(folder + "/work \x80.db");
    EXPECT_TRUE(std::filesystem::exists(onDisk + "/work \xE2\x82\xAC.db"));
    db.CreateTable(Items());
    db.Execute("INSERT INTO Items (Qty) VALUES (7)");

    const std::string target = folder + "/Pr\xFC"
                                        "fstand \x80.qdb";
    for (int round = 0; round < 2; ++round) { // a new file, then over itself
        db.CompactInto(target);
        Database copy;
        copy.Open(target, true);
        EXPECT_EQ(ToInt64(copy.QueryValue("SELECT Qty FROM Items")), 7);
    }
    EXPECT_GT(std::filesystem::file_size(onDisk + "/Pr\xC3\xBC"
                                                  "fstand \xE2\x82\xAC.qdb"),
              0u);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(onDisk))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Pr\xC3\xBC"
                                               "fstand \xE2\x82\xAC.qdb",
                                               "work \xE2\x82\xAC.db"}));
}
