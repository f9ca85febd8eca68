#include "kitbase/ui/ZRPropsView.h"

#include "kitbase/ui/ZRPropertiesGrid.h"
#include "platform/ui/ChildFrame.h"
#include "platform/ui/Text.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QResizeEvent>

#include <algorithm>

ZRPropsView::ZRPropsView(QWidget* parent) : QWidget(parent), m_pGrid(new ZRPropertiesGrid(this)) {}

ZRPropsView::~ZRPropsView() = default;

QWidget* ZRPropsView::FindFocusControl(QWidget* view) {
    QWidget* focus = QApplication::focusWidget();
    if (!focus || !view->isAncestorOf(focus))
        return nullptr;
    for (QWidget* w = focus; w && w != view; w = w->parentWidget())
        if (dynamic_cast<platform::ui::Grid*>(w))
            return w;
    return focus;
}

int ZRPropsView::SaveFocusControl() {
    QWidget* control = FindFocusControl(this);
    if (!control)
        return 0;
    m_pFocus = control;
    return 1;
}

void ZRPropsView::OnInitialUpdate() {
    m_pGrid->OnInitialUpdate();
}

void ZRPropsView::OnActivateView(bool activate, platform::ui::View*, platform::ui::View*) {
    m_pGrid->SetViewInactive(!activate);
    if (SaveFocusControl())
        return;
    // The form's own handling: an activated form gives the focus back to the window it remembers.
    if (activate && m_pFocus)
        m_pFocus->setFocus(Qt::OtherFocusReason);
}

void ZRPropsView::OnActivateFrame(bool active, platform::ui::ChildFrame*) {
    if (!active)
        SaveFocusControl();
}

void ZRPropsView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QSize size = event->size();
    if (platform::ui::ChildFrame* frame = platform::ui::ChildFrame::FrameOf(this);
        frame && frame->isMinimized())
        return;
    m_pGrid->setGeometry(0, 0, std::max(size.width(), 0), std::max(size.height(), 0));
    const bool collapsed = size.width() <= 0 || size.height() <= 0;
    m_pGrid->SetPaneCollapsed(collapsed);
    if (m_pShowButton)
        m_pShowButton->setChecked(!collapsed);
}

// ---- commands

bool ZRPropsView::IsClipboardCommand(unsigned id) {
    return id == kCopyCommand || id == kCutCommand || id == kPasteCommand;
}

bool ZRPropsView::ClipboardState(platform::ui::Grid& grid, unsigned id, platform::ui::CommandState& state) {
    if (!IsClipboardCommand(id))
        return false;
    int row = 0, col = 0;
    bool current = grid.GetCurrentCell(row, col) && col >= 1;
    if (id == kCopyCommand)
        state.enabled = current;
    else if (id == kCutCommand)
        state.enabled = current && !grid.IsReadOnly(row, col);
    else
        state.enabled = current && !grid.IsReadOnly(row, col) && !QApplication::clipboard()->text().isEmpty();
    return true;
}

bool ZRPropsView::ClipboardCommand(platform::ui::Grid& grid, unsigned id) {
    if (!IsClipboardCommand(id))
        return false;
    platform::ui::CommandState state;
    ClipboardState(grid, id, state);
    if (!state.enabled)
        return true;
    std::string text;
    if (id != kPasteCommand) {
        QApplication::clipboard()->setText(platform::ui::ToQString(grid.ControlValue()));
        if (id == kCopyCommand)
            return true;
    } else {
        text = platform::ui::FromQString(QApplication::clipboard()->text());
    }
    // As if typed into the cell's editor, so the row validates and writes it; a refused text keeps
    // the cell current and active.
    if (!grid.IsActive() && !grid.ActivateCurrentCell())
        return true;
    QWidget* editor = grid.ActiveEditor();
    auto* line = editor ? qobject_cast<QLineEdit*>(editor) : nullptr;
    if (!line && editor)
        line = editor->findChild<QLineEdit*>();
    if (!line) {
        grid.CancelEditing(); // a pick list takes no text
        return true;
    }
    line->selectAll();
    if (text.empty())
        line->del();
    else
        line->insert(platform::ui::ToQString(text));
    grid.EndEditing();
    return true;
}

bool ZRPropsView::OnCommand(unsigned id) {
    if (IsClipboardCommand(id))
        return ClipboardCommand(*m_pGrid, id);
    return m_pGrid->OnCommand(id);
}

bool ZRPropsView::OnUpdateCommand(unsigned id, platform::ui::CommandState& state) {
    if (IsClipboardCommand(id))
        return ClipboardState(*m_pGrid, id, state);
    return m_pGrid->OnUpdateCommand(id, state);
}

bool ZRPropsView::HasCommand(unsigned id) const {
    return IsClipboardCommand(id) || m_pGrid->HasCommand(id);
}
