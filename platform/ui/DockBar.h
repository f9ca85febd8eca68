// A docking bar of the main window. Its name is what the saved bar state knows it by, so it must
// stay the same from one run to the next.
#pragma once

#include <QDockWidget>

#include <string>

namespace platform::ui {

class DockBar : public QDockWidget {
public:
    DockBar(const std::string& title, const std::string& name, QWidget* parent = nullptr);

    // Whether the user has the bar shown (a bar behind another in a tab group counts as shown).
    bool IsBarShown() const;
    void ShowBar(bool show);
    void ToggleBar();
    // Shows the bar, brings it in front of the bars it shares a tab group with, and gives its
    // content the focus.
    void ActivateBar();
};

} // namespace platform::ui
