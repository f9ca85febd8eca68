#include "platform/db/Recordset.h"

#include "platform/core/Text.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/db/Statement.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace platform::db {

namespace {

const char* const kRowId = "qv_rowid_";

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Position of a keyword outside brackets, quotes and parentheses, or npos.
size_t FindKeyword(const std::string& s, std::string_view keyword, size_t from = 0) {
    int depth = 0;
    char quote = 0;
    for (size_t i = from; i < s.size(); ++i) {
        char c = s[i];
        if (quote) {
            if (c == quote)
                quote = 0;
            continue;
        }
        if (c == '[')
            quote = ']';
        else if (c == '"' || c == '\'' || c == '`')
            quote = c;
        else if (c == '(')
            ++depth;
        else if (c == ')')
            --depth;
        else if (depth == 0 && (i == 0 || !IsWordChar(s[i - 1])) && i + keyword.size() <= s.size() &&
                 core::EqualsNoCase(std::string_view(s).substr(i, keyword.size()), keyword) &&
                 (i + keyword.size() == s.size() || !IsWordChar(s[i + keyword.size()])))
            return i;
    }
    return std::string::npos;
}

std::string Unquote(std::string_view s) {
    if (s.size() >= 2 && ((s.front() == '[' && s.back() == ']') || (s.front() == '"' && s.back() == '"') ||
                          (s.front() == '`' && s.back() == '`')))
        return std::string(s.substr(1, s.size() - 2));
    return std::string(s);
}

// The bare table name when s names exactly one table, else empty.
std::string SingleTable(const std::string& s) {
    std::string t = core::Trim(s);
    if (t.empty())
        return {};
    if (t.front() == '[' || t.front() == '"' || t.front() == '`') {
        char close = t.front() == '[' ? ']' : t.front();
        size_t end = t.find(close, 1);
        return end == t.size() - 1 ? t.substr(1, end - 1) : std::string();
    }
    for (char c : t)
        if (!IsWordChar(c))
            return {};
    return t;
}

// "[Motor].[MotorID]" -> "MotorID".
std::string FieldNameOf(const std::string& bound) {
    size_t dot = std::string::npos;
    char quote = 0;
    for (size_t i = 0; i < bound.size(); ++i) {
        char c = bound[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '[') {
            quote = ']';
        } else if (c == '"' || c == '`') {
            quote = c;
        } else if (c == '.') {
            dot = i;
        }
    }
    return Unquote(core::Trim(dot == std::string::npos ? bound : bound.substr(dot + 1)));
}

[[noreturn]] void Misuse(const std::string& text) {
    throw DbError(DbErrc::Misuse, text);
}

} // namespace

Value* FieldExchange::Next(const char* name) {
    if (m_op == Op::Names) {
        m_names->push_back(name);
        return nullptr;
    }
    size_t i = m_index++;
    return i < m_map->size() ? &(*m_row)[static_cast<size_t>((*m_map)[i])] : nullptr;
}

namespace {

[[noreturn]] void Mismatch(const char* name, const Value& v, const char* kind) {
    throw DbError(DbErrc::Mismatch,
                  core::Format("The field %s holds \"%s\", which is not %s", name, ToText(v).c_str(), kind));
}

// A null field loads as zero (a new row's members start so); a value the member cannot hold
// exactly is refused rather than truncated or wrapped.
template <class T> void LoadInteger(const char* name, const Value& v, T& value, const char* kind) {
    int64_t n = 0;
    if (IsNull(v)) {
        value = 0;
        return;
    }
    if (!ReadInteger(v, n) || n < std::numeric_limits<T>::min() || n > std::numeric_limits<T>::max())
        Mismatch(name, v, kind);
    value = static_cast<T>(n);
}

double LoadReal(const char* name, const Value& v, const char* kind) {
    double d = 0;
    if (!IsNull(v) && !ReadReal(v, d))
        Mismatch(name, v, kind);
    return d;
}

} // namespace

void FieldExchange::Long(const char* name, int32_t& value) {
    if (Value* v = Next(name))
        m_op == Op::Load ? LoadInteger(name, *v, value, "a 32-bit integer") : void(*v = int64_t{value});
}

void FieldExchange::Short(const char* name, int16_t& value) {
    if (Value* v = Next(name))
        m_op == Op::Load ? LoadInteger(name, *v, value, "a 16-bit integer") : void(*v = int64_t{value});
}

