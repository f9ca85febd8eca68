#pragma once

#include "kitbase/ui/ZRPaneLinks.h"
#include "platform/core/Observer.h"
#include "platform/ui/Command.h"
#include "platform/ui/Grid.h"

#include <list>
#include <memory>
#include <string>

class ZRGridRow;

// The property grid: one row object per grid row (row i is the (i-1)th of the row list), columns
// 1 name, 2 value, 3 units under the header row (title, "Value", "Units"). It owns its rows, passes
// cell events to them, and, on line, re-reads one visible row per idle tick.
class ZRPropertiesGrid : public platform::ui::Grid,
                         public platform::core::Observer,
                         public platform::ui::CommandTarget {
public:
    // Control id of the grid's own spin edit, which the spin rows name.
    static constexpr int kSpinEditId = 19700;
    // A frame that is closing sets this property (true) on itself: its grids then accept every
    // cell and end edits without passing them to the rows.
    static constexpr const char* kClosingProperty = "zrFrameClosing";

    explicit ZRPropertiesGrid(QWidget* parent = nullptr);
    ~ZRPropertiesGrid() override;

    // The rows in display order; node managers append to it, then call UpdateRows.
    std::list<std::unique_ptr<ZRGridRow>>& GetRows() { return m_Rows; }
    // Lays the grid out from the row list: numbers the rows, initializes new ones, fits sizes and
    // puts the refresh cursor on the first row.
    void UpdateRows();
    void Backup();
    void Revert();
    // The display format (0 decimal, 1 binary, 2 hexadecimal) for rows that show formatted text;
    // every row is refreshed (forced).
    void SetFormatBase(int base);
    int GetFormatBase() const { return m_FormatBase; }
    // The status grid refreshes even the row being edited.
    void SetAlwaysRefresh(bool always) { m_bAlwaysRefresh = always; }
    bool IsAlwaysRefresh() const { return m_bAlwaysRefresh; }
    // Set before OnInitialUpdate: an off-line grid never observes the idle tick.
    void SetOffLine(bool offLine);
    bool IsOffLine() const { return m_bOffLine; }
    // Not owned.
    void SetPanes(QWidget* next, QWidget* previous);
    void SetTitle(const std::string& title) { m_Title = title; }
    const std::string& GetTitle() const { return m_Title; }
    // Written by the properties view.
    void SetPaneCollapsed(bool collapsed) { m_bPaneCollapsed = collapsed; }
    void SetViewInactive(bool inactive) { m_bViewInactive = inactive; }

    // Registers the spin edit, sets up the columns and header row, subscribes to the idle tick.
    virtual void OnInitialUpdate();
    // The idle refresh (reason IdleTick).
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;
    // Stops observing and deletes the rows; the destructor calls it when nobody did.
    void OnDestroy();

    void OnNextPaneCmd();
    void OnPrevPaneCmd();
    const platform::ui::CommandTable* Commands() const override;

    // The row object of grid row n (1-based); null when there is none.
    ZRGridRow* RowAt(int row) const;

protected:
    bool OnValidateCell(int row, int col) override;
    bool OnEndEditing(int row, int col) override;
    void OnModifyCell(int row, int col) override;
    bool OnLButtonClickedRowCol(int row, int col, Qt::KeyboardModifiers modifiers,
                                const QPoint& pos) override;
    void OnClickedButtonRowCol(int row, int col) override;
    bool ProcessKeys(QWidget* sender, QKeyEvent& event) override;
    bool StoreMoveRows(int from, int to, int dest) override;

    // Whether the frame holding the grid is closing.
    virtual bool IsFrameClosing() const;

private:
    void RefreshTick();
    void FocusPane(QWidget* pane);

    std::list<std::unique_ptr<ZRGridRow>> m_Rows;
    std::list<std::unique_ptr<ZRGridRow>>::iterator m_RefreshPos = m_Rows.end();
    bool m_bAlwaysRefresh = false;
    QMetaObject::Connection m_FocusListener;
    std::string m_Title;
    bool m_bOffLine = false;
    int m_FormatBase = 0;
    ZRPaneLinks m_Panes;
    bool m_bPaneCollapsed = false;
    bool m_bViewInactive = false;
    bool m_bValidating = false;
    bool m_bObserving = false;
    bool m_bDestroyed = false;

    // Shared by every grid of the process: a pass has just started over.
    static bool s_bWrapped;
};
