#include "platform/db/DbError.h"

#include "platform/db/Statement.h"

#include <sqlite3.h>

namespace platform::db {

static_assert(int(DbErrc::Busy) == SQLITE_BUSY && int(DbErrc::Corrupt) == SQLITE_CORRUPT &&
                  int(DbErrc::Full) == SQLITE_FULL && int(DbErrc::NotADatabase) == SQLITE_NOTADB &&
                  int(DbErrc::Io) == SQLITE_IOERR && int(DbErrc::CantOpen) == SQLITE_CANTOPEN &&
                  int(DbErrc::ReadOnly) == SQLITE_READONLY && int(DbErrc::Constraint) == SQLITE_CONSTRAINT &&
                  int(DbErrc::Denied) == SQLITE_PERM && int(DbErrc::NotFound) == SQLITE_NOTFOUND &&
                  int(DbErrc::Misuse) == SQLITE_MISUSE && int(DbErrc::Mismatch) == SQLITE_MISMATCH && int(DbErrc::Other) == SQLITE_ERROR,
              "the kinds keep the numbers that error texts have always shown");

DbErrc ErrcOfEngine(int rc) {
    switch (rc & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return DbErrc::Busy;
    case SQLITE_FULL:
        return DbErrc::Full;
    case SQLITE_CORRUPT:
        return DbErrc::Corrupt;
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
        return DbErrc::NotADatabase;
    case SQLITE_IOERR:
        return DbErrc::Io;
    case SQLITE_CONSTRAINT:
        return DbErrc::Constraint;
    case SQLITE_READONLY:
        return DbErrc::ReadOnly;
    case SQLITE_CANTOPEN:
        return DbErrc::CantOpen;
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return DbErrc::Denied;
    case SQLITE_NOTFOUND:
        return DbErrc::NotFound;
    case SQLITE_MISUSE:
        return DbErrc::Misuse;
    case SQLITE_MISMATCH:
        return DbErrc::Mismatch;
    default:
        return DbErrc::Other;
    }
}

} // namespace platform::db
