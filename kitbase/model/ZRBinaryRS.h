#pragma once

#include "platform/db/Recordset.h"

#include <cstdint>

// The Binary table: byte values.
class ZRBinaryRS : public platform::db::Recordset {
public:
    explicit ZRBinaryRS(platform::db::Database* db) : Recordset(db) {}

    int32_t m_Object = 0;
    int32_t m_Attribute = 0;
    platform::db::Bytes m_Value;

protected:
    std::string GetDefaultSQL() const override;
    void DoFieldExchange(platform::db::FieldExchange& fx) override;
};
