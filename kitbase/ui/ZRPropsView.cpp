#include "kitbase/ui/ZRPropsView.h"

#include "kitbase/ui/ZRPropertiesGrid.h"
#include "platform/ui/ChildFrame.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/Text.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QResizeEvent>

#include <algorithm>

using namespace platform::ui::ids;

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

void ZRPropsView::ClipboardState(platform::ui::Grid& grid, unsigned id, platform::ui::CommandState& state) {
    int row = 0, col = 0;
    bool current = grid.GetCurrentCell(row, col) && col >= 1;
    if (id == ID_EDIT_COPY)
        state.enabled = current;
    else if (id == ID_EDIT_CUT)
        state.enabled = current && !grid.IsReadOnly(row, col);
    else
        state.enabled = current && !grid.IsReadOnly(row, col) && !QApplication::clipboard()->text().isEmpty();
}

void ZRPropsView::ClipboardCommand(platform::ui::Grid& grid, unsigned id) {
    platform::ui::CommandState state;
    ClipboardState(grid, id, state);
    if (!state.enabled)
        return;
    std::string text;
    if (id != ID_EDIT_PASTE) {
        QApplication::clipboard()->setText(platform::ui::ToQString(grid.ControlValue()));
        if (id == ID_EDIT_COPY)
            return;
    } else {
        text = platform::ui::FromQString(QApplication::clipboard()->text());
    }
    // As if typed into the cell's editor, so the row validates and writes it; a refused text keeps
    // the cell current and active.
    if (!grid.IsActive() && !grid.ActivateCurrentCell())
        return;
    QWidget* editor = grid.ActiveEditor();
    auto* line = editor ? qobject_cast<QLineEdit*>(editor) : nullptr;
    if (!line && editor)
        line = editor->findChild<QLineEdit*>();
    if (!line) {
        grid.CancelEditing(); // a pick list takes no text
        return;
    }
    line->selectAll();
    if (text.empty())
        line->del();
    else
        line->insert(platform::ui::ToQString(text));
    grid.EndEditing();
}

const platform::ui::CommandTable* ZRPropsView::Commands() const {
    static const platform::ui::CommandTable table{
        ClipboardRow<ZRPropsView, &ZRPropsView::m_pGrid>(ID_EDIT_COPY),
        ClipboardRow<ZRPropsView, &ZRPropsView::m_pGrid>(ID_EDIT_CUT),
        ClipboardRow<ZRPropsView, &ZRPropsView::m_pGrid>(ID_EDIT_PASTE),
    };
    return &table;
}

bool ZRPropsView::OnCommand(unsigned id) {
    return View::OnCommand(id) || m_pGrid->OnCommand(id);
}

bool ZRPropsView::OnUpdateCommand(unsigned id, platform::ui::CommandState& state) {
    return View::OnUpdateCommand(id, state) || m_pGrid->OnUpdateCommand(id, state);
}

bool ZRPropsView::HasCommand(unsigned id) const {
    return View::HasCommand(id) || m_pGrid->HasCommand(id);
}
