#include "kitbase/model/ZRBinaryRS.h"

#include "kitbase/model/ZREye.h"

std::string ZRBinaryRS::GetDefaultSQL() const {
    return "[Binary]";
}

void ZRBinaryRS::DoFieldExchange(platform::db::FieldExchange& fx) {
    fx.Long("[Object]", m_Object);
    fx.Long("[Attribute]", m_Attribute);
    fx.Binary("[Value]", m_Value);
    // Long database work animates the activity indicator, one step per record.
    if (fx.IsMoving())
        ZREye::Instance()->Increment();
}
