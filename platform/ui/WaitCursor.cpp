#include "platform/ui/WaitCursor.h"

#include <QApplication>

namespace platform::ui {

WaitCursor::WaitCursor() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_active = true;
    }
}

WaitCursor::~WaitCursor() {
    Restore();
}

void WaitCursor::Restore() {
    if (m_active) {
        QApplication::restoreOverrideCursor();
        m_active = false;
    }
}

} // namespace platform::ui
