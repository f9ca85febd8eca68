#include "kitbase/model/DBStorage.h"

#include "kitbase/model/ZRBinaryRS.h"
#include "kitbase/model/ZRBooleanRS.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRFileRS.h"
#include "kitbase/model/ZRFloatRS.h"
#include "kitbase/model/ZRIntegerRS.h"
#include "kitbase/model/ZRObjectRS.h"
#include "kitbase/model/ZRStringRS.h"
#include "kitbase/model/ZRUpdate.h"

#include "platform/core/Directories.h"
#include "platform/core/FileSystem.h"
#include "platform/core/SystemError.h"
#include "platform/core/Text.h"
#include "platform/core/WorkFiles.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/db/TableDef.h"

using platform::core::FileSystem;
using platform::core::Format;
using platform::db::ColumnType;
using platform::db::DbErrc;
using platform::db::DbError;
using platform::db::TableDef;

namespace {

const char* const kNoObject = "Object doesn't exist";
const char* const kNoData = "Data doesn't exist";
const char* const kNoRepositoryDir = "Unable to create repository directory";
const int32_t kLinkAttribute = -1;
const int32_t kMaxInstance = 10000;

// Lookups; the values are bound, never pasted in.
const std::string kByClassInstance = "Class = ? AND Instance = ?";
const std::string kByClass = "Class = ?";
const std::string kByObject = "Object = ?";
const std::string kByValue = "Object = ? AND Attribute = ?";
const std::string kByLink = "Object = ? AND Attribute = ? AND Value = ?";
const std::string kByPath = "Path = ?";

// The seven tables in the order they are made; Path compares without case, as it always did.
const std::vector<TableDef>& Schema() {
    static const std::vector<TableDef> tables = {
        {"Integers", {{"Object"}, {"Attribute"}, {"Value"}}},
        {"Floats", {{"Object"}, {"Attribute"}, {"Value", ColumnType::Real}}},
        {"Binary", {{"Object"}, {"Attribute"}, {"Value", ColumnType::Blob}}},
        {"Booleans", {{"Object"}, {"Attribute"}, {"Value"}}},
        {"Strings", {{"Object"}, {"Attribute"}, {"Value", ColumnType::Text}}},
        {"Objects", {{"Class"}, {"Instance"}, {"Object", ColumnType::Integer, true}}},
        {"Files", {{"Path", ColumnType::Text, false, true}, {"Value", ColumnType::Blob}}},
    };
    return tables;
}

// Engine failures of the row operations reach callers as ZRError without a code.
template <class F> decltype(auto) Engine(F&& f) {
    try {
        return f();
    } catch (const DbError& e) {
        throw ZRError(0, e.what());
    }
}

// A database failure carried in a ZRError, whose zero means "no code".
int ErrorCode(DbErrc code) {
    return static_cast<int>(code);
}

[[noreturn]] void FileError(std::string text) {
    if (text.size() > 255)
        text.resize(255);
    throw ZRError(0, text);
}

bool EnsureDirectory(const std::string& dir) {
    return dir.empty() || FileSystem::IsDirectory(dir) || FileSystem::TryMakeDirectories(dir);
}

// A value recordset, open. Every use finds its row first, so a first row whose value the members
// cannot hold only fails its own read later and does not refuse the whole file.
template <class RS> std::unique_ptr<RS> OpenValues(platform::db::Database* db) {
    auto rs = std::make_unique<RS>(db);
    try {
        rs->Open();
    } catch (const DbError& e) {
        if (e.Code() != DbErrc::Mismatch || !rs->IsOpen())
            throw;
    }
    return rs;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t pos = 0; !from.empty() && (pos = text.find(from, pos)) != std::string::npos; pos += to.size())
        text.replace(pos, from.size(), to);
    return text;
}

// An engine failure on the file `opened`, told as one of the file the user knows (`shown`) and
// saying what is wrong with it.
ZRError OpenFailure(const DbError& e, const std::string& opened, const std::string& shown) {
    std::string text = e.what();
    const std::string prefix = "Cannot open " + opened + ": ";
    if (text.compare(0, prefix.size(), prefix) == 0)
        text.erase(0, prefix.size());
    text = ReplaceAll(text, opened, shown);
    const char* format = e.Code() == DbErrc::Corrupt        ? "%s is damaged: %s"
                         : e.Code() == DbErrc::NotADatabase ? "%s is not a project database: %s"
                                                            : "Unable to open %s: %s";
    return ZRError(ErrorCode(e.Code()), Format(format, shown.c_str(), text.c_str()));
}

} // namespace

