#include "kitbase/model/ZRCommutationRS.h"

void ZRCommutationRS::DoFieldExchange(platform::db::FieldExchange& fx) {
    fx.Long("[CommutationID]", m_CommutationID);
    fx.Text("[CommutationName]", m_CommutationName);
}
