#include "kitbase/model/ZRObjectRS.h"

#include "kitbase/model/ZREye.h"

std::string ZRObjectRS::GetDefaultSQL() const {
    return "[Objects]";
}

void ZRObjectRS::DoFieldExchange(platform::db::FieldExchange& fx) {
    fx.Short("[Class]", m_Class);
    fx.Short("[Instance]", m_Instance);
    fx.Long("[Object]", m_Object);
    // Long database work animates the activity indicator, one step per record.
    if (fx.IsMoving())
        ZREye::Instance()->Increment();
}
