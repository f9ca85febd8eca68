#pragma once

#include "platform/db/Recordset.h"

#include <cstdint>
#include <string>

// The Strings table: text values.
class ZRStringRS : public platform::db::Recordset {
public:
    explicit ZRStringRS(platform::db::Database* db) : Recordset(db) {}

    int32_t m_Object = 0;
    int32_t m_Attribute = 0;
    std::string m_Value;

protected:
    std::string GetDefaultSQL() const override;
    void DoFieldExchange(platform::db::FieldExchange& fx) override;
};
