#include "platform/db/Database.h"

#include "platform/core/FileSystem.h"
#include "platform/core/SystemError.h"
#include "platform/core/Text.h"
#include "platform/core/WorkFiles.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/db/Statement.h"
#include "platform/db/TableDef.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::db {

using core::FileSystem;

namespace {
[[noreturn]] void ThrowIo(int code, const std::string& context) {
    throw DbError(DbErrc::Io, context + ": " + core::ErrnoText(code));
}

bool SyncPath(const std::string& path, int flags) {
    int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}
} // namespace

Database::Database() = default;

Database::~Database() {
    Close();
}

void Database::Create(const std::string& path) {
    Close();
    if (FileSystem::Exists(path))
        throw DbError(DbErrc::CantOpen, "Cannot create " + path + ": the file already exists");
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(FileSystem::SystemName(path).c_str(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        std::string text = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close_v2(db);
        throw DbError(ErrcOfEngine(rc), "Cannot create " + path + ": " + text);
    }
    m_db = db;
    m_path = path;
}

void Database::Open(const std::string& path, bool readOnly) {
    Close();
    sqlite3* db = nullptr;
    int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    int rc = sqlite3_open_v2(FileSystem::SystemName(path).c_str(), &db, flags, nullptr);
    if (rc == SQLITE_OK) {
        // The header is read lazily: look at the schema now so a foreign file fails here.
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        try {
            ThrowDbError(db, rc, "Cannot open " + path);
        } catch (...) {
            sqlite3_close_v2(db);
            throw;
        }
    }
    m_db = db;
    m_path = path;
}

void Database::Close() {
    if (!m_db)
        return;
    // Recordsets close themselves and detach; copy the list first.
    std::vector<Recordset*> open = m_recordsets;
    for (Recordset* rs : open)
        rs->Close();
    m_cache.clear();
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_path.clear();
}

void Database::ThrowIfClosed() const {
    if (!m_db)
        throw DbError(DbErrc::Misuse, "The database is not open");
}

Statement& Database::Prepare(const std::string& sql) {
    ThrowIfClosed();
    auto it = m_cache.find(sql);
    if (it != m_cache.end())
        return *it->second;
    auto stmt = std::make_unique<Statement>(m_db, sql);
    Statement& ref = *stmt;
    m_cache.emplace(sql, std::move(stmt));
    return ref;
}

std::unique_ptr<Statement> Database::NewStatement(const std::string& sql) {
    ThrowIfClosed();
    return std::make_unique<Statement>(m_db, sql);
}

bool Database::DescribeColumn(const std::string& table, const std::string& column, bool& autoKey) {
    ThrowIfClosed();
    const char* type = nullptr;
    int pk = 0, autoinc = 0;
    if (sqlite3_table_column_metadata(m_db, nullptr, table.c_str(), column.c_str(), &type, nullptr, nullptr,
                                      &pk, &autoinc) != SQLITE_OK)
        return false;
    // An INTEGER primary key is the row id, which the engine fills like an autoincrement.
    autoKey = autoinc || (pk && type && core::EqualsNoCase(type, "INTEGER"));
    return true;
}

void Database::Execute(const std::string& sql, std::initializer_list<Param> params) {
    Statement& stmt = Prepare(sql);
    stmt.Bind(params);
    stmt.Run();
}

Value Database::QueryValue(const std::string& sql, std::initializer_list<Param> params) {
    Statement& stmt = Prepare(sql);
    stmt.Bind(params);
    Value v;
    if (stmt.Step())
        v = stmt.Column(0);
    stmt.Reset();
    return v;
}

int64_t Database::GetLastInsertId() const {
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

std::string Database::QuoteName(const std::string& name) {
    std::string out = "\"";
    for (char c : name) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

void Database::CreateTable(const TableDef& def) {
    static const char* const kTypes[] = {"INTEGER", "REAL", "TEXT", "BLOB"};
    std::string sql = "CREATE TABLE " + QuoteName(def.name) + " (";
    for (size_t i = 0; i < def.columns.size(); ++i) {
        const ColumnSpec& c = def.columns[i];
        if (i)
            sql += ", ";
        sql += QuoteName(c.name) + " " + kTypes[static_cast<int>(c.type)];
        if (c.autoIncrementKey)
            sql += " PRIMARY KEY AUTOINCREMENT";
        if (c.noCase)
            sql += " COLLATE NOCASE";
    }
    sql += ")";
    ThrowIfClosed();
    int rc = sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        ThrowDbError(m_db, rc, "Cannot create table " + def.name);
}

void Database::CreateIndex(const std::string& name, const std::string& table,
                           const std::vector<std::string>& columns) {
    std::string sql = "CREATE INDEX IF NOT EXISTS " + QuoteName(name) + " ON " + QuoteName(table) + " (";
    for (size_t i = 0; i < columns.size(); ++i)
        sql += (i ? ", " : "") + QuoteName(columns[i]);
    sql += ")";
    ThrowIfClosed();
    int rc = sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        ThrowDbError(m_db, rc, "Cannot create index " + name);
}

bool Database::TableExists(const std::string& name) {
    return !IsNull(
        QueryValue("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE", {name}));
}

std::vector<std::string> Database::GetColumnNames(const std::string& table) {
    Statement& stmt = Prepare("SELECT name FROM pragma_table_info(?)");
    stmt.Bind({table});
    std::vector<std::string> names;
    while (stmt.Step())
        names.push_back(stmt.Text(0));
    stmt.Reset();
    return names;
}

bool Database::CheckIntegrity(std::string* problem) {
    try {
        Value v = QueryValue("PRAGMA quick_check(1)");
        std::string text = ToText(v);
        if (text == "ok")
            return true;
        if (problem)
            *problem = text;
    } catch (const DbError& e) {
        if (problem)
            *problem = e.what();
    }
    return false;
}

void Database::BeginTransaction() {
    Execute("BEGIN");
}

void Database::CommitTransaction() {
    Execute("COMMIT");
}

void Database::RollbackTransaction() {
    if (InTransaction())
        Execute("ROLLBACK");
}

bool Database::InTransaction() const {
    return m_db && !sqlite3_get_autocommit(m_db);
}

void Database::ResetBusyStatements() {
    for (sqlite3_stmt* s = sqlite3_next_stmt(m_db, nullptr); s; s = sqlite3_next_stmt(m_db, s))
        if (sqlite3_stmt_busy(s))
            sqlite3_reset(s);
}

void Database::CompactInto(const std::string& target) {
    ThrowIfClosed();
    if (InTransaction())
        throw DbError(DbErrc::Misuse, "Cannot compact the database while a transaction is open");
    std::string full = FileSystem::FullPath(target);
    std::string dir = FileSystem::Directory(full);
    // The temporary is made, synced and renamed under the system's name; the engine is given the
    // same name through a text parameter, which it receives as UTF-8, the system's form.
    const std::string sysFull = FileSystem::SystemName(full);
    std::string sysTmp = sysFull + ".XXXXXX";
    int fd = ::mkstemp(sysTmp.data());
    if (fd < 0)
        ThrowIo(errno, "Cannot write in " + dir);
    const std::string tmp = full + sysTmp.substr(sysFull.size());
    struct stat st {};
    mode_t mode;
    if (::stat(sysFull.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);
    ::close(fd);

    // Recorded so that a save cut short by a crash leaves no temporary behind for long.
    core::PendingTemporary pending(tmp);
    try {
        // An engine statement that is still stepping would block the copy.
        ResetBusyStatements();
        Execute("VACUUM INTO ?", {tmp});
        if (!SyncPath(sysTmp, O_RDWR))
            ThrowIo(errno, "Cannot write " + tmp);
        if (::rename(sysTmp.c_str(), sysFull.c_str()) != 0)
            ThrowIo(errno, "Cannot replace " + full);
    } catch (...) {
        ::unlink(sysTmp.c_str());
        throw;
    }
    SyncPath(dir.empty() ? "." : FileSystem::SystemName(dir), O_RDONLY | O_DIRECTORY);
}

void Database::Attach(Recordset* rs) {
    m_recordsets.push_back(rs);
}

void Database::Detach(Recordset* rs) {
    m_recordsets.erase(std::remove(m_recordsets.begin(), m_recordsets.end(), rs), m_recordsets.end());
}

Transaction::Transaction(Database& db) : m_db(db) {
    if (!db.InTransaction()) {
        db.BeginTransaction();
        m_owner = true;
    }
}

Transaction::~Transaction() {
    if (m_owner) {
        try {
            m_db.RollbackTransaction();
        } catch (...) {
            // Nothing sensible is left to do in a destructor; the engine rolls back on close.
        }
    }
}

void Transaction::Commit() {
    if (m_owner) {
        m_db.CommitTransaction();
        m_owner = false;
    }
}

} // namespace platform::db
