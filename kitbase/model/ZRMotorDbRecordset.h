#pragma once

#include "platform/db/Recordset.h"

#include <initializer_list>
#include <string>
#include <vector>

// Base of the motor catalogue's recordsets. The catalogue's users write conditions in the dialect
// it has always been queried with: a bare Index column, texts in double quotes, * and ? as LIKE
// wildcards. Filters and find conditions given through this class are rewritten for the engine;
// '?' parameter markers outside texts stay markers.
class ZRMotorDbRecordset : public platform::db::Recordset {
public:
    explicit ZRMotorDbRecordset(platform::db::Database* db) : platform::db::Recordset(db) {}

    void SetFilter(const std::string& filter, std::vector<platform::db::Value> params = {});
    bool FindFirst(const std::string& condition, std::initializer_list<platform::db::Param> params = {});
    bool FindNext(const std::string& condition, std::initializer_list<platform::db::Param> params = {});

    static std::string EngineCondition(const std::string& condition);
};