void FieldExchange::Byte(const char* name, uint8_t& value) {
    if (Value* v = Next(name))
        m_op == Op::Load ? LoadInteger(name, *v, value, "a byte") : void(*v = int64_t{value});
}

void FieldExchange::Bool(const char* name, bool& value) {
    Value* v = Next(name);
    if (!v)
        return;
    if (m_op == Op::Load) {
        int64_t n = 0;
        LoadInteger(name, *v, n, "a yes/no value");
        value = n != 0;
    } else {
        *v = int64_t{value ? 1 : 0};
    }
}

void FieldExchange::Single(const char* name, float& value) {
    Value* v = Next(name);
    if (!v)
        return;
    if (m_op == Op::Load) {
        double d = LoadReal(name, *v, "a single-precision number");
        if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<float>::max())
            Mismatch(name, *v, "a single-precision number");
        value = static_cast<float>(d);
    } else {
        *v = double{value};
    }
}

void FieldExchange::Double(const char* name, double& value) {
    if (Value* v = Next(name))
        m_op == Op::Load ? void(value = LoadReal(name, *v, "a number")) : void(*v = value);
}

void FieldExchange::Text(const char* name, std::string& value) {
    Value* v = Next(name);
    if (!v)
        return;
    if (m_op == Op::Load) {
        if (auto* s = std::get_if<std::string>(v))
            value = *s;
        else
            value = ToText(*v);
    } else if (auto* s = std::get_if<std::string>(v)) {
        *s = value;
    } else {
        *v = value;
    }
}

void FieldExchange::Binary(const char* name, Bytes& value) {
    Value* v = Next(name);
    if (!v)
        return;
    if (m_op == Op::Load) {
        if (auto* b = std::get_if<Bytes>(v))
            value = *b;
        else
            value = ToBytes(*v);
    } else if (auto* b = std::get_if<Bytes>(v)) {
        *b = value;
    } else {
        *v = value;
    }
}

Recordset::Recordset(Database* db) : m_db(db) {}

Recordset::~Recordset() {
    Close();
}

void Recordset::ThrowIfClosed() const {
    if (!m_open)
        Misuse("The recordset is not open");
}

void Recordset::ThrowIfNoRow() const {
    ThrowIfClosed();
    if (m_eof || !m_hasRow)
        Misuse("No current record");
}

void Recordset::SetFilter(std::string filter, std::vector<Value> params) {
    m_filter = std::move(filter);
    m_filterParams = std::move(params);
}

void Recordset::SetSort(std::string sort) {
    m_sort = std::move(sort);
}

void Recordset::Open(const std::string& source) {
    if (!m_db || !m_db->IsOpen())
        Misuse("The database is not open");
    Close();
    m_source = source.empty() ? GetDefaultSQL() : source;
    std::string text = core::Trim(m_source);
    if (text.empty())
        Misuse("A recordset needs a table or a query");

    m_bound.clear();
    {
        FieldExchange fx(FieldExchange::Op::Names, nullptr, nullptr, &m_bound);
        DoFieldExchange(fx);
    }

    m_table.clear();
    m_where.clear();
    m_hasRowId = false;
    m_fullQuery = text.size() > 6 && core::EqualsNoCase(std::string_view(text).substr(0, 6), "select") &&
                  !IsWordChar(text[6]);
    if (m_fullQuery) {
        size_t from = FindKeyword(text, "from");
        if (from != std::string::npos) {
            size_t end = text.size();
            for (const char* kw : {"where", "order", "group", "limit"})
                end = std::min(end, FindKeyword(text, kw, from + 4));
            m_table = SingleTable(text.substr(from + 4, end - from - 4));
        }
        std::string rest = text.substr(6);
        if (!m_table.empty() && FindKeyword(core::TrimLeft(rest), "distinct") != 0) {
            m_select = "SELECT " + Database::QuoteName(m_table) + ".rowid AS " + kRowId + "," + rest;
            m_hasRowId = true;
        } else {
            m_table.clear();
            m_select = text;
        }
    } else {
        size_t where = FindKeyword(text, "where");
        m_from = core::Trim(text.substr(0, where));
        if (where != std::string::npos)
            m_where = core::Trim(text.substr(where + 5));
        m_table = SingleTable(m_from);
        m_hasRowId = !m_table.empty();
        std::string list;
        for (size_t i = 0; i < m_bound.size(); ++i)
            list += (i ? ", " : "") + m_bound[i];
        m_select = (m_hasRowId ? std::string("rowid AS ") + kRowId + ", " : std::string()) +
                   (list.empty() ? "*" : list);
    }

    Statement& main = CursorFor("");
    int offset = m_hasRowId ? 1 : 0;
    int n = main.ColumnCount() - offset;
    m_names.clear();
    for (int i = 0; i < n; ++i)
        m_names.push_back(main.ColumnName(i + offset));
    m_row.assign(static_cast<size_t>(n), Value{});

    m_boundColumns.clear();
    for (size_t i = 0; i < m_bound.size(); ++i) {
        int col = !m_fullQuery ? static_cast<int>(i) : ColumnOf(FieldNameOf(m_bound[i]));
        if (col < 0 || col >= n)
            throw DbError(DbErrc::Other, "No field " + m_bound[i] + " in " + m_source);
        m_boundColumns.push_back(col);
    }

    m_writable.assign(static_cast<size_t>(n), false);
    m_autoKey.assign(static_cast<size_t>(n), false);
    if (!m_table.empty()) {
        for (int i = 0; i < n; ++i) {
            bool autoKey = false;
            if (m_db->DescribeColumn(m_table, m_names[i], autoKey)) {
                m_writable[i] = true;
                m_autoKey[i] = autoKey;
            }
        }
    }

    m_open = true;
    m_db->Attach(this);
    MoveFirst();
}

