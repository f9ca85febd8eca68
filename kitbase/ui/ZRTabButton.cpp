#include "kitbase/ui/ZRTabButton.h"

#include "platform/ui/View.h"

ZRTabButton::ZRTabButton(QWidget* parent) : QPushButton(parent) {}

void ZRTabButton::focusInEvent(QFocusEvent* event) {
    if (!m_pTarget) {
        QPushButton::focusInEvent(event);
        return;
    }
    m_pTarget->setFocus(Qt::OtherFocusReason);
    platform::ui::ActivateViewOfFocus(m_pTarget);
}
