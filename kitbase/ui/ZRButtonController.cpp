#include "kitbase/ui/ZRButtonController.h"

#include "kitbase/model/ZRCommand.h"
#include "platform/core/Modal.h"

#include <QAbstractButton>

void ZRButtonController::OnClick() {
    ZRCommand* command = GetCommand();
    if (!command)
        return;
    // The command has shown its failure already; the button repeats it. A command that failed
    // without a message has nothing to repeat.
    if (!command->Execute(true) && !command->GetLastMessage().empty())
        platform::core::MessageBox(command->GetLastMessage());
}

void ZRButtonController::SetCtl(QAbstractButton* button) {
    m_pButton = button;
    PlugInto(button);
}

ZRCommand* ZRButtonController::GetCommand() const {
    return dynamic_cast<ZRCommand*>(GetModel());
}
