#include "platform/ui/Grid.h"

#include "platform/ui/CellControl.h"
#include "platform/ui/Guard.h"
#include "platform/ui/StandardControls.h"
#include "platform/ui/Text.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace platform::ui {

// ---- the view's model: counts and display texts out of the grid's cell store

class Grid::Model : public QAbstractTableModel {
public:
    explicit Model(Grid& grid) : QAbstractTableModel(&grid), m_grid(grid) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : m_grid.m_rows;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : m_grid.m_cols + 1;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        const CellStyle& style = m_grid.Style(index.row() + 1, index.column());
        return ToQString(m_grid.Control(style.control)->DisplayText(style));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return ToQString(m_grid.Value(0, section));
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex&) const override { return Qt::ItemIsEnabled; }

    void BeginReset() { beginResetModel(); }
    void EndReset() { endResetModel(); }
    void CellChanged(int row, int col) {
        if (row == 0) {
            emit headerDataChanged(Qt::Horizontal, col, col);
        } else {
            QModelIndex i = index(row - 1, col);
            emit dataChanged(i, i);
        }
    }

private:
    Grid& m_grid;
};

class Grid::Delegate : public QStyledItemDelegate {
public:
    explicit Delegate(Grid& grid) : QStyledItemDelegate(&grid), m_grid(grid) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        m_grid.PaintCell(painter, option.rect, index.row() + 1, index.column());
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override {
        const CellStyle& style = m_grid.Style(index.row() + 1, index.column());
        return m_grid.Control(style.control)->SizeHint(style, m_grid.CellFont(style), -1);
    }

private:
    Grid& m_grid;
};

// ---- construction

Grid::Grid(QWidget* parent) : QTableView(parent) {
    // The header asks for its texts as soon as the model is set: the store must hold the corner first.
    m_cells.resize(1);
    m_heights.assign(1, -1);
    m_widths.assign(1, -1);
    m_model = new Model(*this);
    m_delegate = new Delegate(*this);
    setModel(m_model);
    setItemDelegate(m_delegate);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(true);
    setFocusPolicy(Qt::StrongFocus);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(m_defaultHeight);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultSectionSize(m_defaultWidth);
    horizontalHeader()->setStretchLastSection(false);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int col, int, int size) {
        // A column the user dragged keeps its new width; the editor follows.
        if (!m_applying && size > 0 && col >= 0 && col <= m_cols)
            m_widths[static_cast<size_t>(col)] = size;
        PlaceEditor();
    });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int col) {
        Guard("grid header",
              [&] { OnLButtonClickedRowCol(0, col, QApplication::keyboardModifiers(), QPoint()); });
    });
}

Grid::~Grid() {
    m_active = false;
    m_activeControl = nullptr;
    // Editors go before their controls: their signal handlers point at them.
    for (auto& entry : m_controls)
        delete entry.second->m_editor.data();
    m_controls.clear();
}

// ---- size and store

Grid::Cell* Grid::At(int row, int col) {
    if (row < 0 || row > m_rows || col < 0 || col > m_cols)
        return nullptr;
    size_t i = static_cast<size_t>(row) * static_cast<size_t>(m_cols + 1) + static_cast<size_t>(col);
    return i < m_cells.size() ? &m_cells[i] : nullptr;
}

const Grid::Cell* Grid::At(int row, int col) const {
    return const_cast<Grid*>(this)->At(row, col);
}

void Grid::SetRowCount(int rows) {
    Restructure(std::max(0, rows), m_cols, nullptr);
}
void Grid::SetColCount(int cols) {
    Restructure(m_rows, std::max(0, cols), nullptr);
}

void Grid::SetColumnDefault(int col, const CellStyle& style) {
    m_columnDefaults[col] = style;
}