DBStorage::DBStorage() : m_pTmpLock(std::make_unique<platform::core::WorkFileLock>()) {
    try {
        m_TmpName = platform::core::ClaimWorkFile("qvrecvr%d.qdb", *m_pTmpLock);
    } catch (const platform::core::SystemError& e) {
        throw ZRError(0, Format("Unable to make a working copy: %s", e.what()));
    }
    if (m_TmpName.empty())
        throw ZRError(0, "Unable to make a working copy: every name is in use");
}

DBStorage::~DBStorage() {
    try {
        Notify(ZRUpdate::Destroying);
    } catch (...) {
        // An observer's failure must not keep the working copy on disk.
    }
    Close();
    FileSystem::TryRemove(m_TmpName);
    m_pTmpLock->Unlock(true);
}

void DBStorage::OnUpdate(platform::core::Subject*, platform::core::Message*) {}

bool DBStorage::IsOpen() const {
    return m_pDatabase && m_pDatabase->IsOpen();
}

void DBStorage::RequireOpen() const {
    if (!IsOpen())
        throw ZRError(0, "The project database is not open");
}

// ---- file, schema and working copy

void DBStorage::OpenDB(const std::string& path) {
    Close();
    FileSystem::TryRemove(m_TmpName);
    std::string full = FileSystem::FullPath(path);
    if (FileSystem::Exists(full)) {
        try {
            FileSystem::Copy(full, m_TmpName);
        } catch (const platform::core::SystemError& e) {
            FileSystem::TryRemove(m_TmpName);
            throw ZRError(0, Format("Unable to make a working copy of %s: %s", full.c_str(), e.what()));
        }
        // The project must have arrived whole, or a later save would write a damaged copy over it.
        uint64_t source = 0, copy = 0;
        if (!FileSystem::FileSize(full, source) || !FileSystem::FileSize(m_TmpName, copy) || source != copy) {
            FileSystem::TryRemove(m_TmpName);
            throw ZRError(
                0, Format("Unable to make a working copy of %s: the copy is incomplete", full.c_str()));
        }
    } else if (!EnsureDirectory(FileSystem::Directory(full))) {
        throw ZRError(0, kNoRepositoryDir);
    }
    std::string before = m_FileName;
    m_FileName = full;
    try {
        OpenTmpDB();
    } catch (...) {
        m_FileName = before;
        FileSystem::TryRemove(m_TmpName);
        throw;
    }
}

void DBStorage::OpenDB() {
    Close();
    // A new project never inherits what an earlier one left in the working copy.
    FileSystem::TryRemove(m_TmpName);
    m_FileName.clear();
    OpenTmpDB();
}

void DBStorage::CreateSchema() {
    platform::db::Transaction t(*m_pDatabase);
    for (const TableDef& def : Schema())
        m_pDatabase->CreateTable(def);
    t.Commit();
}

void DBStorage::CheckDB(const std::string& path) {
    const std::string full = FileSystem::FullPath(path);
    platform::db::Database db;
    try {
        db.Open(full, true);
        CheckProjectDatabase(db, full);
    } catch (const DbError& e) {
        throw OpenFailure(e, full, full);
    }
}

