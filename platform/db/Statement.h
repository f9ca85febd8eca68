// One prepared statement. Parameters are bound by position; text goes in and comes out as
// code page 1252.
#pragma once

#include "platform/db/DbError.h"
#include "platform/db/Value.h"

#include <initializer_list>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace platform::db {

class Statement {
public:
    Statement(sqlite3* db, const std::string& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Resets and binds all parameters in order.
    void Bind(std::initializer_list<Param> params);
    void Bind(const Param* params, size_t count, int first = 1);
    void BindOne(int index, const Param& p);
    // True while there is a row; false when done. Engine failures throw DbError.
    bool Step();
    // Runs to the end, ignoring rows.
    void Run();
    void Reset();
    bool IsBusy() const;

    int ColumnCount() const;
    std::string ColumnName(int i) const;
    bool IsNull(int i) const;
    int64_t Int64(int i) const;
    double Double(int i) const;
    std::string Text(int i) const;
    Value Column(int i) const;
    // Reads column i into v, reusing v's storage where it can.
    void ReadColumn(int i, Value& v) const;

    const std::string& Sql() const { return m_sql; }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    std::string m_sql;
};

// The layer's kind of failure for an engine result code (extended codes included).
DbErrc ErrcOfEngine(int rc);

// Throws DbError for the connection's last failure, naming what was attempted.
[[noreturn]] void ThrowDbError(sqlite3* db, int rc, const std::string& context = {});

} // namespace platform::db
