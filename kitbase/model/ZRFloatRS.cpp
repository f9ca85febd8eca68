#include "kitbase/model/ZRFloatRS.h"

#include "kitbase/model/ZREye.h"

std::string ZRFloatRS::GetDefaultSQL() const {
    return "[Floats]";
}

void ZRFloatRS::DoFieldExchange(platform::db::FieldExchange& fx) {
    fx.Long("[Object]", m_Object);
    fx.Long("[Attribute]", m_Attribute);
    fx.Single("[Value]", m_Value);
    // Long database work animates the activity indicator, one step per record.
    if (fx.IsMoving())
        ZREye::Instance()->Increment();
}
