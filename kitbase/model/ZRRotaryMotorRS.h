#pragma once

#include "kitbase/model/ZRMotorDbRecordset.h"

#include <cstdint>
#include <string>

// Rotary motors: Motor, Protection and RotaryMotor joined on MotorID. A motor without a
// Protection row is not in it.
class ZRRotaryMotorRS : public ZRMotorDbRecordset {
public:
    explicit ZRRotaryMotorRS(platform::db::Database* db = nullptr) : ZRMotorDbRecordset(db) {}
    ~ZRRotaryMotorRS() override = default;

    std::string GetDefaultSQL() const override {
        return "[Motor],[Protection],[RotaryMotor] Where [Motor].[MotorID] = [Protection].[MotorID] AND "
               "[Motor].[MotorID] = [RotaryMotor].[MotorID]";
    }

    int32_t m_CommutationID = 0;
    float m_ContinuousCurrent = 0;
    double m_CthWA = 0;
    double m_CthWE = 0;
    int32_t m_EncoderID = 0;
    float m_HallInputOffset = 0;
    float m_Inductance = 0;
    double m_Inertia = 0;
    bool m_IntegralThermostat = false;
    float m_IntermittentCurrent = 0;
    int32_t m_LinesPerRevolution = 0;
    double m_MaximumSpeed = 0;
    std::string m_Model;
    int32_t m_MotorID = 0;
    uint8_t m_PolesPerRevolution = 0;
    int32_t m_ProtectionMotorID = 0;
    int32_t m_RatedVoltage = 0;
    float m_Resistance = 0;
    int32_t m_RotaryMotorID = 0;
    double m_RthWA = 0;
    double m_RthWE = 0;
    bool m_SoftwareProtection = false;
    bool m_StandardMotor = false;
    int32_t m_StartupID = 0;
    float m_TorqueConstant = 0;
    int32_t m_TypeID = 0;
    bool m_GearBox = false;
    int32_t m_GearRatioNumerator = 0;
    int32_t m_GearRatioDenominator = 0;

protected:
    void DoFieldExchange(platform::db::FieldExchange& fx) override;
};