void Grid::Restructure(int rows, int cols, const std::vector<int>* rowOrder) {
    int newCurRow = m_curRow, newCurCol = m_curCol;
    if (rowOrder) {
        for (int r = 1; r <= rows; ++r)
            if ((*rowOrder)[static_cast<size_t>(r)] == m_curRow)
                newCurRow = r;
    }
    if (newCurRow > rows || newCurCol > cols) {
        Deactivate();
        newCurRow = newCurCol = 0;
    }

    std::vector<Cell> cells(static_cast<size_t>(rows + 1) * static_cast<size_t>(cols + 1));
    std::vector<int> heights(static_cast<size_t>(rows + 1), -1);
    std::vector<int> widths(static_cast<size_t>(cols + 1), -1);
    for (int c = 0; c <= cols; ++c)
        widths[static_cast<size_t>(c)] = c <= m_cols ? m_widths[static_cast<size_t>(c)] : -1;
    for (int r = 0; r <= rows; ++r) {
        int from = rowOrder ? (*rowOrder)[static_cast<size_t>(r)] : r;
        if (from <= m_rows)
            heights[static_cast<size_t>(r)] = m_heights[static_cast<size_t>(from)];
        for (int c = 0; c <= cols; ++c) {
            Cell& cell =
                cells[static_cast<size_t>(r) * static_cast<size_t>(cols + 1) + static_cast<size_t>(c)];
            if (const Cell* old = from <= m_rows ? At(from, c) : nullptr) {
                cell = *old;
            } else if (r > 0) {
                auto it = m_columnDefaults.find(c);
                if (it != m_columnDefaults.end())
                    cell.style = it->second;
            }
            // Covers never reach past the grid.
            cell.coverRows = std::min(cell.coverRows, rows - r + 1);
            cell.coverCols = std::min(cell.coverCols, cols - c + 1);
        }
    }
    m_model->BeginReset();
    m_rows = rows;
    m_cols = cols;
    m_cells = std::move(cells);
    m_heights = std::move(heights);
    m_widths = std::move(widths);
    m_curRow = newCurRow;
    m_curCol = newCurCol;
    m_model->EndReset();
    ApplyLayout();
    PlaceEditor();
}

void Grid::ApplyLayout() {
    m_applying = true;
    clearSpans();
    for (int r = 0; r <= m_rows; ++r)
        ApplyRowHeight(r);
    for (int c = 0; c <= m_cols; ++c)
        ApplyColWidth(c);
    for (int r = 1; r <= m_rows; ++r)
        for (int c = 0; c <= m_cols; ++c) {
            const Cell* cell = At(r, c);
            if (cell->coverRows > 1 || cell->coverCols > 1)
                setSpan(r - 1, c, cell->coverRows, cell->coverCols);
        }
    m_applying = false;
}

const CellStyle& Grid::Style(int row, int col) const {
    static const CellStyle none;
    const Cell* cell = At(row, col);
    return cell ? cell->style : none;
}

void Grid::StyleChanged(int row, int col, bool valueOnly) {
    m_model->CellChanged(row, col);
    if (!valueOnly && m_active && IsCurrentCell(row, col))
        m_activeControl->Restyle(Style(row, col));
}

void Grid::SetStyle(int row, int col, const CellStyle& style) {
    Cell* cell = At(row, col);
    if (!cell)
        return;
    if (m_active && IsCurrentCell(row, col) && style.control != cell->style.control)
        Deactivate();
    cell->style = style;
    StyleChanged(row, col, false);
}

void Grid::SetControl(int row, int col, int controlId) {
    Cell* cell = At(row, col);
    if (!cell || cell->style.control == controlId)
        return;
    if (m_active && IsCurrentCell(row, col))
        Deactivate();
    cell->style.control = controlId;
    StyleChanged(row, col, false);
}

int Grid::GetControl(int row, int col) const {
    int id = Style(row, col).control;
    return id == 0 ? CellControlId::Edit : id;
}

void Grid::SetValue(int row, int col, const std::string& value) {
    Cell* cell = At(row, col);
    if (!cell || cell->style.value == value)
        return;
    cell->style.value = value;
    StyleChanged(row, col, true);
}

void Grid::SetChoiceList(int row, int col, const std::string& choices) {
    Cell* cell = At(row, col);
    if (!cell)
        return;
    cell->style.choices = choices;
    StyleChanged(row, col, false);
}

void Grid::SetReadOnly(int row, int col, bool readOnly) {
    if (Cell* cell = At(row, col)) {
        cell->style.readOnly = readOnly;
        StyleChanged(row, col, false);
    }
}