void Recordset::Close() {
    if (!m_open)
        return;
    m_open = false;
    m_cursor = nullptr;
    m_cursors.clear();
    m_eof = true;
    m_hasRow = false;
    m_mode = Mode::None;
    if (m_db)
        m_db->Detach(this);
}

void Recordset::Requery() {
    ThrowIfClosed();
    // The filter and sort may have changed: every statement is built again.
    std::string source = m_source;
    Open(source);
}

std::string Recordset::BuildSql(const std::string& condition) const {
    std::string sql;
    std::vector<const std::string*> parts;
    if (m_fullQuery) {
        if (m_filter.empty() && m_sort.empty() && condition.empty())
            return m_select;
        sql = "SELECT * FROM (" + m_select + ")";
    } else {
        sql = "SELECT " + m_select + " FROM " + m_from;
        if (!m_where.empty())
            parts.push_back(&m_where);
    }
    if (!m_filter.empty())
        parts.push_back(&m_filter);
    if (!condition.empty())
        parts.push_back(&condition);
    for (size_t i = 0; i < parts.size(); ++i)
        sql += (i ? ") AND (" : " WHERE (") + *parts[i];
    if (!parts.empty())
        sql += ")";
    if (!m_sort.empty())
        sql += " ORDER BY " + m_sort;
    return sql;
}

Statement& Recordset::CursorFor(const std::string& condition) {
    auto it = m_cursors.find(condition);
    if (it != m_cursors.end())
        return *it->second;
    std::unique_ptr<Statement> stmt = m_db->NewStatement(BuildSql(condition));
    Statement& ref = *stmt;
    m_cursors.emplace(condition, std::move(stmt));
    return ref;
}

void Recordset::BindCursor(Statement& stmt, std::initializer_list<Param> extra) {
    size_t n = m_filterParams.size();
    if (n == 0) {
        stmt.Bind(extra);
        return;
    }
    std::vector<Param> params(m_filterParams.begin(), m_filterParams.end());
    stmt.Bind(params.data(), n);
    stmt.Bind(extra.begin(), extra.size(), static_cast<int>(n) + 1);
}

void Recordset::LoadRow() {
    int offset = m_hasRowId ? 1 : 0;
    m_rowId = m_hasRowId ? m_cursor->Int64(0) : 0;
    for (size_t i = 0; i < m_row.size(); ++i)
        m_cursor->ReadColumn(static_cast<int>(i) + offset, m_row[i]);
    LoadMembers();
}

void Recordset::LoadMembers() {
    try {
        Exchange(FieldExchange::Op::Load);
    } catch (const DbError&) {
        // A row the members cannot hold is not left current, so no later update or restore
        // carries its values along.
        for (Value& v : m_row)
            v = std::monostate{};
        m_hasRow = false;
        Exchange(FieldExchange::Op::Load);
        throw;
    }
}

bool Recordset::StepCursor() {
    if (m_cursor->Step()) {
        LoadRow();
        m_eof = false;
        m_hasRow = true;
        return true;
    }
    m_cursor->Reset();
    m_exhausted = true;
    m_eof = true;
    m_hasRow = false;
    return false;
}

