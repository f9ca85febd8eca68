#include "kitbase/model/ZRStringRS.h"

#include "kitbase/model/ZREye.h"

std::string ZRStringRS::GetDefaultSQL() const {
    return "[Strings]";
}

void ZRStringRS::DoFieldExchange(platform::db::FieldExchange& fx) {
    fx.Long("[Object]", m_Object);
    fx.Long("[Attribute]", m_Attribute);
    fx.Text("[Value]", m_Value);
    // Long database work animates the activity indicator, one step per record.
    if (fx.IsMoving())
        ZREye::Instance()->Increment();
}
