#include "kitbase/ui/ZRWorkspaceDoc.h"

#include <QDockWidget>

bool ZRWorkspaceDoc::CanCloseFrame(QWidget* frame) {
    // The workspace window stays; closing it toggles the docking bar that holds it.
    for (QWidget* w = frame ? frame->parentWidget() : nullptr; w; w = w->parentWidget())
        if (auto* bar = qobject_cast<QDockWidget*>(w)) {
            bar->setVisible(!bar->isVisible());
            break;
        }
    return false;
}
