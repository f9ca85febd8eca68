// A connection to one SQLite database file. One thread at a time uses a connection and its
// recordsets, so the engine's own locking is left out.
#pragma once

#include "platform/db/Value.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct sqlite3;

namespace platform::db {

class Recordset;
class Statement;
struct TableDef;

// File names are model text (code page 1252), like every name above the platform layer.
class Database {
public:
    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Makes a new, empty database file; an existing file is an error.
    void Create(const std::string& path);
    // Opens an existing file. A file that is not a database throws DbError (DbErrc::NotADatabase).
    void Open(const std::string& path, bool readOnly = false);
    // Closes the recordsets still open on it, then the connection. Closing twice is fine.
    void Close();
    bool IsOpen() const { return m_db != nullptr; }
    const std::string& GetPath() const { return m_path; }

    // Runs one statement to its end with the parameters bound to its '?'s; statements are
    // prepared once and kept.
    void Execute(const std::string& sql, std::initializer_list<Param> params = {});
    // The first column of the first row, or null when there is no row.
    Value QueryValue(const std::string& sql, std::initializer_list<Param> params = {});
    int64_t GetLastInsertId() const;

    void CreateTable(const TableDef& def);
    void CreateIndex(const std::string& name, const std::string& table,
                     const std::vector<std::string>& columns);
    bool TableExists(const std::string& name);
    // Declared column names in table order; empty when there is no such table.
    std::vector<std::string> GetColumnNames(const std::string& table);
    // Runs the engine's structural check; false with the first problem in `problem`.
    bool CheckIntegrity(std::string* problem = nullptr);

    void BeginTransaction();
    void CommitTransaction();
    void RollbackTransaction();
    bool InTransaction() const;

    // Writes a compacted copy of the database to target: first into a temporary file beside it,
    // which replaces target only once it is complete and on disk. On failure target is as it was.
    void CompactInto(const std::string& target);

    // A statement of the shared cache; callers run it to its end before anyone else uses it.
    Statement& Prepare(const std::string& sql);

    static std::string QuoteName(const std::string& name);

private:
    friend class Recordset;
    // A statement of the caller's own, outside the shared cache.
    std::unique_ptr<Statement> NewStatement(const std::string& sql);
    // Whether the table declares the column; autoKey tells whether the engine fills it on insert.
    bool DescribeColumn(const std::string& table, const std::string& column, bool& autoKey);
    void Attach(Recordset* rs);
    void Detach(Recordset* rs);
    void ThrowIfClosed() const;
    void ResetBusyStatements();

    sqlite3* m_db = nullptr;
    std::string m_path;
    std::unordered_map<std::string, std::unique_ptr<Statement>> m_cache;
    std::vector<Recordset*> m_recordsets;
};

// Begins a transaction unless one is running; rolls it back unless committed.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();

private:
    Database& m_db;
    bool m_owner = false;
};

} // namespace platform::db
