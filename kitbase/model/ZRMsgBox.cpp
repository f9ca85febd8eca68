#include "kitbase/model/ZRMsgBox.h"

#include "platform/core/Modal.h"

ZRMsgBox::Responses* ZRMsgBox::s_pResponses = nullptr;

int ZRMsgBox::Show(const std::string& text, unsigned type, unsigned /*helpId*/) {
    if (Responses* queue = s_pResponses) {
        if (queue->IsRespQueEmpty()) {
            queue->WriteToLog("Unexpected MsgBox: " + text);
        } else if (queue->PeekRespTypeFromQue() == MsgBoxResponse) {
            unsigned respType = 0;
            return static_cast<int>(queue->GetResponseFromQue(respType));
        } else {
            // The head answers some other prompt: keep it, and never answer this box by guess.
            platform::core::MessageBox("Test Error: MsgBox response has wrong type");
        }
    }
    return platform::core::MessageBox(text, {}, type);
}
