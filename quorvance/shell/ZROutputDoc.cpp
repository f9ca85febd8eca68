#include "quorvance/shell/ZROutputDoc.h"

#include "platform/ui/DockBar.h"

#include <QWidget>

bool ZROutputDoc::CanCloseFrame(QWidget* frame) {
    for (QWidget* w = frame; w; w = w->parentWidget())
        if (auto* bar = dynamic_cast<platform::ui::DockBar*>(w)) {
            bar->ToggleBar();
            break;
        }
    return false;
}
