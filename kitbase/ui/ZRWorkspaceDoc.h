#pragma once

#include "kitbase/ui/ZRModelDoc.h"

// The workspace's document: its window never closes; closing it hides or shows its docking bar.
class ZRWorkspaceDoc : public ZRModelDoc {
public:
    // Toggles the docking bar that holds the frame; always false.
    virtual bool CanCloseFrame(QWidget* frame);
};