void DBStorage::CheckProjectDatabase(platform::db::Database& db, const std::string& shown) {
    std::string problem;
    if (!db.CheckIntegrity(&problem))
        throw ZRError(ErrorCode(DbErrc::Corrupt),
                      Format("%s is damaged: %s", shown.c_str(), problem.c_str()));
    for (const TableDef& def : Schema()) {
        std::vector<std::string> columns = db.GetColumnNames(def.name);
        if (columns.empty())
            throw ZRError(ErrorCode(DbErrc::NotADatabase),
                          Format("%s is not a project database: the table %s is missing", shown.c_str(),
                                 def.name.c_str()));
        for (const auto& spec : def.columns) {
            bool found = false;
            for (const std::string& c : columns)
                found = found || platform::core::EqualsNoCase(c, spec.name);
            if (!found)
                throw ZRError(ErrorCode(DbErrc::NotADatabase),
                              Format("%s is not a project database: the table %s has no column %s",
                                     shown.c_str(), def.name.c_str(), spec.name.c_str()));
        }
    }
    // Keys are read into 16- and 32-bit members: one that does not fit them, or is no integer,
    // would name a different object, so the file is damaged. A bad value only fails its own read.
    for (const TableDef& def : Schema()) {
        std::string bad;
        for (const auto& spec : def.columns) {
            if (spec.type != ColumnType::Integer || spec.name == "Value")
                continue;
            const bool small = def.name == "Objects" && spec.name != "Object";
            bad += Format("%stypeof(%s) <> 'integer' OR %s NOT BETWEEN %d AND %d", bad.empty() ? "" : " OR ",
                          spec.name.c_str(), spec.name.c_str(), small ? INT16_MIN : INT32_MIN,
                          small ? INT16_MAX : INT32_MAX);
        }
        if (!bad.empty() && platform::db::ToInt64(db.QueryValue("SELECT EXISTS (SELECT 1 FROM " + def.name +
                                                                " WHERE " + bad + ")")) != 0)
            throw ZRError(ErrorCode(DbErrc::Corrupt),
                          Format("%s is damaged: the table %s holds a key that is not a valid number",
                                 shown.c_str(), def.name.c_str()));
    }
    // New objects rely on the engine numbering them.
    auto key = db.QueryValue("SELECT pk = 1 AND upper(type) = 'INTEGER' FROM pragma_table_info('Objects') "
                             "WHERE name = 'Object' COLLATE NOCASE");
    if (platform::db::ToInt64(key) != 1)
        throw ZRError(ErrorCode(DbErrc::NotADatabase),
                      Format("%s is not a project database: Objects.Object does not number the objects",
                             shown.c_str()));
}

void DBStorage::OpenTmpDB() {
    Close();
    const std::string shown = m_FileName.empty() ? m_TmpName : m_FileName;
    try {
        m_pDatabase = std::make_unique<platform::db::Database>();
        if (FileSystem::Exists(m_TmpName)) {
            m_pDatabase->Open(m_TmpName);
            CheckProjectDatabase(*m_pDatabase, shown);
        } else {
            if (!EnsureDirectory(FileSystem::Directory(m_TmpName)))
                throw ZRError(0, kNoRepositoryDir);
            m_pDatabase->Create(m_TmpName);
            CreateSchema();
        }
        // The working copy is private scratch: the user's file changes only through a complete
        // save, and a working copy left by a crash is never reopened. So it is written without
        // waiting for the disk, and held exclusively, which also spares a lock per write.
        m_pDatabase->Execute("PRAGMA synchronous = OFF");
        m_pDatabase->Execute("PRAGMA journal_mode = MEMORY");
        m_pDatabase->Execute("PRAGMA locking_mode = EXCLUSIVE");
        for (const char* table : {"Integers", "Floats", "Binary", "Booleans", "Strings"})
            m_pDatabase->CreateIndex(std::string(table) + "ByObject", table, {"Object", "Attribute"});
        m_pDatabase->CreateIndex("ObjectsByClass", "Objects", {"Class", "Instance"});
        m_pDatabase->CreateIndex("FilesByPath", "Files", {"Path"});

        platform::db::Database* db = m_pDatabase.get();
        m_pBooleans = OpenValues<ZRBooleanRS>(db);
        m_pBinary = std::make_unique<ZRBinaryRS>(db);
        m_pBinary->Open();
        m_pFloats = OpenValues<ZRFloatRS>(db);
        m_pIntegers = OpenValues<ZRIntegerRS>(db);
        m_pStrings = std::make_unique<ZRStringRS>(db);
        m_pStrings->Open();
        m_pObjects = std::make_unique<ZRObjectRS>(db);
        m_pObjects->SetSort("[Object]"); // instance lists keep the order the objects were made in
        m_pObjects->Open();
        m_pFiles = std::make_unique<ZRFileRS>(db);
        m_pFiles->Open();
    } catch (const DbError& e) {
        Close();
        throw OpenFailure(e, m_TmpName, shown);
    } catch (...) {
        Close();
        throw;
    }
    m_bModified = false;
}

void DBStorage::SaveDB() {
    if (m_FileName.empty())
        throw ZRError(0, "No .qdb file specified");
    SaveDBAs(m_FileName);
}