void Grid::SetBold(int row, int col, bool bold) {
    if (Cell* cell = At(row, col)) {
        cell->style.bold = bold;
        StyleChanged(row, col, false);
    }
}

void Grid::SetWordWrap(int row, int col, bool wrap) {
    if (Cell* cell = At(row, col)) {
        cell->style.wordWrap = wrap;
        StyleChanged(row, col, false);
    }
}

void Grid::SetAlignment(int row, int col, CellAlign align) {
    if (Cell* cell = At(row, col)) {
        cell->style.align = align;
        StyleChanged(row, col, false);
    }
}

void Grid::SetTextColour(int row, int col, Colour colour) {
    if (Cell* cell = At(row, col)) {
        cell->style.textColour = colour;
        StyleChanged(row, col, false);
    }
}

void Grid::SetInterior(int row, int col, Colour colour) {
    if (Cell* cell = At(row, col)) {
        cell->style.interior = colour;
        StyleChanged(row, col, false);
    }
}

void Grid::SetUserAttribute(int row, int col, int id, const std::string& value) {
    if (Cell* cell = At(row, col)) {
        cell->style.attributes[id] = value;
        StyleChanged(row, col, false);
    }
}

void Grid::SetCovered(int row, int col, int toRow, int toCol) {
    if (row < 1 || col < 0 || !At(row, col))
        return;
    toRow = std::clamp(toRow, row, m_rows);
    toCol = std::clamp(toCol, col, m_cols);
    // Cells the new range touches lose their own covers.
    for (int r = 1; r <= m_rows; ++r)
        for (int c = 0; c <= m_cols; ++c) {
            Cell* cell = At(r, c);
            bool overlaps =
                r <= toRow && r + cell->coverRows - 1 >= row && c <= toCol && c + cell->coverCols - 1 >= col;
            if (overlaps && (cell->coverRows > 1 || cell->coverCols > 1))
                cell->coverRows = cell->coverCols = 1;
        }
    Cell* top = At(row, col);
    top->coverRows = toRow - row + 1;
    top->coverCols = toCol - col + 1;
    m_maxCoverRows = std::max(m_maxCoverRows, top->coverRows);
    ApplyLayout();
    PlaceEditor();
}

void Grid::CoveredRange(int row, int col, int& top, int& left, int& bottom, int& right) const {
    top = bottom = row;
    left = right = col;
    if (row < 1 || !At(row, col))
        return;
    for (int r = row; r >= std::max(1, row - m_maxCoverRows + 1); --r)
        for (int c = col; c >= 0; --c) {
            const Cell* cell = At(r, c);
            if ((cell->coverRows > 1 || cell->coverCols > 1) && r + cell->coverRows - 1 >= row &&
                c + cell->coverCols - 1 >= col) {
                top = r;
                left = c;
                bottom = r + cell->coverRows - 1;
                right = c + cell->coverCols - 1;
                return;
            }
        }
}

// ---- heights and widths

void Grid::ApplyRowHeight(int row) {
    bool applying = m_applying;
    m_applying = true;
    int height = RowHeight(row);
    if (row == 0) {
        horizontalHeader()->setVisible(height > 0);
        if (m_heights[0] > 0) {
            horizontalHeader()->setFixedHeight(height);
        } else {
            horizontalHeader()->setMinimumHeight(0);
            horizontalHeader()->setMaximumHeight(QWIDGETSIZE_MAX);
        }
    } else {
        setRowHidden(row - 1, height == 0);
        if (height > 0)
            setRowHeight(row - 1, height);
    }
    m_applying = applying;
}

void Grid::ApplyColWidth(int col) {
    bool applying = m_applying;
    m_applying = true;
    int width = ColWidth(col);
    setColumnHidden(col, width == 0);
    if (width > 0)
        setColumnWidth(col, width);
    m_applying = applying;
}

void Grid::SetDefaultRowHeight(int height) {
    m_defaultHeight = std::max(1, height);
    verticalHeader()->setDefaultSectionSize(m_defaultHeight);
    for (int r = 1; r <= m_rows; ++r)
        if (m_heights[static_cast<size_t>(r)] < 0)
            ApplyRowHeight(r);
    PlaceEditor();
}

