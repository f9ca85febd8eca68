// A grid of cells over a table view, with its own cell store. Row 0 is the column header row and
// column 0 the narrow leading column; body cells start at (1, 1). Each cell has a style (control id,
// value, choice list, read-only, bold, colours, user attributes) and may cover its neighbours. The
// current cell's control edits it; leaving an edited cell asks OnValidateCell first, and a refusal
// keeps the cell current with the typed text.
#pragma once

#include "platform/ui/CellStyle.h"

#include <QTableView>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace platform::ui {

class CellControl;

enum class Direction { Up, Down, Left, Right };

class Grid : public QTableView {
public:
    explicit Grid(QWidget* parent = nullptr);
    ~Grid() override;

    // ---- Size: rows 1..RowCount and columns 1..ColCount, plus row 0 and column 0.
    void SetRowCount(int rows);
    int RowCount() const { return m_rows; }
    void SetColCount(int cols);
    int ColCount() const { return m_cols; }
    // Cells made later in the column start with this style.
    void SetColumnDefault(int col, const CellStyle& style);

    // ---- Cell styles. Out-of-range cells are ignored (getters answer an empty style).
    const CellStyle& Style(int row, int col) const;
    void SetStyle(int row, int col, const CellStyle& style);
    void SetControl(int row, int col, int controlId);
    int GetControl(int row, int col) const;
    void SetValue(int row, int col, const std::string& value);
    const std::string& Value(int row, int col) const { return Style(row, col).value; }
    void SetChoiceList(int row, int col, const std::string& choices);
    void SetReadOnly(int row, int col, bool readOnly);
    bool IsReadOnly(int row, int col) const { return Style(row, col).readOnly; }
    void SetBold(int row, int col, bool bold);
    void SetWordWrap(int row, int col, bool wrap);
    void SetAlignment(int row, int col, CellAlign align);
    void SetTextColour(int row, int col, Colour colour);
    void SetInterior(int row, int col, Colour colour);
    void SetUserAttribute(int row, int col, int id, const std::string& value);
    const std::string& UserAttribute(int row, int col, int id) const { return Style(row, col).Attribute(id); }
    // Cells (row, col) to (toRow, toCol) show as one; the same cell twice uncovers.
    void SetCovered(int row, int col, int toRow, int toCol);
    // The covered range a cell belongs to (the cell itself when it is not covered).
    void CoveredRange(int row, int col, int& top, int& left, int& bottom, int& right) const;

    // ---- Heights and widths. A row of height 0 (or column of width 0) is hidden.
    void SetDefaultRowHeight(int height);
    int DefaultRowHeight() const { return m_defaultHeight; }
    void SetRowHeight(int row, int height);
    int RowHeight(int row) const;
    void FitRowHeight(int row);
    void SetColWidth(int col, int width);
    int ColWidth(int col) const;
    void FitColWidth(int col);

    // ---- The current cell and its control.
    // Moves the current cell as the user would: an edited cell is validated and stored first.
    // Answers false when the old cell refuses to be left (or the cell does not exist).
    bool SetCurrentCell(int row, int col);
    bool GetCurrentCell(int& row, int& col) const;
    bool IsCurrentCell(int row, int col) const { return m_curRow == row && m_curCol == col && row > 0; }
    // The next cell that can become current one step from (row, col); covered cells count as the
    // cell that covers them, hidden rows and columns are skipped.
    bool FindNextCell(Direction direction, int& row, int& col) const;
    bool MoveCurrentCell(Direction direction);
    // Starts editing the current cell; false for cells that cannot be edited.
    bool ActivateCurrentCell();
    bool IsActive() const { return m_active; }
    bool IsModified() const { return m_active && m_modified; }
    // The current control's value as the cell would store it (the cell's value when not editing),
    // and the text it shows.
    std::string ControlValue() const;
    std::string ControlText() const;
    // Puts a value into the active control (nothing when not editing).
    void SetControlValue(const std::string& value);
    // Ends the edit of the current cell: validates, stores, deactivates and notifies. Answers false
    // when OnValidateCell refused; the cell then stays current and active.
    bool EndEditing();
    // Stores the control's value and deactivates, without validation or notification.
    void TransferCurrentCell();
    // Deactivates, discarding what was typed.
    void CancelEditing();
    QWidget* ActiveEditor() const;

