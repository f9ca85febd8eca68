#pragma once

#include <string>
#include <vector>

namespace platform::db {

enum class ColumnType { Integer, Real, Text, Blob };

struct ColumnSpec {
    std::string name;
    ColumnType type = ColumnType::Integer;
    // INTEGER PRIMARY KEY AUTOINCREMENT: the engine numbers new rows and never reuses a number.
    bool autoIncrementKey = false;
    // Text compared without regard to ASCII case.
    bool noCase = false;
};

struct TableDef {
    std::string name;
    std::vector<ColumnSpec> columns;
};

} // namespace platform::db
