#include "kitbase/ui/ZRToggleButtonController.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRError.h"
#include "platform/core/Modal.h"

#include <QAbstractButton>

void ZRToggleButtonController::OnClick() {
    auto* attribute = dynamic_cast<ZRBoolAttribute*>(GetModel());
    if (!attribute || !GetCtl())
        return;
    try {
        attribute->SetValue(GetCtl()->isChecked());
    } catch (const ZRError& error) {
        platform::core::MessageBox(error.GetComboMessage());
    }
}
