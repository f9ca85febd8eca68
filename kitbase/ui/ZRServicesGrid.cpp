#include "kitbase/ui/ZRServicesGrid.h"

#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZRGridRow.h"
#include "kitbase/ui/ZRViewControls.h"
#include "platform/ui/ChildFrame.h"
#include "platform/ui/Guard.h"
#include "platform/ui/Text.h"
#include "platform/ui/View.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <iterator>

namespace {

constexpr int kButtonWidth = 130;
constexpr int kRowHeight = 21;
// Room for the push button's frame around its caption.
constexpr int kCaptionMargin = 16;

} // namespace

ZRServicesGrid::ZRServicesGrid(QWidget* parent) : platform::ui::Grid(parent) {
    // The toolkit tells where the focus came from only here.
    m_FocusLink = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (now == this)
            platform::ui::Guard("services focus", [&] { FocusArrived(old); });
    });
}

ZRServicesGrid::~ZRServicesGrid() {
    // Focus moves while the window's children go must not reach a half-destroyed grid.
    disconnect(m_FocusLink);
    if (!m_bDestroyed)
        OnDestroy();
}

void ZRServicesGrid::OnDestroy() {
    m_Rows.clear();
    m_bDestroyed = true;
}

void ZRServicesGrid::OnInitialUpdate() {
    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    SetRowCount(0);
    SetColCount(1);
    SetRowHeight(0, 0); // no column headers
    SetColWidth(0, 0);  // no row headers
    SetColWidth(1, kButtonWidth);
    SetDefaultRowHeight(kRowHeight);
    platform::ui::CellStyle column;
    column.interior = platform::ui::Colour::Rgb(192, 192, 192);
    column.readOnly = true;
    SetColumnDefault(1, column);
    setShowGrid(false);
    ClearPressed();
    setUpdatesEnabled(updates);
}

void ZRServicesGrid::UpdateRows() {
    SetRowCount(static_cast<int>(m_Rows.size()));
    platform::ui::ChildFrame* frame = platform::ui::ChildFrame::FrameOf(this);
    if (frame)
        frame->RoutedCommands().clear();
    // The buttons are at least as wide as the classic layout, and wide enough for their captions in
    // the font this desktop gives them.
    int width = kButtonWidth;
    for (const std::unique_ptr<ZRGridRow>& row : m_Rows) {
        if (!row->IsInitialized())
            row->Initialize(this);
        auto* command = dynamic_cast<ZRCommandRow*>(row.get());
        if (!command)
            continue;
        if (frame)
            frame->RoutedCommands().push_back(command->GetCommand());
        width = std::max(width, fontMetrics().horizontalAdvance(platform::ui::ToQString(command->GetCaption())) +
                                    kCaptionMargin);
    }
    SetColWidth(1, width);
    int n = 1;
    for (const std::unique_ptr<ZRGridRow>& row : m_Rows)
        row->SetRow(n++);
    for (const std::unique_ptr<ZRGridRow>& row : m_Rows)
        row->AdjustRowHeight();
}

void ZRServicesGrid::SetPanes(QWidget* next, QWidget* previous) {
    m_Panes.Set(next, previous);
}

ZRGridRow* ZRServicesGrid::RowAt(int row) const {
    if (row < 1 || row > static_cast<int>(m_Rows.size()))
        return nullptr;
    return std::next(m_Rows.begin(), row - 1)->get();
}

void ZRServicesGrid::ClearPressed() {
    m_bPressed = false;
    m_PressRow = 0;
    m_PressCol = 0;
}

// ---- buttons, mouse and keys

void ZRServicesGrid::OnClickedButtonRowCol(int row, int col) {
    if (ZRGridRow* target = RowAt(row))
        target->OnClickedButton(static_cast<unsigned long>(col));
}

void ZRServicesGrid::mousePressEvent(QMouseEvent* event) {
    platform::ui::Guard("services press", [&] {
        int row = 0, col = 0;
        ZRGridRow* target = nullptr;
        if (event->button() == Qt::LeftButton && HitTest(event->position().toPoint(), row, col))
            target = RowAt(row);
        if (!target) {
            ClearPressed();
            return;
        }
        m_bPressed = true;
        m_PressRow = row;
        m_PressCol = col;
        target->OnLButtonDown(static_cast<unsigned long>(col));
    });
    Grid::mousePressEvent(event);
}

void ZRServicesGrid::mouseReleaseEvent(QMouseEvent* event) {
    platform::ui::Guard("services release", [&] {
        if (!m_bPressed || event->button() != Qt::LeftButton)
            return;
        int row = 0, col = 0;
        ZRGridRow* target = nullptr;
        if (HitTest(event->position().toPoint(), row, col))
            target = RowAt(row);
        ClearPressed();
        if (target)
            target->OnLButtonUp(static_cast<unsigned long>(col));
    });
    Grid::mouseReleaseEvent(event);
}

void ZRServicesGrid::mouseMoveEvent(QMouseEvent* event) {
    platform::ui::Guard("services move", [&] {
        if (!m_bPressed)
            return;
        int row = 0, col = 0;
        bool hit = HitTest(event->position().toPoint(), row, col);
        if (hit && row == m_PressRow && col == m_PressCol)
            return;
        // Sliding off the button releases a command held while it is down.
        ZRGridRow* pressed = RowAt(m_PressRow);
        const int pressCol = m_PressCol;
        ClearPressed();
        if (pressed)
            pressed->OnLButtonUp(static_cast<unsigned long>(pressCol));
    });
    Grid::mouseMoveEvent(event);
}

bool ZRServicesGrid::ProcessKeys(QWidget* sender, QKeyEvent& event) {
    const int key = event.key();
    const bool shift = event.modifiers() & Qt::ShiftModifier;
    int row = 0, col = 0;
    const bool current = GetCurrentCell(row, col);
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (ZRGridRow* target = current ? RowAt(row) : nullptr)
            target->OnClickedButton(static_cast<unsigned long>(col));
    } else if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && current) {
        const platform::ui::Direction direction =
            key == Qt::Key_Backtab || shift ? platform::ui::Direction::Up : platform::ui::Direction::Down;
        int r = row, c = col;
        if (FindNextCell(direction, r, c) && !MoveCurrentCell(direction))
            return true;
    }
    return Grid::ProcessKeys(sender, event);
}

// ---- panes and focus

void ZRServicesGrid::FocusArrived(QWidget* old) {
    if (!m_bCollapsed && !m_Rows.empty())
        return;
    // Nothing to press here: the focus goes on.
    ZRViewControls::FocusPane(m_Panes.PassOn(old));
}

void ZRServicesGrid::OnNextPaneCmd() {
    ZRViewControls::FocusPane(m_Panes.Next());
}

void ZRServicesGrid::OnPrevPaneCmd() {
    ZRViewControls::FocusPane(m_Panes.Previous());
}

const platform::ui::CommandTable* ZRServicesGrid::Commands() const {
    return &ZRViewControls::PaneCommands<ZRServicesGrid>();
}
