#include "kitbase/ui/CSizableChildFrame.h"

#include "kitbase/ui/ZRNodeMgr.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/ui/DockBar.h"
#include "platform/ui/HelpRequest.h"

#include <QCloseEvent>
#include <QMdiArea>

CSizableChildFrame::CSizableChildFrame(QWidget* parent) : platform::ui::ChildFrame(parent) {}

CSizableChildFrame::~CSizableChildFrame() = default;

void CSizableChildFrame::SetController(ZRNodeMgr* controller) {
    m_pController = controller;
    SetOwner(controller);
    SendInitialUpdate();
}

void CSizableChildFrame::SetMinWidth(int width) {
    SetMinTrackSize(width, MinTrackHeight());
}

void CSizableChildFrame::SetMinHeight(int height) {
    SetMinTrackSize(MinTrackWidth(), height);
}

void CSizableChildFrame::ActivateFrame(int show) {
    // The first node window of the area opens maximized.
    if (QMdiArea* area = mdiArea(); area && !area->currentSubWindow())
        show = ShowMaximized;
    ChildFrame::ActivateFrame(show);
}

int CSizableChildFrame::OkToClose() {
    if (!m_pController)
        return 1;
    return m_pController->CanClose(this) ? 1 : 0;
}

bool CSizableChildFrame::CanClose() {
    return OkToClose() != 0;
}

bool CSizableChildFrame::RoutesToOwner(unsigned id) const {
    return id == kEnableDriveCommand || ChildFrame::RoutesToOwner(id);
}

bool CSizableChildFrame::OnCommand(unsigned id) {
    switch (id) {
    case kHelpCommand:
        OnHelp();
        return true;
    case kLocateCommand:
        OnLocate();
        return true;
    case kFileCloseCommand:
        // The frame stands in for its document's own close command.
        close();
        return true;
    default:
        return ChildFrame::OnCommand(id);
    }
}

bool CSizableChildFrame::OnUpdateCommand(unsigned id, platform::ui::CommandState& state) {
    switch (id) {
    case kFileSaveCommand:
        state.enabled = false;
        return true;
    case kLocateCommand:
        state.enabled = m_pController != nullptr;
        return true;
    case kHelpCommand:
    case kFileCloseCommand:
        state.enabled = true;
        return true;
    default:
        return ChildFrame::OnUpdateCommand(id, state);
    }
}

bool CSizableChildFrame::HasCommand(unsigned id) const {
    return id == kHelpCommand || id == kLocateCommand || id == kFileCloseCommand ||
           ChildFrame::HasCommand(id);
}

void CSizableChildFrame::OnHelp() {
    platform::ui::ShowHelpTopic(m_HelpTopic);
}

void CSizableChildFrame::OnLocate() {
    if (!m_pController)
        return;
    ZRWorkspaceView* tree = m_pController->GetTree();
    if (!tree)
        return;
    tree->SelectItem(m_pController->GetNode());
    platform::ui::DockBar* bar = nullptr;
    for (QWidget* w = tree->parentWidget(); w && !bar; w = w->parentWidget())
        bar = dynamic_cast<platform::ui::DockBar*>(w);
    if (bar) {
        if (!tree->isVisible())
            bar->ShowBar(true);
        bar->ActivateBar(); // in front of the bars it shares a tab group with
    }
    tree->setFocus(Qt::OtherFocusReason);
}

void CSizableChildFrame::OnFrameActivated(bool active) {
    if (active && m_pController)
        m_pController->GettingFocus(m_bPrimary);
}

void CSizableChildFrame::SetClosing(bool closing) {
    m_bSysClose = closing;
    // The grids of a closing frame accept every cell: a half-typed value is dropped, not refused.
    setProperty(ZRPropertiesGrid::kClosingProperty, closing);
}

void CSizableChildFrame::closeEvent(QCloseEvent* event) {
    SetClosing(true);
    ChildFrame::closeEvent(event);
    // A refused close leaves the frame working: its grids validate and write again.
    if (!event->isAccepted())
        SetClosing(false);
}
