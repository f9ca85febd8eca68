// The project database against the same work done with plain SQLite statements: opening,
// changing and saving a project of 100 drives with 300 values each, single value reads and
// writes, and opening a project of 100 off-line Tarvik drives the program's way (every drive and
// block made and every value read). The plain side uses the same file layout, indexes and
// working-copy settings, so the ratio is the cost of the storage, recordset and object layers.
#include "kitbase/model/DBStorage.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "quorvance/shell/QuorvanceTypeIds.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRNoxelFolder.h"
#include "support/model/TestDevice.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const int kDrives = 100;
const int kValues = 300;
const int32_t kDriveClass = -177;
std::string g_project;
std::string g_tarvikProject;

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

// The off-line root as the program attaches it to an open project.
std::unique_ptr<ZRNoxelFolder> AttachRoot(TestDevice& device) {
    auto root = std::make_unique<ZRNoxelFolder>();
    root->Init();
    root->SetClass(kOffLineRootType);
    root->Attach(&device, 1);
    return root;
}

// 100 standard Tarvik drives under the off-line root, as "Insert Tarvik Drive" adds them.
void MakeTarvikProject(const std::string& path) {
    DBStorage db;
    db.OpenDB();
    int32_t root = 1;
    db.Create(kOffLineRootType, root);
    db.WriteString(kOffLineRootType, 1, ZRNoxelFolder::kNameAttribute, "Bench");
    TestDevice device(&db);
    auto folder = AttachRoot(device);
    for (int d = 1; d <= kDrives; ++d) {
        auto drive = std::make_unique<ZRDrive>(tarvik::kStandardDriveType);
        drive->SetProductType(ZRDrive::kStandardDrive | ZRDrive::kDrivePresent | ZRDrive::kFirmwareValid);
        drive->Init();
        drive->GetName().SetValue("Axis " + std::to_string(d));
        folder->AddChild(std::move(drive), true);
    }
    db.SaveDBAs(path);
}

// Every value of the object and its subtree read from storage, as the property windows read them.
size_t RefreshTree(ZRObject& object) {
    object.Refresh();
    size_t objects = 1;
    for (ZRObject* child : object.GetChildren())
        objects += RefreshTree(*child);
    return objects;
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
    sqlite3_stmt* object = nullptr;
    std::vector<sqlite3_stmt*> values;

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
        values.insert(values.end(), {find, read, update, insert, object});
        for (sqlite3_stmt* s : values)
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
    // Every row of the object and, through its links, of its subtree; the number of rows read.
    size_t ReadTree(int id) {
        static const char* const kTables[] = {"Integers", "Floats", "Strings", "Booleans", "Binary"};
        if (!object) {
            Prepare("SELECT Class, Instance FROM Objects WHERE Object = ?", &object);
            for (const char* table : kTables)
                Prepare(("SELECT Attribute, Value FROM " + std::string(table) + " WHERE Object = ?").c_str(),
                        &values.emplace_back());
        }
        size_t rows = 0;
        std::vector<int> children;
        sqlite3_bind_int(object, 1, id);
        for (int rc; (rc = sqlite3_step(object)) != SQLITE_DONE; ++rows) {
            Check(rc, db);
            benchmark::DoNotOptimize(sqlite3_column_int(object, 0) + sqlite3_column_int(object, 1));
        }
        sqlite3_reset(object);
        for (size_t t = 0; t < values.size(); ++t) {
            sqlite3_stmt* s = values[t];
            sqlite3_bind_int(s, 1, id);
            for (int rc; (rc = sqlite3_step(s)) != SQLITE_DONE; ++rows) {
                Check(rc, db);
                const int attribute = sqlite3_column_int(s, 0);
                if (t == 0 && attribute == -1)
                    children.push_back(sqlite3_column_int(s, 1));
                else if (t == 1)
                    benchmark::DoNotOptimize(sqlite3_column_double(s, 1));
                else if (t == 2 || t == 4) {
                    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(s, 1));
                    std::string value =
                        bytes ? std::string(bytes, sqlite3_column_bytes(s, 1)) : std::string();
                    benchmark::DoNotOptimize(value.data());
                } else
                    benchmark::DoNotOptimize(sqlite3_column_int(s, 1));
            }
            sqlite3_reset(s);
        }
        for (int child : children)
            rows += ReadTree(child);
        return rows;
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

// ---- open a project of 100 off-line Tarvik drives and read every drive

void BM_Project_OpenTarvikDrives(benchmark::State& state) {
    size_t objects = 0;
    for (auto _ : state) {
        DBStorage db;
        db.OpenDB(g_tarvikProject);
        TestDevice device(&db);
        auto root = AttachRoot(device);
        objects = RefreshTree(*root);
    }
    state.counters["objects"] = static_cast<double>(objects);
}
BENCHMARK(BM_Project_OpenTarvikDrives)->Unit(benchmark::kMillisecond);

void BM_Plain_OpenTarvikDrives(benchmark::State& state) {
    size_t rows = 0;
    for (auto _ : state) {
        std::filesystem::copy_file(g_tarvikProject, "plain-work.qdb",
                                   std::filesystem::copy_options::overwrite_existing);
        Plain p("plain-work.qdb");
        int root = p.ObjectId(kOffLineRootType, 1);
        rows = p.ReadTree(root);
    }
    std::filesystem::remove("plain-work.qdb");
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_Plain_OpenTarvikDrives)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Working copies are made in the current directory: work in a scratch one.
    std::string dir = (std::filesystem::temp_directory_path() / "qvbench-XXXXXX").string();
    if (!mkdtemp(dir.data()))
        return 1;
    std::filesystem::path old = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    g_project = dir + "/Bench.qdb";
    g_tarvikProject = dir + "/Tarvik.qdb";
    // Settings and working copies in the scratch folder too; the drives need the build's motor
    // catalogue and the program's object factory.
    setenv("QUORVANCE_CONFIG_DIR", dir.c_str(), 1);
    setenv("XDG_DATA_HOME", dir.c_str(), 1);
    if (!ZRGlobalDataMgr::Instance()->Init())
        return 1;
    MakeProject(g_project);
    MakeTarvikProject(g_tarvikProject);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    ZRGlobalDataMgr::DestroyInstance();
    std::filesystem::current_path(old);
    std::filesystem::remove_all(dir);
    return 0;
}