    // ---- Rows 'from'..'to' move so that the block starts at row 'dest' (StoreMoveRows).
    bool MoveRows(int from, int to, int dest);

    // ---- Geometry in viewport coordinates.
    QRect CellRect(int row, int col) const; // empty for row 0 and hidden cells
    QRect DrawingArea() const;
    bool HitTest(const QPoint& pos, int& row, int& col) const;
    QRect CellButtonRect(int row, int col, int button) const;
    void RedrawCell(int row, int col);

    // ---- Controls. A grid makes the control of an id once, on first use: registered here, else
    // from the installed factory, else the standard set, else an edit.
    void RegisterControl(int id, std::unique_ptr<CellControl> control);
    CellControl* Control(int id);

protected:
    // ---- Notifications, for derived grids.
    // The edited cell is about to be left; false keeps it current.
    virtual bool OnValidateCell(int row, int col);
    // An edited cell was stored and deactivated.
    virtual bool OnEndEditing(int row, int col);
    // The user changed the current cell's control (every keystroke, pick or tick).
    virtual void OnModifyCell(int row, int col);
    // A click in a cell (row 0: a header cell); true when handled, which keeps the cell from
    // starting an edit.
    virtual bool OnLButtonClickedRowCol(int row, int col, Qt::KeyboardModifiers modifiers, const QPoint& pos);
    // A cell button or push button was clicked.
    virtual void OnClickedButtonRowCol(int row, int col);
    // Every key press, from the grid or from the active control (sender). The base moves between
    // cells (arrows, Tab, Enter), starts (F2, typing), drops down (F4, Alt+Down) and cancels
    // (Escape) edits; false leaves the key to the control.
    virtual bool ProcessKeys(QWidget* sender, QKeyEvent& event);
    // The base moves the cells; derived grids move their row objects after it.
    virtual bool StoreMoveRows(int from, int to, int dest);

    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Cell {
        CellStyle style;
        int coverRows = 1;
        int coverCols = 1;
    };
    class Model;
    class Delegate;
    friend class CellControl;

    Cell* At(int row, int col);
    const Cell* At(int row, int col) const;
    void StyleChanged(int row, int col, bool valueOnly);
    void Restructure(int rows, int cols, const std::vector<int>* rowOrder);
    void ApplyLayout();
    void ApplyRowHeight(int row);
    void ApplyColWidth(int col);
    bool Enterable(int row, int col, int& outRow, int& outCol) const;
    bool CommitEdit();
    void StoreControl();
    void Deactivate();
    bool Activate(const QString& typed);
    void PlaceEditor();
    void ControlModified();
    void NotifyButtonClicked(int row, int col);
    bool DispatchKey(QWidget* sender, QKeyEvent& event);
    bool BelongsToEditor(const QObject* object) const;
    void PrepareEditor(QWidget* editor);
    void PaintCell(QPainter* painter, const QRect& rect, int row, int col);
    QFont CellFont(const CellStyle& style) const;
    int SpanWidth(int col, int cols) const;

    Model* m_model;
    Delegate* m_delegate;
    int m_rows = 0;
    int m_cols = 0;
    std::vector<Cell> m_cells;  // (m_rows + 1) x (m_cols + 1)
    std::vector<int> m_heights; // per row, -1 for the default
    std::vector<int> m_widths;  // per column, -1 for the default
    std::map<int, CellStyle> m_columnDefaults;
    int m_defaultHeight = 20;
    int m_defaultWidth = 64;

    int m_curRow = 0;
    int m_curCol = 0;
    bool m_active = false;
    bool m_modified = false;
    CellControl* m_activeControl = nullptr;

    int m_pressRow = -1;
    int m_pressCol = -1;
    int m_pressButton = -1;
    bool m_pressInside = false;
    bool m_pressActed = false;
    bool m_applying = false;
    int m_maxCoverRows = 1;

    std::map<int, std::unique_ptr<CellControl>> m_controls;
};

} // namespace platform::ui
