#pragma once

#include "kitbase/model/ZRMotorDbRecordset.h"

#include <cstdint>
#include <string>

// Linear motors: LinearMotor, Motor and Protection joined on MotorID. A motor without a
// Protection row is not in it.
class ZRLinearMotorRS : public ZRMotorDbRecordset {
public:
    explicit ZRLinearMotorRS(platform::db::Database* db = nullptr) : ZRMotorDbRecordset(db) {}
    ~ZRLinearMotorRS() override = default;

    std::string GetDefaultSQL() const override {
        return "[LinearMotor],[Motor],[Protection] Where [Motor].[MotorID] = [Protection].[MotorID] AND "
               "[Motor].[MotorID] = [LinearMotor].[MotorID]";
    }

    int32_t m_LinearMotorID = 0;
    float m_ForceConstant = 0;
    double m_Mass = 0;
    float m_ElectricalCycleLength = 0;
    double m_MaximumSpeed = 0;
    int32_t m_LinesPerMeter = 0;
    int32_t m_MotorID = 0;
    std::string m_Model;
    bool m_StandardMotor = false;
    int32_t m_TypeID = 0;
    float m_Resistance = 0;
    float m_Inductance = 0;
    float m_IntermittentCurrent = 0;
    float m_ContinuousCurrent = 0;
    int32_t m_EncoderID = 0;
    int32_t m_CommutationID = 0;
    int32_t m_StartupID = 0;
    int16_t m_HallInputOffset = 0;
    bool m_IntegralThermostat = false;
    bool m_SoftwareProtection = false;
    int32_t m_ProtectionMotorID = 0;
    double m_RthWE = 0;
    double m_CthWE = 0;
    double m_RthWA = 0;
    double m_CthWA = 0;
    int32_t m_RatedVoltage = 0;

protected:
    void DoFieldExchange(platform::db::FieldExchange& fx) override;
};
