#pragma once

#include "platform/db/Recordset.h"

#include <cstdint>

// The Integers table: 32-bit values, signed and unsigned alike, and the child links (attribute -1).
class ZRIntegerRS : public platform::db::Recordset {
public:
    explicit ZRIntegerRS(platform::db::Database* db) : Recordset(db) {}

    int32_t m_Object = 0;
    int32_t m_Attribute = 0;
    int32_t m_Value = 0;

protected:
    std::string GetDefaultSQL() const override;
    void DoFieldExchange(platform::db::FieldExchange& fx) override;
};
