#include "kitbase/model/ZRLinearMotorRS.h"

void ZRLinearMotorRS::DoFieldExchange(platform::db::FieldExchange& fx) {
    fx.Long("[LinearMotor].[MotorID]", m_LinearMotorID);
    fx.Single("[ForceConstant]", m_ForceConstant);
    fx.Double("[Mass]", m_Mass);
    fx.Single("[ElectricalCycleLength]", m_ElectricalCycleLength);
    fx.Double("[MaximumSpeed]", m_MaximumSpeed);
    fx.Long("[LinesPerMeter]", m_LinesPerMeter);
    fx.Long("[Motor].[MotorID]", m_MotorID);
    fx.Text("[Model]", m_Model);
    fx.Bool("[StandardMotor]", m_StandardMotor);
    fx.Long("[TypeID]", m_TypeID);
    fx.Single("[Resistance]", m_Resistance);
    fx.Single("[Inductance]", m_Inductance);
    fx.Single("[IntermittentCurrent]", m_IntermittentCurrent);
    fx.Single("[ContinuousCurrent]", m_ContinuousCurrent);
    fx.Long("[EncoderID]", m_EncoderID);
    fx.Long("[CommutationID]", m_CommutationID);
    fx.Long("[StartupID]", m_StartupID);
    fx.Short("[HallInputOffset]", m_HallInputOffset);
    fx.Bool("[IntegralThermostat]", m_IntegralThermostat);
    fx.Bool("[SoftwareProtection]", m_SoftwareProtection);
    fx.Long("[Protection].[MotorID]", m_ProtectionMotorID);
    fx.Double("[RthWE]", m_RthWE);
    fx.Double("[CthWE]", m_CthWE);
    fx.Double("[RthWA]", m_RthWA);
    fx.Double("[CthWA]", m_CthWA);
    fx.Long("[RatedVoltage]", m_RatedVoltage);
}