void DBStorage::SaveDBAs(const std::string& path) {
    RequireOpen();
    std::string full = FileSystem::FullPath(path);
    if (!FileSystem::Exists(full)) {
        if (!EnsureDirectory(FileSystem::Directory(full)))
            throw ZRError(0, kNoRepositoryDir);
    } else if (FileSystem::IsReadOnly(full)) {
        throw ZRError(0, "Unable to save file. May be read-only.");
    }
    // The old file is replaced only by a complete copy; on failure it and the working copy stay.
    try {
        m_pDatabase->CompactInto(full);
    } catch (const DbError& e) {
        throw ZRError(ErrorCode(e.Code()), Format("Unable to save %s: %s", full.c_str(), e.what()));
    }
    m_FileName = full;
    m_bModified = false;
}

void DBStorage::Close() {
    m_Last = {};
    m_pBooleans.reset();
    m_pFloats.reset();
    m_pIntegers.reset();
    m_pStrings.reset();
    m_pObjects.reset();
    m_pFiles.reset();
    m_pBinary.reset();
    m_pDatabase.reset();
}

void DBStorage::RemoveDB() {
    Close();
    if (!m_FileName.empty())
        FileSystem::TryRemove(m_FileName);
}

// ---- objects

bool DBStorage::FindInstance(int32_t cls, int32_t instance, int32_t& id) {
    RequireOpen();
    if (m_Last.id != 0 && m_Last.cls == cls && m_Last.instance == instance) {
        id = m_Last.id;
        return true;
    }
    return Engine([&] {
        if (!m_pObjects->FindFirst(kByClassInstance, {cls, instance}))
            return false;
        id = m_pObjects->m_Object;
        m_Last = {cls, instance, id};
        return true;
    });
}

int32_t DBStorage::ObjectIdOf(int32_t cls, int32_t instance) {
    int32_t id = 0;
    if (!FindInstance(cls, instance, id))
        throw ZRError(0, kNoObject);
    return id;
}

bool DBStorage::FindObject(int32_t id, int32_t& cls, int32_t& instance) {
    RequireOpen();
    Engine([&] {
        if (!m_pObjects->FindFirst(kByObject, {id}))
            throw ZRError(0, kNoObject);
        cls = m_pObjects->m_Class;
        instance = m_pObjects->m_Instance;
    });
    return true;
}

bool DBStorage::ObjectExists(int32_t cls, int32_t instance) {
    int32_t id = 0;
    return FindInstance(cls, instance, id);
}

bool DBStorage::GetInstanceList(int32_t cls, Ids& instances) {
    RequireOpen();
    Engine([&] {
        for (bool found = m_pObjects->FindFirst(kByClass, {cls}); found;
             found = m_pObjects->FindNext(kByClass))
            instances.push_back(static_cast<uint32_t>(int32_t{m_pObjects->m_Instance}));
    });
    return true;
}

bool DBStorage::Create(int32_t cls, int32_t& instance) {
    RequireOpen();
    Engine([&] {
        if (instance != 0) {
            int32_t id = 0;
            if (FindInstance(cls, instance, id))
                throw ZRError(0, Format("Instance %d of class %d already exists.", instance, cls));
        } else {
            // One pass over the class's rows instead of a lookup per candidate.
            std::vector<bool> used(kMaxInstance + 1, false);
            for (bool found = m_pObjects->FindFirst(kByClass, {cls}); found;
                 found = m_pObjects->FindNext(kByClass)) {
                int32_t n = m_pObjects->m_Instance;
                if (n >= 1 && n <= kMaxInstance)
                    used[static_cast<size_t>(n)] = true;
            }
            int32_t free = 1;
            while (free <= kMaxInstance && used[static_cast<size_t>(free)])
                ++free;
            if (free > kMaxInstance)
                throw ZRError(0, "Unable to find available instance to create");
            instance = free;
        }
        m_pObjects->AddNew();
        m_pObjects->m_Class = static_cast<int16_t>(cls);
        m_pObjects->m_Instance = static_cast<int16_t>(instance);
        try {
            m_pObjects->Update();
        } catch (...) {
            m_pObjects->CancelUpdate();
            throw;
        }
    });
    m_bModified = true;
    return true;
}

