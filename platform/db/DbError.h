#pragma once

#include <stdexcept>
#include <string>

namespace platform::db {

// What went wrong, in the database layer's own words, so that callers never see the engine's codes.
// The numbers are those users have always seen in "(error #n)" texts; zero stays free for callers
// that carry the kind in an int and use zero for "no database failure".
enum class DbErrc : int {
    Other = 1,
    Denied = 3,        // access was refused
    Busy = 5,          // another connection or statement holds a lock
    ReadOnly = 8,      // the database may not be written
    Io = 10,           // the system failed to read or write
    Corrupt = 11,      // the file is damaged
    NotFound = 12,     // the file or the object asked for is not there
    Full = 13,         // the disk or the database is full
    CantOpen = 14,     // the file cannot be opened or created
    Constraint = 19,   // a row broke a uniqueness or other constraint
    Mismatch = 20,     // a stored value the reader cannot hold as the type asked for
    Misuse = 21,       // the caller asked for something its state does not allow
    NotADatabase = 26, // the file is no database at all
};

// A failure of the database layer: its kind and a text naming what was attempted.
class DbError : public std::runtime_error {
public:
    DbError(DbErrc code, const std::string& text) : std::runtime_error(text), m_code(code) {}
    DbErrc Code() const { return m_code; }

private:
    DbErrc m_code;
};

} // namespace platform::db
