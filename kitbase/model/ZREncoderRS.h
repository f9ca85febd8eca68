#pragma once

#include "kitbase/model/ZRMotorDbRecordset.h"

#include <cstdint>
#include <string>

// The feedback kinds that Motor.EncoderID names.
class ZREncoderRS : public ZRMotorDbRecordset {
public:
    explicit ZREncoderRS(platform::db::Database* db = nullptr) : ZRMotorDbRecordset(db) {}
    ~ZREncoderRS() override = default;

    std::string GetDefaultSQL() const override { return "[EncoderTypes]"; }

    int32_t m_EncoderID = 0;
    std::string m_EncoderName;

protected:
    void DoFieldExchange(platform::db::FieldExchange& fx) override;
};
