#include "platform/ui/AppWindow.h"

#include <QPointer>
#include <QWidget>

namespace platform::ui {

namespace {
QPointer<QWidget>& MainWindowRef() {
    static QPointer<QWidget> window;
    return window;
}
} // namespace

void SetMainWindow(QWidget* window) {
    MainWindowRef() = window;
}

QWidget* GetMainWindow() {
    return MainWindowRef().data();
}

void EnableMainWindow(bool enable) {
    if (QWidget* window = GetMainWindow())
        window->setEnabled(enable);
}

} // namespace platform::ui
