#include "quorvance/shell/ZRHexEdit.h"

#include "platform/ui/Dialog.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

ZRHexEdit::ZRHexEdit(QObject* parent) : QObject(parent) {}

bool ZRHexEdit::Attach(QWidget* edit) {
    if (!edit)
        return false;
    edit->installEventFilter(this);
    return true;
}

bool ZRHexEdit::SubclassDlgItem(int id, platform::ui::Dialog& dialog) {
    return Attach(dialog.Item(id));
}

bool ZRHexEdit::IsAccepted(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f') || c == '\b';
}

bool ZRHexEdit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Backspace)
            return false;
        QString text = key->text();
        // Keys that type nothing (arrows, shortcuts) are not characters and pass.
        if (!text.isEmpty() && text.at(0).isPrint()) {
            for (QChar c : text)
                if (c.unicode() > 0x7F || !IsAccepted(static_cast<char>(c.unicode())))
                    return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
