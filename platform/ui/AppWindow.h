// The application's main window as code that only needs to find, disable or enable it sees it.
#pragma once

class QWidget;

namespace platform::ui {

// Not owned; a window that goes away is forgotten by itself.
void SetMainWindow(QWidget* window);
// Null when none is set.
QWidget* GetMainWindow();
// Does nothing without a main window.
void EnableMainWindow(bool enable);

} // namespace platform::ui
