#pragma once

#include "platform/db/Recordset.h"

#include <cstdint>

// The Floats table: single-precision values.
class ZRFloatRS : public platform::db::Recordset {
public:
    explicit ZRFloatRS(platform::db::Database* db) : Recordset(db) {}

    int32_t m_Object = 0;
    int32_t m_Attribute = 0;
    float m_Value = 0.0f;

protected:
    std::string GetDefaultSQL() const override;
    void DoFieldExchange(platform::db::FieldExchange& fx) override;
};
