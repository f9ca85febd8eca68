#include "kitbase/ui/ZRPropertiesGrid.h"

#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRIdleController.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/ZRGridRow.h"
#include "kitbase/ui/ZRIdleRefresh.h"
#include "kitbase/ui/ZRValSpinEdit.h"
#include "kitbase/ui/ZRViewControls.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <iterator>

bool ZRPropertiesGrid::s_bWrapped = true;

namespace {

constexpr int kMinValueWidth = 72;

// Makes the window that holds the widget the active one of its frame.
void ActivateFrameOf(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) {
            if (QMdiArea* area = sub->mdiArea())
                area->setActiveSubWindow(sub);
            return;
        }
}

bool HasFocusWithin(QWidget* widget) {
    QWidget* focus = QApplication::focusWidget();
    return focus && (focus == widget || widget->isAncestorOf(focus));
}

} // namespace

ZRPropertiesGrid::ZRPropertiesGrid(QWidget* parent) : platform::ui::Grid(parent) {
    // The focus arrives here from the old window: a grid with nothing to show passes it on.
    m_FocusListener = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        static bool passing = false;
        if (now != this || passing || !(m_bPaneCollapsed || m_Rows.empty()))
            return;
        QWidget* target = m_Panes.PassOn(old);
        if (!target)
            return;
        passing = true;
        FocusPane(target);
        passing = false;
    });
}

ZRPropertiesGrid::~ZRPropertiesGrid() {
    // Widgets losing focus while the base class tears down must not reach this half-destroyed grid.
    disconnect(m_FocusListener);
    if (!m_bDestroyed)
        OnDestroy();
}

void ZRPropertiesGrid::OnDestroy() {
    if (m_bObserving)
        ZRIdleController::Instance()->RemoveObserver(this);
    m_bObserving = false;
    m_Rows.clear();
    m_RefreshPos = m_Rows.end();
    m_bDestroyed = true;
}

// ---- set-up and layout

void ZRPropertiesGrid::OnInitialUpdate() {
    RegisterControl(kSpinEditId, std::make_unique<ZRValSpinEdit>());
    SetRowCount(0);
    SetColCount(3);
    SetDefaultRowHeight(18);
    SetValue(0, 1, m_Title);
    SetValue(0, 2, "Value");
    SetValue(0, 3, "Units");
    for (int col = 0; col <= 3; ++col) {
        SetReadOnly(0, col, true);
        FitColWidth(col);
    }
    if (!m_bOffLine && !m_bObserving) {
        ZRIdleController::Instance()->AddObserver(this);
        m_bObserving = true;
    }
}

void ZRPropertiesGrid::UpdateRows() {
    SetRowCount(0);
    SetRowCount(static_cast<int>(m_Rows.size()));
    // A group's members are not placed until their own turn: a group must not touch a member
    // through the number of the last layout.
    for (const std::unique_ptr<ZRGridRow>& row : m_Rows)
        row->m_Row = 0;
    for (const std::unique_ptr<ZRGridRow>& row : m_Rows)
        if (!row->IsInitialized())
            row->Initialize(this);
    int n = 0;
    for (const std::unique_ptr<ZRGridRow>& row : m_Rows)
        row->SetRow(++n);
    m_RefreshPos = m_Rows.begin();
    if (m_Rows.empty())
        return;
    for (int col = 0; col <= 3; ++col)
        FitColWidth(col);
    for (const std::unique_ptr<ZRGridRow>& row : m_Rows)
        row->AdjustRowHeight();
    if (ColWidth(2) < kMinValueWidth)
        SetColWidth(2, kMinValueWidth);
}

void ZRPropertiesGrid::Backup() {
    for (const std::unique_ptr<ZRGridRow>& row : m_Rows)
        row->Backup();
}

void ZRPropertiesGrid::Revert() {
    for (const std::unique_ptr<ZRGridRow>& row : m_Rows)
        row->Revert();
}