void Grid::SetRowHeight(int row, int height) {
    if (row < 0 || row > m_rows)
        return;
    m_heights[static_cast<size_t>(row)] = std::max(0, height);
    ApplyRowHeight(row);
    PlaceEditor();
}

int Grid::RowHeight(int row) const {
    if (row < 0 || row > m_rows)
        return 0;
    int h = m_heights[static_cast<size_t>(row)];
    if (h >= 0)
        return h;
    return row == 0 ? horizontalHeader()->sizeHint().height() : m_defaultHeight;
}

int Grid::SpanWidth(int col, int cols) const {
    int width = 0;
    for (int c = col; c < col + cols && c <= m_cols; ++c)
        width += ColWidth(c);
    return width;
}

QFont Grid::CellFont(const CellStyle& style) const {
    QFont f = font();
    if (style.bold)
        f.setWeight(QFont::Bold);
    return f;
}

void Grid::FitRowHeight(int row) {
    if (row == 0) {
        m_heights[0] = -1;
        ApplyRowHeight(0);
        return;
    }
    if (row < 1 || row > m_rows)
        return;
    int height = fontMetrics().height() + 4;
    for (int c = 0; c <= m_cols; ++c) {
        int top, left, bottom, right;
        CoveredRange(row, c, top, left, bottom, right);
        if (top != row || left != c || bottom != top || ColWidth(c) == 0)
            continue;
        const CellStyle& style = Style(row, c);
        int width = SpanWidth(c, right - left + 1);
        height = std::max(height, Control(style.control)->SizeHint(style, CellFont(style), width).height());
    }
    SetRowHeight(row, height);
}

void Grid::SetColWidth(int col, int width) {
    if (col < 0 || col > m_cols)
        return;
    m_widths[static_cast<size_t>(col)] = std::max(0, width);
    ApplyColWidth(col);
    PlaceEditor();
}

int Grid::ColWidth(int col) const {
    if (col < 0 || col > m_cols)
        return 0;
    int w = m_widths[static_cast<size_t>(col)];
    return w >= 0 ? w : m_defaultWidth;
}

void Grid::FitColWidth(int col) {
    if (col < 0 || col > m_cols)
        return;
    int width = QFontMetrics(horizontalHeader()->font()).horizontalAdvance(ToQString(Value(0, col))) + 12;
    for (int r = 1; r <= m_rows; ++r) {
        int top, left, bottom, right;
        CoveredRange(r, col, top, left, bottom, right);
        if (left != right || top != r)
            continue;
        const CellStyle& style = Style(r, col);
        width = std::max(width, Control(style.control)->SizeHint(style, CellFont(style), -1).width());
    }
    SetColWidth(col, std::max(width, 8));
}

// ---- current cell

bool Grid::GetCurrentCell(int& row, int& col) const {
    if (m_curRow < 1 || m_curCol < 1)
        return false;
    row = m_curRow;
    col = m_curCol;
    return true;
}

bool Grid::Enterable(int row, int col, int& outRow, int& outCol) const {
    if (row < 1 || row > m_rows || col < 1 || col > m_cols || RowHeight(row) == 0 || ColWidth(col) == 0)
        return false;
    int top, left, bottom, right;
    CoveredRange(row, col, top, left, bottom, right);
    if (left < 1 || RowHeight(top) == 0 || ColWidth(left) == 0)
        return false;
    outRow = top;
    outCol = left;
    return true;
}

bool Grid::FindNextCell(Direction direction, int& row, int& col) const {
    int top = row, left = col, bottom = row, right = col;
    if (row >= 1)
        CoveredRange(row, col, top, left, bottom, right);
    int r = 0, c = 0;
    switch (direction) {
    case Direction::Down:
        for (int rr = bottom + 1; rr <= m_rows; ++rr)
            if (Enterable(rr, col, r, c))
                return row = r, col = c, true;
        return false;
    case Direction::Up:
        for (int rr = top - 1; rr >= 1; --rr)
            if (Enterable(rr, col, r, c))
                return row = r, col = c, true;
        return false;
    case Direction::Right:
        for (int cc = right + 1; cc <= m_cols; ++cc)
            if (Enterable(row, cc, r, c) && (r != top || c != left))
                return row = r, col = c, true;
        return false;
    case Direction::Left:
        for (int cc = left - 1; cc >= 1; --cc)
            if (Enterable(row, cc, r, c) && (r != top || c != left))
                return row = r, col = c, true;
        return false;
    }
    return false;
}

