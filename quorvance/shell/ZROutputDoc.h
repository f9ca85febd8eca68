#pragma once

#include "kitbase/ui/ZRModelDoc.h"

class QWidget;

// The document of the docked Output window. It lives for the whole run: closing its window only
// shows or hides the bar that holds it.
class ZROutputDoc : public ZRModelDoc {
public:
    // Toggles the docking bar that holds the frame (the frame itself or an ancestor); always false.
    bool CanCloseFrame(QWidget* frame);
};
