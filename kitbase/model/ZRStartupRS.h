#pragma once

#include "kitbase/model/ZRMotorDbRecordset.h"

#include <cstdint>
#include <string>

// The start-up kinds that Motor.StartupID names.
class ZRStartupRS : public ZRMotorDbRecordset {
public:
    explicit ZRStartupRS(platform::db::Database* db = nullptr) : ZRMotorDbRecordset(db) {}
    ~ZRStartupRS() override = default;

    std::string GetDefaultSQL() const override { return "[StartupTypes]"; }

    int32_t m_StartupID = 0;
    std::string m_StartupName;

protected:
    void DoFieldExchange(platform::db::FieldExchange& fx) override;
};
