#pragma once

#include "kitbase/model/ZRMotorDbRecordset.h"

#include <cstdint>
#include <string>

// The thermal-model rows alone, in MotorID order; a custom motor's row is appended through it.
class ZRProtectionRS : public ZRMotorDbRecordset {
public:
    explicit ZRProtectionRS(platform::db::Database* db = nullptr) : ZRMotorDbRecordset(db) {}
    ~ZRProtectionRS() override = default;

    std::string GetDefaultSQL() const override { return "SELECT * FROM Protection ORDER BY MotorID"; }

    int32_t m_MotorID = 0;
    double m_CthWA = 0;
    double m_CthWE = 0;
    double m_RthWA = 0;
    double m_RthWE = 0;

protected:
    void DoFieldExchange(platform::db::FieldExchange& fx) override;
};
