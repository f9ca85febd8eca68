#pragma once

#include <stdexcept>
#include <string>

namespace platform::db {

// A failure of the database engine: SQLite's primary result code and its text.
class DbError : public std::runtime_error {
public:
    DbError(int code, const std::string& text) : std::runtime_error(text), m_code(code) {}
    int Code() const { return m_code; }

private:
    int m_code;
};

} // namespace platform::db