bool DBStorage::Delete(int32_t cls, int32_t instance) {
    RequireOpen();
    int32_t id = ObjectIdOf(cls, instance);
    m_Last = {};
    Engine([&] {
        // All of the object's rows go, or none.
        platform::db::Transaction t(*m_pDatabase);
        for (const char* table : {"Booleans", "Floats", "Integers", "Strings", "Binary", "Objects"})
            m_pDatabase->Execute(std::string("DELETE FROM ") + table + " WHERE Object = ?", {id});
        t.Commit();
    });
    m_bModified = true;
    return true;
}

bool DBStorage::GetVersion(int32_t cls, int32_t instance, uint32_t& version) {
    try {
        return ReadUlong(cls, instance, 1, version, 4);
    } catch (const ZRError&) {
        return false;
    }
}

bool DBStorage::GetFreeSpace(int32_t& bytes) {
    bytes = 10000000;
    return true;
}

bool DBStorage::InvokeService(int32_t, int32_t, int32_t, const Bytes&, std::optional<Bytes>&) {
    throw ZRError(0, "Services not supported with this storage type");
}

// ---- values

bool DBStorage::FindValue(platform::db::Recordset& rs, int32_t id, int32_t attribute) {
    return Engine([&] { return rs.FindFirst(kByValue, {id, attribute}); });
}

void DBStorage::FindNumber(platform::db::Recordset& rs, int32_t cls, int32_t instance, int32_t attribute) {
    RequireOpen();
    // A null number would read as 0, a value nobody stored.
    if (!FindValue(rs, ObjectIdOf(cls, instance), attribute) ||
        platform::db::IsNull(rs.GetFieldValue("Value")))
        throw ZRError(0, kNoData);
}

template <class RS, class T>
void DBStorage::WriteValue(RS* recordset, int32_t cls, int32_t instance, int32_t attribute, const T& value) {
    RequireOpen();
    RS& rs = *recordset;
    int32_t id = ObjectIdOf(cls, instance);
    Engine([&] {
        if (rs.FindFirst(kByValue, {id, attribute})) {
            rs.Edit();
        } else {
            rs.AddNew();
            rs.m_Object = id;
            rs.m_Attribute = attribute;
        }
        rs.m_Value = value;
        try {
            rs.Update();
        } catch (...) {
            rs.CancelUpdate();
            throw;
        }
    });
    m_bModified = true;
}

bool DBStorage::ReadLong(int32_t cls, int32_t instance, int32_t attribute, int32_t& value, int) {
    FindNumber(*m_pIntegers, cls, instance, attribute);
    value = m_pIntegers->m_Value;
    return true;
}

bool DBStorage::WriteLong(int32_t cls, int32_t instance, int32_t attribute, int32_t value, int) {
    WriteValue(m_pIntegers.get(), cls, instance, attribute, value);
    return true;
}

bool DBStorage::ReadUlong(int32_t cls, int32_t instance, int32_t attribute, uint32_t& value, int size) {
    int32_t v = 0;
    bool ok = ReadLong(cls, instance, attribute, v, size);
    value = static_cast<uint32_t>(v);
    return ok;
}

bool DBStorage::WriteUlong(int32_t cls, int32_t instance, int32_t attribute, uint32_t value, int size) {
    return WriteLong(cls, instance, attribute, static_cast<int32_t>(value), size);
}

bool DBStorage::ReadFloat(int32_t cls, int32_t instance, int32_t attribute, float& value) {
    FindNumber(*m_pFloats, cls, instance, attribute);
    value = m_pFloats->m_Value;
    return true;
}

bool DBStorage::WriteFloat(int32_t cls, int32_t instance, int32_t attribute, float value) {
    WriteValue(m_pFloats.get(), cls, instance, attribute, value);
    return true;
}

bool DBStorage::ReadBool(int32_t cls, int32_t instance, int32_t attribute, bool& value) {
    FindNumber(*m_pBooleans, cls, instance, attribute);
    value = m_pBooleans->m_Value;
    return true;
}

bool DBStorage::WriteBool(int32_t cls, int32_t instance, int32_t attribute, bool value) {
    WriteValue(m_pBooleans.get(), cls, instance, attribute, value);
    return true;
}

bool DBStorage::ReadString(int32_t cls, int32_t instance, int32_t attribute, std::string& value) {
    RequireOpen();
    if (!FindValue(*m_pStrings, ObjectIdOf(cls, instance), attribute))
        throw ZRError(0, kNoData);
    value = m_pStrings->m_Value;
    return true;
}

