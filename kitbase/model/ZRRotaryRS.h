#pragma once

#include "kitbase/model/ZRMotorDbRecordset.h"

#include <cstdint>
#include <string>

// The RotaryMotor rows alone, in MotorID order; a custom motor's row is appended through it.
class ZRRotaryRS : public ZRMotorDbRecordset {
public:
    explicit ZRRotaryRS(platform::db::Database* db = nullptr) : ZRMotorDbRecordset(db) {}
    ~ZRRotaryRS() override = default;

    std::string GetDefaultSQL() const override { return "SELECT * FROM RotaryMotor ORDER BY MotorID"; }

    int32_t m_MotorID = 0;
    float m_TorqueConstant = 0;
    double m_Inertia = 0;
    uint8_t m_PolesPerRevolution = 0;
    double m_MaximumSpeed = 0;
    int32_t m_LinesPerRevolution = 0;
    float m_StallTorque = 0;
    int32_t m_ResolverPoles = 0;
    bool m_GearBox = false;
    int16_t m_GearRatioDenominator = 0;
    int16_t m_GearRatioNumerator = 0;

protected:
    void DoFieldExchange(platform::db::FieldExchange& fx) override;
};