bool Grid::MoveCurrentCell(Direction direction) {
    int row = m_curRow, col = m_curCol;
    return row >= 1 && FindNextCell(direction, row, col) && SetCurrentCell(row, col);
}

bool Grid::SetCurrentCell(int row, int col) {
    if (row < 1 || row > m_rows || col < 1 || col > m_cols)
        return false;
    int top, left, bottom, right;
    CoveredRange(row, col, top, left, bottom, right);
    if (IsCurrentCell(top, left))
        return true;
    if (!CommitEdit())
        return false;
    // The notifications of the old cell may have changed the grid.
    if (top > m_rows || left > m_cols)
        return false;
    int oldRow = m_curRow, oldCol = m_curCol;
    m_curRow = top;
    m_curCol = left;
    RedrawCell(oldRow, oldCol);
    RedrawCell(top, left);
    if (RowHeight(top) > 0 && ColWidth(left) > 0)
        scrollTo(m_model->index(top - 1, left));
    return true;
}

bool Grid::ActivateCurrentCell() {
    return Activate(QString());
}

bool Grid::Activate(const QString& typed) {
    if (m_curRow < 1)
        return false;
    if (m_active)
        return true;
    const CellStyle& style = Style(m_curRow, m_curCol);
    CellControl* control = Control(style.control);
    if (!control->CanActivate(style) || RowHeight(m_curRow) == 0)
        return false;
    QWidget* editor = control->Editor();
    if (!editor)
        return false;
    control->Load(style);
    m_active = true;
    m_modified = false;
    m_activeControl = control;
    PlaceEditor();
    editor->show();
    editor->setFocus(Qt::OtherFocusReason);
    RedrawCell(m_curRow, m_curCol);
    control->Begin(typed);
    return true;
}

void Grid::PlaceEditor() {
    if (!m_active || !m_activeControl || !m_activeControl->m_editor)
        return;
    QWidget* editor = m_activeControl->m_editor;
    QRect rect = CellRect(m_curRow, m_curCol);
    editor->setGeometry(rect);
    if (rect.isEmpty()) {
        QWidget* focus = QApplication::focusWidget();
        if (focus && (focus == editor || editor->isAncestorOf(focus)))
            setFocus(Qt::OtherFocusReason);
        editor->hide();
    } else if (editor->isHidden())
        editor->show();
}

std::string Grid::ControlValue() const {
    if (m_active)
        return m_activeControl->Value(Style(m_curRow, m_curCol));
    return m_curRow >= 1 ? Style(m_curRow, m_curCol).value : std::string();
}

std::string Grid::ControlText() const {
    if (m_active)
        return m_activeControl->Text();
    if (m_curRow < 1)
        return {};
    const CellStyle& style = Style(m_curRow, m_curCol);
    return const_cast<Grid*>(this)->Control(style.control)->DisplayText(style);
}

void Grid::SetControlValue(const std::string& value) {
    if (m_active)
        m_activeControl->SetValue(value, Style(m_curRow, m_curCol));
}

QWidget* Grid::ActiveEditor() const {
    return m_active ? m_activeControl->m_editor.data() : nullptr;
}

void Grid::StoreControl() {
    if (!m_active || !m_modified || !m_activeControl->StoresOnCommit())
        return;
    std::string value = m_activeControl->Value(Style(m_curRow, m_curCol));
    SetValue(m_curRow, m_curCol, value);
}

void Grid::Deactivate() {
    if (!m_active)
        return;
    CellControl* control = m_activeControl;
    m_active = false;
    m_modified = false;
    m_activeControl = nullptr;
    control->End();
    if (QWidget* editor = control->m_editor) {
        QWidget* focus = QApplication::focusWidget();
        if (focus && (focus == editor || editor->isAncestorOf(focus)))
            setFocus(Qt::OtherFocusReason); // before hiding, which would pass the focus on
        editor->hide();
    }
    RedrawCell(m_curRow, m_curCol);
}

