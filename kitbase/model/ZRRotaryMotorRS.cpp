#include "kitbase/model/ZRRotaryMotorRS.h"

void ZRRotaryMotorRS::DoFieldExchange(platform::db::FieldExchange& fx) {
    fx.Long("[CommutationID]", m_CommutationID);
    fx.Single("[ContinuousCurrent]", m_ContinuousCurrent);
    fx.Double("[CthWA]", m_CthWA);
    fx.Double("[CthWE]", m_CthWE);
    fx.Long("[EncoderID]", m_EncoderID);
    fx.Single("[HallInputOffset]", m_HallInputOffset);
    fx.Single("[Inductance]", m_Inductance);
    fx.Double("[Inertia]", m_Inertia);
    fx.Bool("[IntegralThermostat]", m_IntegralThermostat);
    fx.Single("[IntermittentCurrent]", m_IntermittentCurrent);
    fx.Long("[LinesPerRevolution]", m_LinesPerRevolution);
    fx.Double("[MaximumSpeed]", m_MaximumSpeed);
    fx.Text("[Model]", m_Model);
    fx.Long("[Motor].[MotorID]", m_MotorID);
    fx.Byte("[PolesPerRevolution]", m_PolesPerRevolution);
    fx.Long("[Protection].[MotorID]", m_ProtectionMotorID);
    fx.Long("[RatedVoltage]", m_RatedVoltage);
    fx.Single("[Resistance]", m_Resistance);
    fx.Long("[RotaryMotor].[MotorID]", m_RotaryMotorID);
    fx.Double("[RthWA]", m_RthWA);
    fx.Double("[RthWE]", m_RthWE);
    fx.Bool("[SoftwareProtection]", m_SoftwareProtection);
    fx.Bool("[StandardMotor]", m_StandardMotor);
    fx.Long("[StartupID]", m_StartupID);
    fx.Single("[Torque Constant]", m_TorqueConstant);
    fx.Long("[TypeID]", m_TypeID);
    fx.Bool("[GearBox]", m_GearBox);
    fx.Long("[GearRatioNumerator]", m_GearRatioNumerator);
    fx.Long("[GearRatioDenominator]", m_GearRatioDenominator);
}