void Recordset::Exchange(FieldExchange::Op op) {
    if (m_bound.empty())
        return;
    FieldExchange fx(op, &m_row, &m_boundColumns, nullptr);
    DoFieldExchange(fx);
}

bool Recordset::SameRow(const Statement& stmt) const {
    if (m_hasRowId)
        return stmt.Int64(0) == m_rowId;
    for (size_t i = 0; i < m_row.size(); ++i)
        if (!(stmt.Column(static_cast<int>(i)) == m_row[i]))
            return false;
    return true;
}

// Puts the main cursor on the current row when a find holds the position or lost it.
void Recordset::EnsureCursor() {
    bool lost = !m_cursor || (!m_exhausted && !m_cursor->IsBusy());
    if (!lost && m_cursorCondition.empty())
        return;
    Statement& main = CursorFor("");
    BindCursor(main, {});
    m_cursor = &main;
    m_cursorCondition.clear();
    m_exhausted = false;
    while (main.Step())
        if (SameRow(main))
            return;
    main.Reset();
    m_exhausted = true;
}

void Recordset::MoveFirst() {
    ThrowIfClosed();
    if (m_mode != Mode::None)
        CancelUpdate();
    Statement& main = CursorFor("");
    BindCursor(main, {});
    m_cursor = &main;
    m_cursorCondition.clear();
    m_exhausted = false;
    StepCursor();
}

void Recordset::MoveNext() {
    ThrowIfClosed();
    if (m_eof)
        Misuse("No current record");
    if (m_mode != Mode::None)
        CancelUpdate();
    EnsureCursor();
    if (m_exhausted) {
        m_eof = true;
        m_hasRow = false;
        return;
    }
    StepCursor();
}

void Recordset::MoveLast() {
    MoveFirst();
    if (m_eof)
        return;
    int offset = m_hasRowId ? 1 : 0;
    while (m_cursor->Step()) {
        m_rowId = m_hasRowId ? m_cursor->Int64(0) : 0;
        for (size_t i = 0; i < m_row.size(); ++i)
            m_cursor->ReadColumn(static_cast<int>(i) + offset, m_row[i]);
    }
    m_cursor->Reset();
    m_exhausted = true;
    LoadMembers();
}

bool Recordset::FindFirst(const std::string& condition, std::initializer_list<Param> params) {
    ThrowIfClosed();
    if (m_mode != Mode::None)
        CancelUpdate();
    Statement& stmt = CursorFor(condition);
    BindCursor(stmt, params);
    if (!stmt.Step()) {
        stmt.Reset();
        if (m_cursor == &stmt || !m_cursor) {
            m_cursor = nullptr;
            m_cursorCondition = condition;
        }
        return false;
    }
    m_cursor = &stmt;
    m_cursorCondition = condition;
    m_exhausted = false;
    LoadRow();
    m_eof = false;
    m_hasRow = true;
    return true;
}

bool Recordset::FindNext(const std::string& condition, std::initializer_list<Param>) {
    ThrowIfClosed();
    if (condition.empty() || m_cursorCondition != condition)
        Misuse("FindNext needs a FindFirst with the same condition");
    if (m_mode != Mode::None)
        CancelUpdate();
    if (!m_cursor || m_exhausted)
        return false; // that find has run out
    if (!m_cursor->IsBusy())
        Misuse("The recordset lost its position");
    if (m_cursor->Step()) {
        LoadRow();
        m_eof = false;
        m_hasRow = true;
        return true;
    }
    m_cursor->Reset();
    m_cursor = nullptr;
    return false;
}

long Recordset::GetRecordCount() {
    ThrowIfClosed();
    Statement& stmt = m_db->Prepare("SELECT count(*) FROM (" + BuildSql("") + ")");
    std::vector<Param> params(m_filterParams.begin(), m_filterParams.end());
    stmt.Bind(params.data(), params.size());
    long n = stmt.Step() ? static_cast<long>(stmt.Int64(0)) : 0;
    stmt.Reset();
    return n;
}

void Recordset::AddNew() {
    ThrowIfClosed();
    if (!CanUpdate())
        Misuse("Rows of " + m_source + " cannot be changed");
    if (m_mode != Mode::None)
        CancelUpdate();
    m_saved = m_row;
    m_savedRowId = m_rowId;
    for (Value& v : m_row)
        v = std::monostate{};
    Exchange(FieldExchange::Op::Load);
    Exchange(FieldExchange::Op::Store);
    m_before = m_row;
    m_mode = Mode::Add;
}

