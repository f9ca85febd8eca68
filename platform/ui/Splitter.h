// Panes side by side (columns) or one above the other (rows) with bars the user drags. A pane is
// hidden by collapsing it to nothing, so the widget in it sees a size of 0 and can tell.
#pragma once

#include <QSplitter>

#include <map>

namespace platform::ui {

class Splitter : public QSplitter {
public:
    explicit Splitter(Qt::Orientation orientation, QWidget* parent = nullptr);

    int PaneCount() const { return count(); }
    // The pane's width (columns) or height (rows); -1 while the splitter has not been laid out.
    int PaneSize(int index) const;
    // Gives the pane this size, the other panes sharing the rest in their present proportions.
    // Before the first layout the size is kept and applied then.
    void SetPaneSize(int index, int size);

    bool IsPaneShown(int index) const;
    // Collapses the pane, or gives it back the size it had before it was collapsed.
    void ShowPane(int index, bool show);
    void TogglePane(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Apply(int index, int size);

    bool m_laidOut = false;
    std::map<int, int> m_pending; // sizes set before the first layout
    std::map<int, int> m_restore; // sizes of collapsed panes
};

} // namespace platform::ui
