#include "kitbase/model/ZRFluxRS.h"

void ZRFluxRS::DoFieldExchange(platform::db::FieldExchange& fx) {
    fx.Long("[MotorID]", m_MotorID);
    fx.Long("[Index]", m_Index);
    fx.Single("[Current]", m_Current);
    fx.Single("[Saturation]", m_Saturation);
}
