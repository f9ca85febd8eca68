#pragma once

#include <cstdint>
#include <string>

// The Motor table's columns as the motor and linear motor recordsets bind them.
struct ZRMotorFields {
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
    int32_t m_RatedVoltage = 0;
};
