#pragma once

#include "platform/db/Recordset.h"

#include <cstdint>
#include <string>

// The Files table: stored files by path relative to the store, "/" between the parts.
class ZRFileRS : public platform::db::Recordset {
public:
    explicit ZRFileRS(platform::db::Database* db) : Recordset(db) {}

    std::string m_Path;
    platform::db::Bytes m_Value;

protected:
    std::string GetDefaultSQL() const override;
    void DoFieldExchange(platform::db::FieldExchange& fx) override;
};