// The edit road: a modified cell is validated; a refusal keeps it current and active with what was
// typed. An accepted value is stored, the control deactivated, and OnEndEditing told.
bool Grid::CommitEdit() {
    if (!m_active)
        return true;
    const int row = m_curRow, col = m_curCol;
    if (!m_modified) {
        Deactivate();
        return true;
    }
    bool valid = GuardResult("validate cell", false, [&] { return OnValidateCell(row, col); });
    if (!m_active || !IsCurrentCell(row, col))
        return valid; // the notification ended the edit itself
    if (!valid) {
        if (QWidget* editor = m_activeControl->m_editor)
            editor->setFocus(Qt::OtherFocusReason);
        return false;
    }
    StoreControl();
    Deactivate();
    GuardResult("end editing", true, [&] { return OnEndEditing(row, col); });
    return true;
}

bool Grid::EndEditing() {
    return CommitEdit();
}

void Grid::TransferCurrentCell() {
    StoreControl();
    Deactivate();
}

void Grid::CancelEditing() {
    Deactivate();
}

void Grid::ControlModified() {
    if (!m_active)
        return;
    m_modified = true;
    const int row = m_curRow, col = m_curCol;
    Guard("modify cell", [&] { OnModifyCell(row, col); });
}

void Grid::NotifyButtonClicked(int row, int col) {
    Guard("cell button", [&] { OnClickedButtonRowCol(row, col); });
}

// ---- row moves

bool Grid::MoveRows(int from, int to, int dest) {
    return GuardResult("move rows", false, [&] { return StoreMoveRows(from, to, dest); });
}

bool Grid::StoreMoveRows(int from, int to, int dest) {
    if (from < 1 || to < from || to > m_rows)
        return false;
    int count = to - from + 1;
    if (dest < 1 || dest + count - 1 > m_rows)
        return false;
    if (dest == from)
        return true;
    std::vector<int> rest;
    for (int r = 1; r <= m_rows; ++r)
        if (r < from || r > to)
            rest.push_back(r);
    std::vector<int> order{0};
    order.insert(order.end(), rest.begin(), rest.begin() + (dest - 1));
    for (int r = from; r <= to; ++r)
        order.push_back(r);
    order.insert(order.end(), rest.begin() + (dest - 1), rest.end());
    Restructure(m_rows, m_cols, &order);
    return true;
}

// ---- geometry

QRect Grid::CellRect(int row, int col) const {
    if (row < 1 || row > m_rows || col < 0 || col > m_cols)
        return {};
    return visualRect(m_model->index(row - 1, col));
}

QRect Grid::DrawingArea() const {
    return viewport()->rect();
}

bool Grid::HitTest(const QPoint& pos, int& row, int& col) const {
    QModelIndex index = indexAt(pos);
    if (!index.isValid())
        return false;
    row = index.row() + 1;
    col = index.column();
    return true;
}

QRect Grid::CellButtonRect(int row, int col, int button) const {
    const CellStyle& style = Style(row, col);
    return const_cast<Grid*>(this)->Control(style.control)->ButtonRect(CellRect(row, col), button);
}

void Grid::RedrawCell(int row, int col) {
    if (row == 0)
        horizontalHeader()->viewport()->update();
    else if (row >= 1 && row <= m_rows)
        viewport()->update(CellRect(row, col));
}

// ---- controls

void Grid::RegisterControl(int id, std::unique_ptr<CellControl> control) {
    auto it = m_controls.find(id);
    if (it != m_controls.end()) {
        if (m_activeControl == it->second.get())
            Deactivate();
        delete it->second->m_editor.data();
        m_controls.erase(it);
    }
    if (control) {
        control->m_grid = this;
        m_controls.emplace(id, std::move(control));
    }
    viewport()->update();
}

CellControl* Grid::Control(int id) {
    if (id == 0)
        id = CellControlId::Edit;
    auto it = m_controls.find(id);
    if (it != m_controls.end())
        return it->second.get();
    std::unique_ptr<CellControl> control;
    if (ControlFactory* factory = GetControlFactory())
        control = factory->CreateControl(id);
    if (!control)
        control = MakeStandardControl(id);
    if (!control)
        control = std::make_unique<EditControl>();
    control->m_grid = this;
    return m_controls.emplace(id, std::move(control)).first->second.get();
}

