#include "kitbase/model/ZRProtectionRS.h"

void ZRProtectionRS::DoFieldExchange(platform::db::FieldExchange& fx) {
    fx.Long("[MotorID]", m_MotorID);
    fx.Double("[CthWA]", m_CthWA);
    fx.Double("[CthWE]", m_CthWE);
    fx.Double("[RthWA]", m_RthWA);
    fx.Double("[RthWE]", m_RthWE);
}