void Recordset::Edit() {
    ThrowIfNoRow();
    if (!CanUpdate())
        Misuse("Rows of " + m_source + " cannot be changed");
    if (m_mode != Mode::None)
        CancelUpdate();
    Exchange(FieldExchange::Op::Store);
    m_before = m_row;
    m_mode = Mode::Edit;
}

void Recordset::Update() {
    ThrowIfClosed();
    if (m_mode == Mode::None)
        Misuse("Update without AddNew or Edit");
    Exchange(FieldExchange::Op::Store);
    std::vector<Param> params;
    std::string table = Database::QuoteName(m_table);
    if (m_mode == Mode::Edit) {
        std::string sets;
        for (size_t i = 0; i < m_row.size(); ++i) {
            if (!m_writable[i] || m_row[i] == m_before[i])
                continue;
            sets += (sets.empty() ? "" : ", ") + Database::QuoteName(m_names[i]) + " = ?";
            params.emplace_back(m_row[i]);
        }
        if (!sets.empty()) {
            params.emplace_back(m_rowId);
            Statement& stmt = m_db->Prepare("UPDATE " + table + " SET " + sets + " WHERE rowid = ?");
            stmt.Bind(params.data(), params.size());
            stmt.Run();
        }
        m_mode = Mode::None;
        return;
    }
    std::string columns, marks;
    for (size_t i = 0; i < m_row.size(); ++i) {
        if (!m_writable[i] || (m_autoKey[i] && m_row[i] == m_before[i]))
            continue;
        columns += (columns.empty() ? "" : ", ") + Database::QuoteName(m_names[i]);
        marks += marks.empty() ? "?" : ", ?";
        params.emplace_back(m_row[i]);
    }
    Statement& stmt =
        m_db->Prepare(columns.empty() ? "INSERT INTO " + table + " DEFAULT VALUES"
                                      : "INSERT INTO " + table + " (" + columns + ") VALUES (" + marks + ")");
    stmt.Bind(params.data(), params.size());
    stmt.Run();
    m_lastAdded = m_db->GetLastInsertId();
    m_row = std::move(m_saved);
    m_rowId = m_savedRowId;
    m_mode = Mode::None;
    Exchange(FieldExchange::Op::Load);
}

void Recordset::CancelUpdate() {
    if (m_mode == Mode::Edit) {
        m_row = m_before;
    } else if (m_mode == Mode::Add) {
        m_row = std::move(m_saved);
        m_rowId = m_savedRowId;
    } else {
        return;
    }
    m_mode = Mode::None;
    Exchange(FieldExchange::Op::Load);
}

void Recordset::Delete() {
    ThrowIfNoRow();
    if (!CanUpdate())
        Misuse("Rows of " + m_source + " cannot be changed");
    if (m_mode != Mode::None)
        CancelUpdate();
    m_db->Execute("DELETE FROM " + Database::QuoteName(m_table) + " WHERE rowid = ?", {m_rowId});
    m_hasRow = false;
}

int Recordset::ColumnOf(const std::string& fieldName) const {
    for (size_t i = 0; i < m_names.size(); ++i)
        if (core::EqualsNoCase(m_names[i], fieldName))
            return static_cast<int>(i);
    return -1;
}

int Recordset::GetFieldIndex(const std::string& name) const {
    return ColumnOf(FieldNameOf(name));
}

const Value& Recordset::GetFieldValue(int i) const {
    ThrowIfClosed();
    if (i < 0 || static_cast<size_t>(i) >= m_row.size())
        Misuse("No field " + std::to_string(i));
    return m_row[static_cast<size_t>(i)];
}

const Value& Recordset::GetFieldValue(const std::string& name) const {
    int i = GetFieldIndex(name);
    if (i < 0)
        Misuse("No field " + name);
    return GetFieldValue(i);
}

void Recordset::SetFieldValue(int i, Value value) {
    ThrowIfClosed();
    if (m_mode == Mode::None)
        Misuse("Set a field after AddNew or Edit");
    if (i < 0 || static_cast<size_t>(i) >= m_row.size())
        Misuse("No field " + std::to_string(i));
    m_row[static_cast<size_t>(i)] = std::move(value);
    Exchange(FieldExchange::Op::Load);
}

void Recordset::SetFieldValue(const std::string& name, Value value) {
    int i = GetFieldIndex(name);
    if (i < 0)
        Misuse("No field " + name);
    SetFieldValue(i, std::move(value));
}

} // namespace platform::db
