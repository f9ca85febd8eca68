#include "kitbase/model/ZREncoderRS.h"

void ZREncoderRS::DoFieldExchange(platform::db::FieldExchange& fx) {
    fx.Long("[EncoderID]", m_EncoderID);
    fx.Text("[EncoderName]", m_EncoderName);
}