// ---- notifications (the base behaviour)

bool Grid::OnValidateCell(int, int) {
    return true;
}
bool Grid::OnEndEditing(int, int) {
    return true;
}
void Grid::OnModifyCell(int, int) {}
bool Grid::OnLButtonClickedRowCol(int, int, Qt::KeyboardModifiers, const QPoint&) {
    return false;
}
void Grid::OnClickedButtonRowCol(int, int) {}

bool Grid::ProcessKeys(QWidget*, QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers mods = event.modifiers();
    const bool shift = mods & Qt::ShiftModifier;
    int row = 0, col = 0;
    if (!GetCurrentCell(row, col)) {
        switch (key) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
            for (int r = 1; r <= m_rows; ++r)
                for (int c = 1; c <= m_cols; ++c)
                    if (Enterable(r, c, row, col))
                        return SetCurrentCell(row, col), true;
            return false;
        default:
            return false;
        }
    }
    auto step = [&](Direction direction) {
        int r = row, c = col;
        if (FindNextCell(direction, r, c))
            SetCurrentCell(r, c);
        else
            EndEditing(); // at the edge the edit is committed in place
        return true;
    };
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return step(key == Qt::Key_Backtab || shift ? Direction::Left : Direction::Right);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return step(shift ? Direction::Up : Direction::Down);
    case Qt::Key_Down:
        if (mods & Qt::AltModifier) {
            if (ActivateCurrentCell())
                m_activeControl->DropDown();
            return true;
        }
        MoveCurrentCell(Direction::Down);
        return true;
    case Qt::Key_Up:
        MoveCurrentCell(Direction::Up);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (m_active)
            return false;
        MoveCurrentCell(key == Qt::Key_Left ? Direction::Left : Direction::Right);
        return true;
    case Qt::Key_Escape:
        if (!m_active)
            return false;
        CancelEditing();
        return true;
    case Qt::Key_F2:
        ActivateCurrentCell();
        return true;
    case Qt::Key_F4:
        if (ActivateCurrentCell())
            m_activeControl->DropDown();
        return true;
    case Qt::Key_Space:
        if (!m_active && Control(Style(row, col).control)->OnSpace())
            return true;
        break;
    default:
        break;
    }
    if (!m_active && !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        QString text = event.text();
        if (!text.isEmpty() && text.at(0).isPrint())
            return Activate(text) || true;
    }
    return false;
}

bool Grid::DispatchKey(QWidget* sender, QKeyEvent& event) {
    return GuardResult("grid keys", true, [&] { return ProcessKeys(sender, event); });
}

// ---- toolkit events

bool Grid::event(QEvent* event) {
    // Tab and Shift+Tab are the grid's own keys, not focus moves.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(key);
            if (key->isAccepted())
                return true;
        }
    }
    return QTableView::event(event);
}

bool Grid::focusNextPrevChild(bool next) {
    // Not the item view's: it turns a focus move into a Tab key of its own.
    return QAbstractScrollArea::focusNextPrevChild(next);
}

void Grid::keyPressEvent(QKeyEvent* event) {
    if (DispatchKey(this, *event))
        event->accept();
    else
        event->ignore();
}

bool Grid::BelongsToEditor(const QObject* object) const {
    if (!m_active || !m_activeControl || !m_activeControl->m_editor)
        return false;
    for (const QObject* o = object; o; o = o->parent())
        if (o == m_activeControl->m_editor)
            return true;
    return false;
}

void Grid::PrepareEditor(QWidget* editor) {
    editor->hide();
    editor->installEventFilter(this);
    for (QWidget* child : editor->findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool Grid::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && BelongsToEditor(watched)) {
        auto* widget = qobject_cast<QWidget*>(watched);
        auto& key = static_cast<QKeyEvent&>(*event);
        if (widget && widget->window() != window())
            return GuardResult("drop-down keys", true, [&] { return m_activeControl->PopupKey(key); });
        return DispatchKey(widget ? widget : this, key);
    }
    return QTableView::eventFilter(watched, event);
}

