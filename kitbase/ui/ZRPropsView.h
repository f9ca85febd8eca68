#pragma once

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
    static constexpr unsigned kCopyCommand = 57634;
    static constexpr unsigned kCutCommand = 57635;
    static constexpr unsigned kPasteCommand = 57637;

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

    bool OnCommand(unsigned id) override;
    bool OnUpdateCommand(unsigned id, platform::ui::CommandState& state) override;
    bool HasCommand(unsigned id) const override;

    // Copy, cut and paste of a grid's current cell; cut and paste write through the grid's edit road,
    // so the row validates the text as if it were typed.
    static bool ClipboardCommand(platform::ui::Grid& grid, unsigned id);
    static bool ClipboardState(platform::ui::Grid& grid, unsigned id, platform::ui::CommandState& state);
    static bool IsClipboardCommand(unsigned id);
    // The window a form view remembers for the focus: the grid that holds the focus, else the focused
    // window itself; null when the focus is not inside the view.
    static QWidget* FindFocusControl(QWidget* view);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    ZRPropertiesGrid* m_pGrid; // a child window
    QAbstractButton* m_pShowButton = nullptr;
    QPointer<QWidget> m_pFocus;
};
