#include "kitbase/ui/ZRComboListBox.h"

#include "kitbase/ui/ZRComboBox.h"
#include "platform/ui/Guard.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>

ZRComboListBox::ZRComboListBox(ZRComboBox& owner, QComboBox& combo)
    : QObject(&combo), m_Owner(owner), m_Combo(combo) {
    combo.view()->installEventFilter(this);
}

bool ZRComboListBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease && watched == m_Combo.view()) {
        int key = static_cast<QKeyEvent*>(event)->key();
        platform::ui::Guard("drop-down keys", [&] { OnKeyUp(key); });
    }
    return QObject::eventFilter(watched, event);
}

void ZRComboListBox::OnKeyUp(int key) {
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        // Taken (or dropped) when the key went down; the next opening starts afresh.
        m_LastSelection = -1;
        return;
    default:
        break;
    }
    if (!m_Combo.view()->isVisible())
        return;
    int selection = m_Combo.view()->currentIndex().row();
    if (selection == m_LastSelection)
        return;
    m_LastSelection = selection;
    m_Owner.SelectionChanged(selection);
}
