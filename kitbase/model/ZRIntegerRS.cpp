#include "kitbase/model/ZRIntegerRS.h"

#include "kitbase/model/ZREye.h"

std::string ZRIntegerRS::GetDefaultSQL() const {
    return "[Integers]";
}

void ZRIntegerRS::DoFieldExchange(platform::db::FieldExchange& fx) {
    fx.Long("[Object]", m_Object);
    fx.Long("[Attribute]", m_Attribute);
    fx.Long("[Value]", m_Value);
    // Long database work animates the activity indicator, one step per record.
    if (fx.IsMoving())
        ZREye::Instance()->Increment();
}
