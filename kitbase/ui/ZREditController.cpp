#include "kitbase/ui/ZREditController.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRError.h"
#include "platform/core/Modal.h"
#include "platform/ui/Text.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

void ZREditController::SetCtl(QLineEdit* edit) {
    m_pEdit = edit;
    PlugInto(edit);
}

bool ZREditController::OnWindowEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !key->isAutoRepeat())
            Commit();
        break;
    }
    case QEvent::FocusOut:
        OnKillFocus();
        break;
    default:
        break;
    }
    // The window handles every message as well.
    return false;
}

void ZREditController::OnKillFocus() {
    Commit();
}

void ZREditController::Commit() {
    auto* attribute = dynamic_cast<ZRAttribute*>(GetModel());
    if (!attribute || !m_pEdit || m_bCommitting)
        return;
    m_bCommitting = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_bCommitting};
    try {
        attribute->SetAsString(platform::ui::FromQString(m_pEdit->text()));
    } catch (const ZRError& error) {
        platform::core::MessageBox(error.GetComboMessage());
    }
}
