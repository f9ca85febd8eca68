#include "kitbase/ui/ZRRadioController.h"

#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "platform/core/Modal.h"

void ZRRadioController::OnClick(int value) {
    auto* selection = dynamic_cast<ZRIndexSelection*>(GetModel());
    if (!selection)
        return;
    try {
        selection->SetValue(value);
    } catch (const ZRError& error) {
        platform::core::MessageBox(error.GetComboMessage());
    }
}
