#pragma once

#include "kitbase/model/ZRMotorDbRecordset.h"

#include <cstdint>
#include <string>

// The commutation kinds that Motor.CommutationID names.
class ZRCommutationRS : public ZRMotorDbRecordset {
public:
    explicit ZRCommutationRS(platform::db::Database* db = nullptr) : ZRMotorDbRecordset(db) {}
    ~ZRCommutationRS() override = default;

    std::string GetDefaultSQL() const override { return "[CommutationTypes]"; }

    int32_t m_CommutationID = 0;
    std::string m_CommutationName;

protected:
    void DoFieldExchange(platform::db::FieldExchange& fx) override;
};
