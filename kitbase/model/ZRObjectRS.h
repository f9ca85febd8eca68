#pragma once

#include "platform/db/Recordset.h"

#include <cstdint>

// The Objects table: one row per stored object; the engine numbers Object.
class ZRObjectRS : public platform::db::Recordset {
public:
    explicit ZRObjectRS(platform::db::Database* db) : Recordset(db) {}

    int16_t m_Class = 0;
    int16_t m_Instance = 0;
    int32_t m_Object = 0;

protected:
    std::string GetDefaultSQL() const override;
    void DoFieldExchange(platform::db::FieldExchange& fx) override;
};
