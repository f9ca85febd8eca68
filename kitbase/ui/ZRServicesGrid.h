#pragma once

#include "kitbase/ui/ZRPaneLinks.h"
#include "platform/ui/Command.h"
#include "platform/ui/Grid.h"

#include <list>
#include <memory>

class ZRGridRow;

// The services pane of a property sheet: one column of push buttons, one command row each. It owns
// its rows, passes presses, releases and Enter to them (so a row can hold a command while its button
// is down) and takes part in the sheet's pane cycling. It is never refreshed on the idle tick.
class ZRServicesGrid : public platform::ui::Grid, public platform::ui::CommandTarget {
public:
    explicit ZRServicesGrid(QWidget* parent = nullptr);
    ~ZRServicesGrid() override;

    // The node manager appends its command rows here, then calls UpdateRows.
    std::list<std::unique_ptr<ZRGridRow>>& GetRows() { return m_Rows; }
    // Lays the rows out again and gives the frame their command ids, in row order.
    void UpdateRows();
    // Not owned.
    void SetPanes(QWidget* next, QWidget* previous);
    // Written by the pane view while its pane has no width or height.
    void SetCollapsed(bool collapsed) { m_bCollapsed = collapsed; }
    bool IsCollapsed() const { return m_bCollapsed; }
    // Whether a press is held, and where.
    bool IsPressed() const { return m_bPressed; }
    int GetPressedRow() const { return m_PressRow; }
    int GetPressedCol() const { return m_PressCol; }

    virtual void OnInitialUpdate();
    // Deletes the rows; the destructor calls it when nobody did.
    void OnDestroy();

    void OnNextPaneCmd();
    void OnPrevPaneCmd();
    const platform::ui::CommandTable* Commands() const override;

    // The row object of grid row n (1-based); null when there is none.
    ZRGridRow* RowAt(int row) const;

protected:
    void OnClickedButtonRowCol(int row, int col) override;
    bool ProcessKeys(QWidget* sender, QKeyEvent& event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void ClearPressed();
    void FocusArrived(QWidget* old);

    std::list<std::unique_ptr<ZRGridRow>> m_Rows;
    bool m_bCollapsed = false;
    ZRPaneLinks m_Panes;
    bool m_bPressed = false;
    int m_PressRow = 0;
    int m_PressCol = 0;
    bool m_bDestroyed = false;
    QMetaObject::Connection m_FocusLink;
};