bool DBStorage::WriteString(int32_t cls, int32_t instance, int32_t attribute, const std::string& value) {
    WriteValue(m_pStrings.get(), cls, instance, attribute, value);
    return true;
}

bool DBStorage::ReadBinary(int32_t cls, int32_t instance, int32_t attribute, Bytes& value) {
    RequireOpen();
    if (!FindValue(*m_pBinary, ObjectIdOf(cls, instance), attribute))
        throw ZRError(0, kNoData);
    value = m_pBinary->m_Value;
    return true;
}

bool DBStorage::WriteBinary(int32_t cls, int32_t instance, int32_t attribute, const Bytes& value) {
    WriteValue(m_pBinary.get(), cls, instance, attribute, value);
    return true;
}

bool DBStorage::FindLongAttribute(int32_t cls, int32_t instance, int32_t attribute) {
    RequireOpen();
    return FindValue(*m_pIntegers, ObjectIdOf(cls, instance), attribute);
}

// ---- child links

bool DBStorage::AddChild(int32_t cls, int32_t instance, int32_t childId) {
    RequireOpen();
    int32_t parent = 0;
    if (!FindInstance(cls, instance, parent))
        throw ZRError(0, "Unable to add child. Parent doesn't exist");
    Engine([&] {
        if (m_pIntegers->FindFirst(kByLink, {parent, kLinkAttribute, childId}))
            throw ZRError(0, "Parent already contains child");
        m_pIntegers->AddNew();
        m_pIntegers->m_Object = parent;
        m_pIntegers->m_Attribute = kLinkAttribute;
        m_pIntegers->m_Value = childId;
        try {
            m_pIntegers->Update();
        } catch (...) {
            m_pIntegers->CancelUpdate();
            throw;
        }
    });
    m_bModified = true;
    return true;
}

bool DBStorage::RemoveChild(int32_t cls, int32_t instance, int32_t childId) {
    RequireOpen();
    int32_t parent = 0;
    if (!FindInstance(cls, instance, parent))
        throw ZRError(0, "Unable to remove child. Parent doesn't exist");
    Engine([&] {
        if (!m_pIntegers->FindFirst(kByLink, {parent, kLinkAttribute, childId}))
            throw ZRError(0, Format("Parent %d does not contain child %d", parent, childId));
        m_pIntegers->Delete();
    });
    m_bModified = true;
    return true;
}

bool DBStorage::HasChild(int32_t cls, int32_t instance, int32_t childId) {
    RequireOpen();
    int32_t parent = 0;
    if (!FindInstance(cls, instance, parent))
        throw ZRError(0, "Parent object does not exist");
    return Engine([&] { return m_pIntegers->FindFirst(kByLink, {parent, kLinkAttribute, childId}); });
}

bool DBStorage::GetChildren(int32_t cls, int32_t instance, Ids& ids) {
    RequireOpen();
    int32_t parent = 0;
    if (!FindInstance(cls, instance, parent))
        throw ZRError(0, "Parent object does not exist");
    Engine([&] {
        for (bool found = m_pIntegers->FindFirst(kByValue, {parent, kLinkAttribute}); found;
             found = m_pIntegers->FindNext(kByValue))
            ids.push_back(static_cast<uint32_t>(m_pIntegers->m_Value));
    });
    return true;
}

// ---- files and the working directory

void DBStorage::FormatPath(std::string& path) const {
    std::string base = FileSystem::FullPath(GetBaseDir().empty() ? std::string(".") : GetBaseDir());
    std::string mapped = FileSystem::FullPath(platform::core::JoinPath(base, path));
    // "..", or a path that leaves the working directory otherwise, would reach the user's other files.
    bool inside = base == "/" || mapped == base || mapped.compare(0, base.size() + 1, base + "/") == 0;
    if (!inside)
        throw ZRError(0, Format("Invalid file path: %s", path.c_str()));
    path = mapped;
}

bool DBStorage::FindFile(const std::string& path) {
    RequireOpen();
    return Engine([&] { return m_pFiles->FindFirst(kByPath, {path}); });
}

bool DBStorage::AddDir(const std::string&) {
    return true;
}

bool DBStorage::DirExists(const std::string& path) {
    std::string mapped = path;
    FormatPath(mapped);
    return FileSystem::IsDirectory(mapped);
}

