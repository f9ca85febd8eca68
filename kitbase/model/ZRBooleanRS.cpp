#include "kitbase/model/ZRBooleanRS.h"

#include "kitbase/model/ZREye.h"

std::string ZRBooleanRS::GetDefaultSQL() const {
    return "[Booleans]";
}

void ZRBooleanRS::DoFieldExchange(platform::db::FieldExchange& fx) {
    fx.Long("[Object]", m_Object);
    fx.Long("[Attribute]", m_Attribute);
    fx.Bool("[Value]", m_Value);
    // Long database work animates the activity indicator, one step per record.
    if (fx.IsMoving())
        ZREye::Instance()->Increment();
}
