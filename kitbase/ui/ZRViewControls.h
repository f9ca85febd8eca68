#pragma once

#include "platform/ui/Command.h"
#include "platform/ui/CommandIds.h"

class QCheckBox;
class QPushButton;
class QRect;
class QWidget;
class ZRPropertiesGrid;
class ZRTest;

// What the views with a row of control buttons, pane commands and a grid the test harness reads
// have in common.
namespace ZRViewControls {

// A push button or check box of the view; a click runs the control's id through RunControl.
QPushButton* AddButton(QWidget& view, platform::ui::CommandTarget& target, int id, const char* text,
                       const char* where);
QCheckBox* AddCheck(QWidget& view, platform::ui::CommandTarget& target, int id, const char* text,
                    const char* where);

// A control's command goes to the view first, then along its frame's chain (Close is the frame's).
void RunControl(QWidget& view, platform::ui::CommandTarget& target, unsigned id, const char* where);

// The state of a form's command: enabled with its control, always without one.
void ControlState(const QWidget* control, platform::ui::CommandState& state);

// The update rule of a form's button command: it follows its control (T::Item).
inline constexpr auto kWithControl = [](auto& view, unsigned id, platform::ui::CommandState& state) {
    ControlState(view.Item(static_cast<int>(id)), state);
};

// The pane commands (Next Pane, Previous Pane) of a grid or form with OnNextPaneCmd/OnPrevPaneCmd:
// one table for every class that has them.
template <class T> const platform::ui::CommandTable& PaneCommands() {
    using Row = platform::ui::CommandRow<T>;
    static const platform::ui::CommandTable table{
        Row(platform::ui::ids::ID_NEXT_PANE, &T::OnNextPaneCmd, platform::ui::kCommandEnabled),
        Row(platform::ui::ids::ID_PREV_PANE, &T::OnPrevPaneCmd, platform::ui::kCommandEnabled),
    };
    return table;
}

// The help topic of the view's frame (0 without one) in the help window.
void ShowFrameHelp(QWidget& view);
// The controls under a sheet's panes at a client size: four buttons of 60 by 25 from the right edge
// leftward, two check boxes one above the other at the left edge, each of the given width or as
// wide as its text when that needs more.
void PlaceSheetControls(int cx, int cy, QWidget* const (&buttons)[4], QWidget* upperBox, int upperWidth,
                        QWidget* lowerBox, int lowerWidth);

// Focuses the pane and makes its view the active one; a null pane is left alone.
void FocusPane(QWidget* pane);

// The harness packs a cell as row << 16 | column.
void UnpackCell(long cell, int& row, int& col);
// A rectangle as the harness wants it: left, right, top, bottom.
void WriteRect(ZRTest& test, const QRect& rect);
// The grid queries: 1 the cell's text to the page, 2 the page's text to the cell, 3 the cell's
// rectangle in the grid window's own coordinates. False for any other type.
bool AnswerGridQuery(ZRTest& test, ZRPropertiesGrid& grid, unsigned type, long cell);

} // namespace ZRViewControls
