// The project database against the same work done with plain SQLite statements: opening,
// changing and saving a project of 100 drives with 300 values each, and single value reads and
// writes. The plain side uses the same file layout, indexes and working-copy settings, so the
// ratio is the cost of the storage and recordset layers themselves.
#include "kitbase/model/DBStorage.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

const int kDrives = 100;
const int kValues = 300;
const int32_t kDriveClass = -177;
std::string g_project;

// 200 longs, 50 floats, 30 strings and 20 booleans per drive, linked under a root folder.
void MakeProject(const std::string& path) {
    DBStorage db;
    db.OpenDB();
    int32_t root = 1;
    db.Create(-181, root);
    db.WriteString(-181, 1, -1000, "Bench");
    for (int d = 1; d <= kDrives; ++d) {
        int32_t inst = d;
        db.Create(kDriveClass, inst);
        int32_t id = 0;
        db.FindInstance(kDriveClass, inst, id);
        db.AddChild(-181, 1, id);
        for (int a = 1; a <= kValues; ++a) {
            if (a <= 200)
                db.WriteLong(kDriveClass, d, a, a * d, 4);
            else if (a <= 250)
                db.WriteFloat(kDriveClass, d, a, a * 0.5f);
            else if (a <= 280)
                db.WriteString(kDriveClass, d, a, "Value text " + std::to_string(a));
            else
                db.WriteBool(kDriveClass, d, a, a % 2 == 0);
        }
    }
    db.SaveDBAs(path);
}

// ---- plain SQLite

void Check(int rc, sqlite3* db) {
    if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(db));
}

struct Plain {
    sqlite3* db = nullptr;
    sqlite3_stmt* find = nullptr;
    sqlite3_stmt* read = nullptr;
    sqlite3_stmt* update = nullptr;
    sqlite3_stmt* insert = nullptr;

    explicit Plain(const std::string& path) {
        Check(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), db);
        Check(sqlite3_exec(
                  db,
                  "PRAGMA synchronous = OFF; PRAGMA journal_mode = MEMORY; PRAGMA locking_mode = EXCLUSIVE",
                  nullptr, nullptr, nullptr),
              db);
        Prepare("SELECT Object FROM Objects WHERE Class = ? AND Instance = ?", &find);
        Prepare("SELECT Value FROM Integers WHERE Object = ? AND Attribute = ?", &read);
        Prepare("UPDATE Integers SET Value = ? WHERE Object = ? AND Attribute = ?", &update);
        Prepare("INSERT INTO Integers (Object, Attribute, Value) VALUES (?, ?, ?)", &insert);
    }
    ~Plain() {
        for (sqlite3_stmt* s : {find, read, update, insert})
            sqlite3_finalize(s);
        sqlite3_close_v2(db);
    }
    void Prepare(const char* sql, sqlite3_stmt** s) {
        Check(sqlite3_prepare_v2(db, sql, -1, s, nullptr), db);
    }

    int ObjectId(int cls, int inst) {
        sqlite3_bind_int(find, 1, cls);
        sqlite3_bind_int(find, 2, inst);
        int rc = sqlite3_step(find);
        Check(rc, db);
        int id = rc == SQLITE_ROW ? sqlite3_column_int(find, 0) : 0;
        sqlite3_reset(find);
        return id;
    }
    int ReadLong(int cls, int inst, int attr) {
        int id = ObjectId(cls, inst);
        sqlite3_bind_int(read, 1, id);
        sqlite3_bind_int(read, 2, attr);
        int rc = sqlite3_step(read);
        Check(rc, db);
        int v = rc == SQLITE_ROW ? sqlite3_column_int(read, 0) : 0;
        sqlite3_reset(read);
        return v;
    }
    void WriteLong(int cls, int inst, int attr, int value) {
        int id = ObjectId(cls, inst);
        sqlite3_bind_int(update, 1, value);
        sqlite3_bind_int(update, 2, id);
        sqlite3_bind_int(update, 3, attr);
        Check(sqlite3_step(update), db);
        sqlite3_reset(update);
        if (sqlite3_changes(db) == 0) {
            sqlite3_bind_int(insert, 1, id);
            sqlite3_bind_int(insert, 2, attr);
            sqlite3_bind_int(insert, 3, value);
            Check(sqlite3_step(insert), db);
            sqlite3_reset(insert);
        }
    }
    void SaveTo(const std::string& target) {
        std::string tmp = target + ".tmp";
        std::filesystem::remove(tmp);
        sqlite3_stmt* vacuum = nullptr;
        Prepare("VACUUM INTO ?", &vacuum);
        sqlite3_bind_text(vacuum, 1, tmp.c_str(), -1, SQLITE_TRANSIENT);
        Check(sqlite3_step(vacuum), db);
        sqlite3_finalize(vacuum);
        std::filesystem::rename(tmp, target);
    }
};

