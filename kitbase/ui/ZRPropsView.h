#pragma once

#include "kitbase/ui/ZRViewControls.h"
#include "platform/ui/View.h"

#include <QPointer>
#include <QWidget>

class QAbstractButton;
class ZRPropertiesGrid;

namespace platform::ui {
class Grid;
}

// The small form around a properties grid in a splitter pane of a property sheet. It sizes the grid
// to the pane and tells the grid, and the pane's show box, whether the pane is collapsed.
class ZRPropsView : public QWidget, public platform::ui::View {
public:
    static constexpr int kGridId = 19804;

    explicit ZRPropsView(QWidget* parent = nullptr);
    ~ZRPropsView() override;

    ZRPropertiesGrid* GetGrid() const { return m_pGrid; }
    // The check box that mirrors whether the pane is shown (not owned).
    void SetShowButton(QAbstractButton* button) { m_pShowButton = button; }
    QAbstractButton* GetShowButton() const { return m_pShowButton; }
    // Remembers the grid (or the focused window) that holds the focus inside the view: 1, else 0.
    int SaveFocusControl();

    void OnInitialUpdate() override;
    void OnActivateView(bool activate, platform::ui::View* activated,
                        platform::ui::View* deactivated) override;
    void OnActivateFrame(bool active, platform::ui::ChildFrame* frame) override;

    // Its own clipboard commands, then the grid's.
    bool OnCommand(unsigned id) override;
    bool OnUpdateCommand(unsigned id, platform::ui::CommandState& state) override;
    bool HasCommand(unsigned id) const override;

    // Copy, cut and paste of a grid's current cell; cut and paste write through the grid's edit road,
    // so the row validates the text as if it were typed.
    static void ClipboardCommand(platform::ui::Grid& grid, unsigned id);
    static void ClipboardState(platform::ui::Grid& grid, unsigned id, platform::ui::CommandState& state);
    // A row of a form's table for copy, cut or paste on the form's grid member.
    template <class T, ZRPropertiesGrid* T::*grid>
    static platform::ui::CommandRow<T> ClipboardRow(unsigned id) {
        return {id, [](T& view, unsigned command) { ClipboardCommand(*(view.*grid), command); },
                [](T& view, unsigned command, platform::ui::CommandState& state) {
                    ClipboardState(*(view.*grid), command, state);
                }};
    }
    // What the property and scope sheets share: copy, cut and paste on the sheet's grid, Help on
    // the frame's topic (always there), then the pane commands.
    template <class T, ZRPropertiesGrid* T::*grid> static const platform::ui::CommandTable& SheetCommands() {
        using namespace platform::ui::ids;
        static const platform::ui::CommandTable table{
            {ClipboardRow<T, grid>(ID_EDIT_COPY), ClipboardRow<T, grid>(ID_EDIT_CUT),
             ClipboardRow<T, grid>(ID_EDIT_PASTE),
             platform::ui::CommandRow<T>(
                 ID_HELP, [](T& view) { ZRViewControls::ShowFrameHelp(view); },
                 platform::ui::kCommandEnabled)},
            &ZRViewControls::PaneCommands<T>()};
        return table;
    }
    // The window a form view remembers for the focus: the grid that holds the focus, else the focused
    // window itself; null when the focus is not inside the view.
    static QWidget* FindFocusControl(QWidget* view);

protected:
    const platform::ui::CommandTable* Commands() const override;
    void resizeEvent(QResizeEvent* event) override;

private:
    ZRPropertiesGrid* m_pGrid; // a child window
    QAbstractButton* m_pShowButton = nullptr;
    QPointer<QWidget> m_pFocus;
};