bool DBStorage::FileExists(const std::string& path) {
    return FindFile(path);
}

bool DBStorage::GetDirList(const std::string& path, Strings& files, Strings& dirs) {
    std::string mapped = path;
    FormatPath(mapped);
    for (std::string& d : FileSystem::List(mapped, "*", FileSystem::ListKind::Directories))
        dirs.push_back(std::move(d));
    for (std::string& f : FileSystem::List(mapped, "*.*", FileSystem::ListKind::Files))
        files.push_back(std::move(f));
    return true;
}

bool DBStorage::ReadFile(const std::string& path, Bytes& contents) {
    if (!FindFile(path))
        throw ZRError(0, kNoData);
    contents = m_pFiles->m_Value;
    return true;
}

bool DBStorage::WriteFile(const std::string& path, const Bytes& contents) {
    bool exists = FindFile(path);
    Engine([&] {
        if (exists) {
            m_pFiles->Edit();
        } else {
            m_pFiles->AddNew();
            m_pFiles->m_Path = path;
        }
        m_pFiles->m_Value = contents;
        try {
            m_pFiles->Update();
        } catch (...) {
            m_pFiles->CancelUpdate();
            throw;
        }
    });
    m_bModified = true;
    return true;
}

bool DBStorage::RemoveFile(const std::string& path) {
    std::string mapped = path;
    FormatPath(mapped);
    if (!FindFile(path))
        throw ZRError(0, kNoData);
    Engine([&] { m_pFiles->Delete(); });
    m_bModified = true;
    if (!FileSystem::IsDirectory(mapped))
        FileSystem::TryRemove(mapped);
    return true;
}

bool DBStorage::RemoveDir(const std::string& path) {
    std::string mapped = path;
    FormatPath(mapped);
    FileSystem::TryRemoveTree(mapped);
    return true;
}

bool DBStorage::Rename(const std::string& oldPath, const std::string& newPath) {
    RequireOpen();
    std::string oldMapped = oldPath, newMapped = newPath;
    FormatPath(oldMapped);
    FormatPath(newMapped);
    if (oldPath.find('/') != std::string::npos) {
        if (!FindFile(oldPath))
            throw ZRError(0, kNoData);
        Engine([&] {
            m_pFiles->Edit();
            m_pFiles->m_Path = newPath;
            m_pFiles->Update();
        });
    } else {
        // A top-level directory: its own files only ("Prog/..." but not "Prog2/..."), and only
        // the leading name changes.
        Engine([&] {
            platform::db::Transaction t(*m_pDatabase);
            m_pDatabase->Execute("UPDATE Files SET Path = ?2 WHERE Path = ?1", {oldPath, newPath});
            m_pDatabase->Execute("UPDATE Files SET Path = ?2 || substr(Path, length(?1) + 1) "
                                 "WHERE substr(Path, 1, length(?1)) = ?1 COLLATE NOCASE",
                                 {oldPath + "/", newPath + "/"});
            t.Commit();
        });
    }
    // The working directory is scratch: a failure there leaves the stored files right.
    if (FileSystem::Exists(oldMapped))
        FileSystem::TryRename(oldMapped, newMapped);
    m_bModified = true;
    return true;
}

bool DBStorage::AddTempDir(const std::string& path) {
    std::string mapped = path;
    FormatPath(mapped);
    try {
        FileSystem::MakeDirectories(mapped);
    } catch (const platform::core::SystemError& e) {
        FileError(e.what());
    }
    return true;
}

bool DBStorage::CreateTempFile(const std::string& path) {
    Bytes bytes;
    ReadFile(path, bytes);
    std::string mapped = path;
    FormatPath(mapped);
    // Editors want a last line that ends.
    if (!bytes.empty() && bytes.back() != '\n')
        bytes.push_back('\n');
    try {
        FileSystem::WriteAll(mapped, bytes);
    } catch (const platform::core::SystemError& e) {
        FileError(e.what());
    }
    return true;
}

bool DBStorage::SaveTempFile(const std::string& path) {
    std::string mapped = path;
    FormatPath(mapped);
    Bytes bytes;
    try {
        bytes = FileSystem::ReadAll(mapped);
    } catch (const platform::core::SystemError& e) {
        FileError(e.what());
    }
    return WriteFile(path, bytes);
}