// ---- open, change one drive's 200 long values, save

void BM_Project_OpenModifySave(benchmark::State& state) {
    int round = 0;
    for (auto _ : state) {
        DBStorage db;
        db.OpenDB(g_project);
        ++round;
        for (int a = 1; a <= 200; ++a)
            db.WriteLong(kDriveClass, 50, a, a + round, 4);
        db.SaveDB();
    }
}
BENCHMARK(BM_Project_OpenModifySave)->Unit(benchmark::kMillisecond);

void BM_Plain_OpenModifySave(benchmark::State& state) {
    int round = 0;
    for (auto _ : state) {
        std::filesystem::copy_file(g_project, "plain-work.qdb",
                                   std::filesystem::copy_options::overwrite_existing);
        {
            Plain p("plain-work.qdb");
            ++round;
            for (int a = 1; a <= 200; ++a)
                p.WriteLong(kDriveClass, 50, a, a + round);
            p.SaveTo(g_project);
        }
        std::filesystem::remove("plain-work.qdb");
    }
}
BENCHMARK(BM_Plain_OpenModifySave)->Unit(benchmark::kMillisecond);

// ---- single values on an open project

void BM_Project_ReadLong(benchmark::State& state) {
    DBStorage db;
    db.OpenDB(g_project);
    std::mt19937 rng(1);
    int32_t v = 0;
    for (auto _ : state) {
        db.ReadLong(kDriveClass, 1 + rng() % kDrives, 1 + rng() % 200, v, 4);
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_Project_ReadLong);

void BM_Plain_ReadLong(benchmark::State& state) {
    std::filesystem::copy_file(g_project, "plain-work.qdb",
                               std::filesystem::copy_options::overwrite_existing);
    {
        Plain p("plain-work.qdb");
        std::mt19937 rng(1);
        for (auto _ : state)
            benchmark::DoNotOptimize(p.ReadLong(kDriveClass, 1 + rng() % kDrives, 1 + rng() % 200));
    }
    std::filesystem::remove("plain-work.qdb");
}
BENCHMARK(BM_Plain_ReadLong);

void BM_Project_WriteLong(benchmark::State& state) {
    DBStorage db;
    db.OpenDB(g_project);
    std::mt19937 rng(1);
    int n = 0;
    for (auto _ : state)
        db.WriteLong(kDriveClass, 1 + rng() % kDrives, 1 + rng() % 200, ++n, 4);
}
BENCHMARK(BM_Project_WriteLong);

void BM_Plain_WriteLong(benchmark::State& state) {
    std::filesystem::copy_file(g_project, "plain-work.qdb",
                               std::filesystem::copy_options::overwrite_existing);
    {
        Plain p("plain-work.qdb");
        std::mt19937 rng(1);
        int n = 0;
        for (auto _ : state)
            p.WriteLong(kDriveClass, 1 + rng() % kDrives, 1 + rng() % 200, ++n);
    }
    std::filesystem::remove("plain-work.qdb");
}
BENCHMARK(BM_Plain_WriteLong);

void BM_Project_ReadString(benchmark::State& state) {
    DBStorage db;
    db.OpenDB(g_project);
    std::mt19937 rng(1);
    std::string s;
    for (auto _ : state) {
        db.ReadString(kDriveClass, 1 + rng() % kDrives, 251 + rng() % 30, s);
        benchmark::DoNotOptimize(s.data());
    }
}
BENCHMARK(BM_Project_ReadString);

} // namespace

int main(int argc, char** argv) {
    // Working copies are made in the current directory: work in a scratch one.
    std::string dir = (std::filesystem::temp_directory_path() / "qvbench-XXXXXX").string();
    if (!mkdtemp(dir.data()))
        return 1;
    std::filesystem::path old = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    g_project = dir + "/Bench.qdb";
    MakeProject(g_project);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::filesystem::current_path(old);
    std::filesystem::remove_all(dir);
    return 0;
}
