#include "kitbase/model/ZRFileRS.h"

#include "kitbase/model/ZREye.h"

std::string ZRFileRS::GetDefaultSQL() const {
    return "[Files]";
}

void ZRFileRS::DoFieldExchange(platform::db::FieldExchange& fx) {
    fx.Text("[Path]", m_Path);
    fx.Binary("[Value]", m_Value);
    // Long database work animates the activity indicator, one step per record.
    if (fx.IsMoving())
        ZREye::Instance()->Increment();
}
