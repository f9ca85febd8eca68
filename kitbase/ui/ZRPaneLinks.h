#pragma once

class QWidget;

// The panes before and after one pane of a sheet, where Tab and the pane commands send the focus
// (not owned).
class ZRPaneLinks {
public:
    void Set(QWidget* next, QWidget* previous) {
        m_pNext = next;
        m_pPrevious = previous;
    }
    QWidget* Next() const { return m_pNext; }
    QWidget* Previous() const { return m_pPrevious; }
    // Where focus that arrived from `old` at a pane with nothing to take it goes on: back to the
    // previous pane when it came from the next one, else on to the next.
    QWidget* PassOn(QWidget* old) const;

private:
    QWidget* m_pNext = nullptr;
    QWidget* m_pPrevious = nullptr;
};