void Grid::mousePressEvent(QMouseEvent* event) {
    Guard("grid mouse", [&] {
        m_pressRow = -1;
        m_pressButton = -1;
        if (event->button() != Qt::LeftButton)
            return;
        QPoint pos = event->position().toPoint();
        int row = 0, col = 0;
        if (!HitTest(pos, row, col))
            return;
        if (!hasFocus() && !m_active)
            setFocus(Qt::MouseFocusReason);
        if (col >= 1 && !SetCurrentCell(row, col))
            return; // the edited cell refused to be left
        m_pressRow = row;
        m_pressCol = col;
        m_pressActed = false;
        m_pressInside = true;
        const CellStyle& style = Style(row, col);
        CellControl* control = Control(style.control);
        QRect cell = CellRect(row, col);
        for (int b = 0; b < control->ButtonCount(style); ++b)
            if (control->ButtonRect(cell, b).contains(pos))
                m_pressButton = b;
        if (m_pressButton >= 0 && IsCurrentCell(row, col) && control->ButtonActsOnPress(m_pressButton)) {
            m_pressActed = true;
            control->OnButton(m_pressButton);
        }
        RedrawCell(row, col);
    });
}

void Grid::mouseReleaseEvent(QMouseEvent* event) {
    Guard("grid mouse", [&] {
        if (m_pressRow < 0 || event->button() != Qt::LeftButton)
            return;
        const int pressRow = m_pressRow, pressCol = m_pressCol, button = m_pressButton;
        const bool acted = m_pressActed;
        m_pressRow = -1;
        m_pressButton = -1;
        RedrawCell(pressRow, pressCol);
        QPoint pos = event->position().toPoint();
        int row = 0, col = 0;
        if (!HitTest(pos, row, col) || row != pressRow || col != pressCol)
            return;
        if (OnLButtonClickedRowCol(row, col, event->modifiers(), pos) || col < 1 || !IsCurrentCell(row, col))
            return;
        const CellStyle& style = Style(row, col);
        CellControl* control = Control(style.control);
        if (button >= 0) {
            if (!acted && control->ButtonRect(CellRect(row, col), button).contains(pos))
                control->OnButton(button);
            return;
        }
        if (!m_active)
            ActivateCurrentCell();
    });
}

void Grid::mouseDoubleClickEvent(QMouseEvent* event) {
    // The first click of the pair has done its work; the second only places the cell.
    mousePressEvent(event);
    m_pressRow = -1;
}

void Grid::mouseMoveEvent(QMouseEvent* event) {
    if (m_pressRow < 0 || m_pressButton < 0)
        return;
    bool inside = CellButtonRect(m_pressRow, m_pressCol, m_pressButton).contains(event->position().toPoint());
    if (inside != m_pressInside) {
        m_pressInside = inside;
        RedrawCell(m_pressRow, m_pressCol);
    }
}

void Grid::focusInEvent(QFocusEvent* event) {
    // Not the item view's handling: it would pick a current index of its own.
    QAbstractScrollArea::focusInEvent(event);
    if (m_active && m_activeControl->m_editor && !m_activeControl->m_editor->isHidden())
        m_activeControl->m_editor->setFocus(Qt::OtherFocusReason);
    viewport()->update();
}

void Grid::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    PlaceEditor();
}

void Grid::updateGeometries() {
    QTableView::updateGeometries();
    PlaceEditor();
}

void Grid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    PlaceEditor();
}

// ---- drawing

void Grid::PaintCell(QPainter* painter, const QRect& rect, int row, int col) {
    const CellStyle& style = Style(row, col);
    CellControl* control = Control(style.control);
    CellPaint paint{painter, rect, &style, &palette(), CellFont(style), IsCurrentCell(row, col), -1};
    if (row == m_pressRow && col == m_pressCol && m_pressInside)
        paint.pressedButton = m_pressButton;
    painter->save();
    painter->setClipRect(rect);
    control->Paint(paint);
    painter->restore();
    if (paint.current && !m_active) {
        painter->save();
        painter->setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(rect.adjusted(1, 1, -1, -1));
        painter->restore();
    }
}

} // namespace platform::ui
