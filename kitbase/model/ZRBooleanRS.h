#pragma once

#include "platform/db/Recordset.h"

#include <cstdint>

// The Booleans table.
class ZRBooleanRS : public platform::db::Recordset {
public:
    explicit ZRBooleanRS(platform::db::Database* db) : Recordset(db) {}

    int32_t m_Object = 0;
    int32_t m_Attribute = 0;
    bool m_Value = false;

protected:
    std::string GetDefaultSQL() const override;
    void DoFieldExchange(platform::db::FieldExchange& fx) override;
};
