#include "platform/db/Statement.h"

#include "platform/core/SystemError.h"
#include "platform/core/Text.h"
#include "platform/db/DbError.h"

#include <sqlite3.h>

namespace platform::db {

namespace {
bool IsAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// Text from the file: UTF-8, turned into code page 1252 unless it is plain ASCII.
std::string FromUtf8(const unsigned char* text, int n) {
    std::string_view s(reinterpret_cast<const char*>(text), static_cast<size_t>(n));
    return IsAscii(s) ? std::string(s) : core::Utf8ToCp1252(s);
}
} // namespace

void ThrowDbError(sqlite3* db, int rc, const std::string& context) {
    int code = rc & 0xFF;
    std::string text = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    // For failures of the file itself the system's reason says more than the engine's text.
    int sys = db ? sqlite3_system_errno(db) : 0;
    if (sys && (code == SQLITE_IOERR || code == SQLITE_FULL || code == SQLITE_CANTOPEN))
        text += " (" + core::ErrnoText(sys) + ")";
    if (!context.empty())
        text = context + ": " + text;
    throw DbError(ErrcOfEngine(code), text);
}

Statement::Statement(sqlite3* db, const std::string& sql) : m_db(db), m_sql(sql) {
    int rc = sqlite3_prepare_v3(db, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                                &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        ThrowDbError(db, rc);
    }
}

Statement::~Statement() {
    sqlite3_finalize(m_stmt);
}

void Statement::Bind(std::initializer_list<Param> params) {
    Bind(params.begin(), params.size());
}

void Statement::Bind(const Param* params, size_t count, int first) {
    // Callers bind every parameter, so old values never linger and need no clearing.
    if (first == 1)
        sqlite3_reset(m_stmt);
    for (size_t i = 0; i < count; ++i)
        BindOne(first + static_cast<int>(i), params[i]);
}

void Statement::BindOne(int index, const Param& p) {
    int rc = SQLITE_OK;
    switch (p.GetKind()) {
    case Param::Kind::Null:
        rc = sqlite3_bind_null(m_stmt, index);
        break;
    case Param::Kind::Integer:
        rc = sqlite3_bind_int64(m_stmt, index, p.Integer());
        break;
    case Param::Kind::Real:
        rc = sqlite3_bind_double(m_stmt, index, p.Real());
        break;
    case Param::Kind::Text: {
        std::string_view t = p.Text();
        if (IsAscii(t)) {
            rc = sqlite3_bind_text(m_stmt, index, t.data(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
        } else {
            std::string utf8 = core::Cp1252ToUtf8(t);
            rc = sqlite3_bind_text(m_stmt, index, utf8.data(), static_cast<int>(utf8.size()),
                                   SQLITE_TRANSIENT);
        }
        break;
    }
    case Param::Kind::Blob:
        // A zero-length blob stays a blob, not a null.
        rc = p.Size() ? sqlite3_bind_blob64(m_stmt, index, p.Blob(), p.Size(), SQLITE_TRANSIENT)
                      : sqlite3_bind_zeroblob(m_stmt, index, 0);
        break;
    }
    if (rc != SQLITE_OK)
        ThrowDbError(m_db, rc, "Cannot bind parameter");
}

bool Statement::Step() {
    int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(m_stmt);
    ThrowDbError(m_db, rc);
}

void Statement::Run() {
    while (Step()) {
    }
    sqlite3_reset(m_stmt);
}

void Statement::Reset() {
    sqlite3_reset(m_stmt);
}

bool Statement::IsBusy() const {
    return sqlite3_stmt_busy(m_stmt) != 0;
}

int Statement::ColumnCount() const {
    return sqlite3_column_count(m_stmt);
}

std::string Statement::ColumnName(int i) const {
    const char* name = sqlite3_column_name(m_stmt, i);
    return name ? name : "";
}

bool Statement::IsNull(int i) const {
    return sqlite3_column_type(m_stmt, i) == SQLITE_NULL;
}

int64_t Statement::Int64(int i) const {
    return sqlite3_column_int64(m_stmt, i);
}

double Statement::Double(int i) const {
    return sqlite3_column_double(m_stmt, i);
}

std::string Statement::Text(int i) const {
    const unsigned char* t = sqlite3_column_text(m_stmt, i);
    return t ? FromUtf8(t, sqlite3_column_bytes(m_stmt, i)) : std::string();
}

Value Statement::Column(int i) const {
    Value v;
    ReadColumn(i, v);
    return v;
}

void Statement::ReadColumn(int i, Value& v) const {
    switch (sqlite3_column_type(m_stmt, i)) {
    case SQLITE_INTEGER:
        v = static_cast<int64_t>(sqlite3_column_int64(m_stmt, i));
        break;
    case SQLITE_FLOAT:
        v = sqlite3_column_double(m_stmt, i);
        break;
    case SQLITE_TEXT: {
        const unsigned char* t = sqlite3_column_text(m_stmt, i);
        int n = sqlite3_column_bytes(m_stmt, i);
        std::string_view s(reinterpret_cast<const char*>(t), static_cast<size_t>(n));
        if (IsAscii(s)) {
            if (auto* str = std::get_if<std::string>(&v))
                str->assign(s);
            else
                v = std::string(s);
        } else {
            v = core::Utf8ToCp1252(s);
        }
        break;
    }
    case SQLITE_BLOB: {
        const auto* b = static_cast<const uint8_t*>(sqlite3_column_blob(m_stmt, i));
        int n = sqlite3_column_bytes(m_stmt, i);
        if (auto* bytes = std::get_if<Bytes>(&v))
            bytes->assign(b, b + n);
        else
            v = Bytes(b, b + n);
        break;
    }
    default:
        v = std::monostate{};
    }
}

} // namespace platform::db
