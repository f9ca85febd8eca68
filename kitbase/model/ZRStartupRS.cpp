#include "kitbase/model/ZRStartupRS.h"

void ZRStartupRS::DoFieldExchange(platform::db::FieldExchange& fx) {
    fx.Long("[StartupID]", m_StartupID);
    fx.Text("[StartupName]", m_StartupName);
}
