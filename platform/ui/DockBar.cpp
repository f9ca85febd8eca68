#include "platform/ui/DockBar.h"

#include "platform/ui/Text.h"

#include <QAction>

namespace platform::ui {

DockBar::DockBar(const std::string& title, const std::string& name, QWidget* parent)
    : QDockWidget(ToQString(title), parent) {
    setObjectName(ToQString(name));
}

bool DockBar::IsBarShown() const {
    // The toggle action follows what the user chose, not whether the bar's tab is the current one.
    return toggleViewAction()->isChecked();
}

void DockBar::ShowBar(bool show) {
    setVisible(show);
}

void DockBar::ToggleBar() {
    ShowBar(!IsBarShown());
}

void DockBar::ActivateBar() {
    ShowBar(true);
    raise();
    if (QWidget* content = widget())
        content->setFocus();
}

} // namespace platform::ui