void ZRPropertiesGrid::SetFormatBase(int base) {
    m_FormatBase = base;
    for (const std::unique_ptr<ZRGridRow>& row : m_Rows)
        row->Refresh(true);
}

void ZRPropertiesGrid::SetOffLine(bool offLine) {
    m_bOffLine = offLine;
    if (offLine && m_bObserving) {
        ZRIdleController::Instance()->RemoveObserver(this);
        m_bObserving = false;
    }
}

void ZRPropertiesGrid::SetPanes(QWidget* next, QWidget* previous) {
    m_Panes.Set(next, previous);
}

ZRGridRow* ZRPropertiesGrid::RowAt(int row) const {
    if (row < 1 || row > static_cast<int>(m_Rows.size()))
        return nullptr;
    return std::next(m_Rows.begin(), row - 1)->get();
}

// ---- the idle refresh

void ZRPropertiesGrid::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    int reason = ReasonOf(message);
    if (reason == ZRUpdate::IdleTick)
        RefreshTick();
    else if (reason == ZRUpdate::Destroying && m_bObserving && subject == ZRIdleController::m_pInstance)
        m_bObserving = false;
}

void ZRPropertiesGrid::RefreshTick() {
    QRect view = DrawingArea();
    ZRRefreshArea area{view.width(), view.top(), view.top() + view.height()};
    auto edited = m_Rows.end();
    int curRow = 0, curCol = 0;
    if (IsActive() && GetCurrentCell(curRow, curCol) && curRow <= static_cast<int>(m_Rows.size()))
        edited = std::next(m_Rows.begin(), curRow - 1);
    auto spanOf = [this](std::list<std::unique_ptr<ZRGridRow>>::iterator it) {
        int row = (*it)->GetRow();
        if (row < 1)
            return ZRRowSpan{};
        QRect rect = CellRect(row, 1);
        return ZRRowSpan{RowHeight(row), rect.top(), rect.isEmpty() ? rect.top() : rect.bottom() + 1};
    };
    auto chosen = ZRPickRefreshRow(m_Rows.begin(), m_Rows.end(), m_RefreshPos, s_bWrapped, area, spanOf,
                                   edited, m_bAlwaysRefresh);
    if (chosen == m_Rows.end())
        return;
    try {
        (*chosen)->Refresh(false);
    } catch (const ZRError& error) {
        platform::core::MessageBox(platform::core::Format("Refresh Error: %s", error.GetMessage().c_str()));
    }
}

// ---- the edit road

bool ZRPropertiesGrid::IsFrameClosing() const {
    for (const QWidget* w = this; w; w = w->parentWidget())
        if (w->property(kClosingProperty).toBool())
            return true;
    return false;
}

bool ZRPropertiesGrid::OnValidateCell(int row, int col) {
    if (row == 0)
        return true;
    if (IsFrameClosing())
        return true;
    if (m_bValidating)
        return false;
    ZRGridRow* gridRow = RowAt(row);
    if (!gridRow || gridRow->Validate(ControlText()))
        return true;
    (void)col;
    if (!m_bViewInactive) {
        setFocus(Qt::OtherFocusReason);
        if (HasFocusWithin(this))
            ActivateFrameOf(this);
    }
    return false;
}

bool ZRPropertiesGrid::OnEndEditing(int row, int col) {
    if (row >= 1 && IsFrameClosing())
        return true;
    if (ZRGridRow* gridRow = RowAt(row))
        gridRow->OnEndEditing(col);
    return Grid::OnEndEditing(row, col);
}

void ZRPropertiesGrid::OnModifyCell(int row, int col) {
    Grid::OnModifyCell(row, col);
    if (IsFrameClosing())
        return;
    if (ZRGridRow* gridRow = RowAt(row))
        gridRow->OnModifyCell(col);
}

