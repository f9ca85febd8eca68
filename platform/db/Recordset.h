// A recordset: the rows of a table or a query, walked one current row at a time, searched with
// conditions whose values are bound as parameters, and changed through add, edit and delete.
//
// The source is a table ("[Objects]"), a list of tables with an optional join condition
// ("[Motor],[Protection] Where [Motor].[MotorID] = [Protection].[MotorID]"), or a full SELECT.
// A derived class may bind its own members to the fields in DoFieldExchange; then the select
// list of a table source is built from the bound names, in their order, and the members hold the
// current row's values after every move. Rows of a single table can be added, edited and deleted.
#pragma once

#include "platform/db/Value.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform::db {

class Database;
class Recordset;
class Statement;

// Binds a recordset's members to its fields, in the order of the calls.
class FieldExchange {
public:
    void Long(const char* name, int32_t& value);
    void Short(const char* name, int16_t& value);
    void Byte(const char* name, uint8_t& value);
    void Bool(const char* name, bool& value);
    void Single(const char* name, float& value);
    void Double(const char* name, double& value);
    void Text(const char* name, std::string& value);
    void Binary(const char* name, Bytes& value);
    // True while a row moves between fields and members, false while names are collected.
    bool IsMoving() const { return m_op != Op::Names; }

private:
    friend class Recordset;
    enum class Op { Names, Load, Store };
    FieldExchange(Op op, std::vector<Value>* row, const std::vector<int>* map,
                  std::vector<std::string>* names)
        : m_op(op), m_row(row), m_map(map), m_names(names) {}
    // The value of the next field for a load or store; null while collecting names.
    Value* Next(const char* name);

    Op m_op;
    std::vector<Value>* m_row;
    const std::vector<int>* m_map;
    std::vector<std::string>* m_names;
    size_t m_index = 0;
};

class Recordset {
public:
    explicit Recordset(Database* db);
    virtual ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Opens the source (empty: GetDefaultSQL) with the current filter and sort and moves to
    // the first row.
    void Open(const std::string& source = {});
    void Close();
    bool IsOpen() const { return m_open; }
    // Runs the query again, with the filter and sort as they are now.
    void Requery();

    // A condition that limits the rows (its '?'s take params) and an ordering such as "Model";
    // both apply from the next Open or Requery.
    void SetFilter(std::string filter, std::vector<Value> params = {});
    void SetSort(std::string sort);
    const std::string& GetFilter() const { return m_filter; }
    const std::string& GetSort() const { return m_sort; }

    bool IsEOF() const { return m_eof; }
    void MoveFirst();
    void MoveNext();
    void MoveLast();
    // The first row of the set that meets the condition; FindNext gives the next one after the
    // row that the last find with the same condition gave (its values were bound by FindFirst).
    // When nothing is found the current row stays.
    bool FindFirst(const std::string& condition, std::initializer_list<Param> params = {});
    bool FindNext(const std::string& condition, std::initializer_list<Param> params = {});
    // Rows in the set.
    long GetRecordCount();

    // Whether the source is one table, so rows can be changed.
    bool CanUpdate() const { return !m_table.empty(); }
    // AddNew starts a new row with all fields null (members zero); Update inserts it and the
    // current row stays what it was. Edit then Update writes the fields that changed.
    void AddNew();
    void Edit();
    void Update();
    void CancelUpdate();
    // Deletes the current row; MoveNext then goes on to the row after it.
    void Delete();
    // Row id that the last AddNew and Update gave the new row.
    int64_t GetLastAddedId() const { return m_lastAdded; }

    int GetFieldCount() const { return static_cast<int>(m_names.size()); }
    const std::string& GetFieldName(int i) const { return m_names.at(static_cast<size_t>(i)); }
    // -1 when there is no such field; names compare without regard to case.
    int GetFieldIndex(const std::string& name) const;
    const Value& GetFieldValue(int i) const;
    const Value& GetFieldValue(const std::string& name) const;
    void SetFieldValue(int i, Value value);
    void SetFieldValue(const std::string& name, Value value);

    Database* GetDatabase() const { return m_db; }

protected:
    virtual std::string GetDefaultSQL() const { return {}; }
    virtual void DoFieldExchange(FieldExchange&) {}

private:
    friend class Database;
    enum class Mode { None, Edit, Add };

    std::string BuildSql(const std::string& condition) const;
    Statement& CursorFor(const std::string& condition);
    void BindCursor(Statement& stmt, std::initializer_list<Param> extra);
    bool StepCursor();
    void LoadRow();
    // Fills the members from the row; a value they cannot hold raises and leaves no current row.
    void LoadMembers();
    void Exchange(FieldExchange::Op op);
    void ThrowIfClosed() const;
    void ThrowIfNoRow() const;
    void EnsureCursor();
    bool SameRow(const Statement& stmt) const;
    int ColumnOf(const std::string& fieldName) const;

    Database* m_db;
    bool m_open = false;
    std::string m_source;
    std::string m_filter;
    std::vector<Value> m_filterParams;
    std::string m_sort;

    // How the SQL is built: a full query is wrapped, a table source gets a select list.
    bool m_fullQuery = false;
    std::string m_from;   // tables of a table source
    std::string m_where;  // its own join condition
    std::string m_select; // select list of a table source
    std::string m_table;  // the one table, when rows can be changed
    bool m_hasRowId = false;

    std::vector<std::string> m_bound; // names bound by DoFieldExchange
    std::vector<int> m_boundColumns;  // their columns in m_row
    std::vector<std::string> m_names; // result columns, without the row id
    std::vector<bool> m_writable;     // per column: a column of m_table other than an automatic key
    std::vector<bool> m_autoKey;

    std::unordered_map<std::string, std::unique_ptr<Statement>> m_cursors;
    Statement* m_cursor = nullptr; // the statement that holds the position
    std::string m_cursorCondition;
    bool m_eof = true;
    bool m_exhausted = false; // the cursor ran to its end (after MoveLast)
    bool m_hasRow = false;

    std::vector<Value> m_row;
    int64_t m_rowId = 0;
    Mode m_mode = Mode::None;
    std::vector<Value> m_before; // the row as it was when Edit or AddNew began
    std::vector<Value> m_saved;  // the current row, kept across AddNew
    int64_t m_savedRowId = 0;
    int64_t m_lastAdded = 0;
};

} // namespace platform::db
