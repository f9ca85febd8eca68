// One application object for the whole test program, made before the first test runs.
#pragma once

class QWidget;

namespace platform::ui {
class Application;
}

platform::ui::Application& TestApp();
// Shows a top-level widget and waits until it is the active window.
bool ShowActive(QWidget& widget);