bool ZRPropertiesGrid::OnLButtonClickedRowCol(int row, int col, Qt::KeyboardModifiers modifiers,
                                              const QPoint& pos) {
    ZRGridRow* gridRow = row == 0 ? nullptr : RowAt(row);
    if (!gridRow)
        return false;
    return gridRow->OnLButtonClicked(static_cast<unsigned long>(col), static_cast<unsigned int>(modifiers),
                                     pos) != 0;
}

void ZRPropertiesGrid::OnClickedButtonRowCol(int row, int col) {
    if (ZRGridRow* gridRow = RowAt(row))
        gridRow->OnClickedButton(static_cast<unsigned long>(col));
}

bool ZRPropertiesGrid::ProcessKeys(QWidget* sender, QKeyEvent& event) {
    const int key = event.key();
    int row = 0, col = 0;
    const bool current = GetCurrentCell(row, col);
    if (current &&
        (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        const bool up = key == Qt::Key_Backtab || (event.modifiers() & Qt::ShiftModifier);
        int r = row, c = col;
        if (FindNextCell(up ? platform::ui::Direction::Up : platform::ui::Direction::Down, r, c) &&
            !MoveCurrentCell(up ? platform::ui::Direction::Up : platform::ui::Direction::Down))
            return true; // the old cell refused to be left
        int newRow = 0, newCol = 0;
        GetCurrentCell(newRow, newCol);
        if (newRow != row) {
            if (newCol == 1) {
                int rr = newRow, cc = newCol;
                if (FindNextCell(platform::ui::Direction::Right, rr, cc))
                    SetCurrentCell(rr, cc);
            }
            return true;
        }
        // First or last row: the edit is committed in place. Nothing was typed, nothing to commit.
        if (!IsActive())
            return true;
        if (!IsModified()) {
            TransferCurrentCell();
            return true;
        }
        ZRGridRow* gridRow = RowAt(row);
        if (!gridRow)
            return true;
        std::string text = ControlValue();
        m_bValidating = true;
        bool valid = false;
        try {
            valid = gridRow->Validate(text);
        } catch (...) {
            m_bValidating = false;
            throw;
        }
        m_bValidating = false;
        if (valid) {
            TransferCurrentCell();
            gridRow->OnEndEditing(col);
        }
        return true;
    }
    if (key == Qt::Key_Help || key == Qt::Key_F1)
        return Grid::ProcessKeys(sender, event);
    if (current)
        if (ZRGridRow* gridRow = RowAt(row))
            if (gridRow->ProcessKeys(sender, event))
                return true;
    return Grid::ProcessKeys(sender, event);
}

bool ZRPropertiesGrid::StoreMoveRows(int from, int to, int dest) {
    if (!Grid::StoreMoveRows(from, to, dest))
        return false;
    const int count = to - from + 1;
    const int rows = static_cast<int>(m_Rows.size());
    if (from < 1 || to > rows || dest == from)
        return true;
    auto first = std::next(m_Rows.begin(), from - 1);
    auto last = std::next(first, count);
    int before = dest < from ? dest : dest + count;
    auto position = before > rows ? m_Rows.end() : std::next(m_Rows.begin(), before - 1);
    m_Rows.splice(position, m_Rows, first, last);
    UpdateRows();
    return true;
}

// ---- panes and focus

void ZRPropertiesGrid::FocusPane(QWidget* pane) {
    if (!pane)
        return;
    pane->setFocus(Qt::OtherFocusReason);
    if (HasFocusWithin(pane))
        ActivateFrameOf(pane);
}

void ZRPropertiesGrid::OnNextPaneCmd() {
    FocusPane(m_Panes.Next());
}

void ZRPropertiesGrid::OnPrevPaneCmd() {
    FocusPane(m_Panes.Previous());
}

const platform::ui::CommandTable* ZRPropertiesGrid::Commands() const {
    return &ZRViewControls::PaneCommands<ZRPropertiesGrid>();
}
