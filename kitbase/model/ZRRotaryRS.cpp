#include "kitbase/model/ZRRotaryRS.h"

void ZRRotaryRS::DoFieldExchange(platform::db::FieldExchange& fx) {
    fx.Long("[MotorID]", m_MotorID);
    fx.Single("[Torque Constant]", m_TorqueConstant);
    fx.Double("[Inertia]", m_Inertia);
    fx.Byte("[PolesPerRevolution]", m_PolesPerRevolution);
    fx.Double("[MaximumSpeed]", m_MaximumSpeed);
    fx.Long("[LinesPerRevolution]", m_LinesPerRevolution);
    fx.Single("[StallTorque]", m_StallTorque);
    fx.Long("[ResolverPoles]", m_ResolverPoles);
    fx.Bool("[GearBox]", m_GearBox);
    fx.Short("[GearRatioDenominator]", m_GearRatioDenominator);
    fx.Short("[GearRatioNumerator]", m_GearRatioNumerator);
}
