#include "kitbase/ui/CSizableChildFrame.h"

#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRNodeMgr.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/DockBar.h"
#include "platform/ui/HelpRequest.h"

#include <QCloseEvent>
#include <QMdiArea>

using namespace platform::ui::ids;

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
    return id == ID_ENABLE_DRIVE || ChildFrame::RoutesToOwner(id);
}

const platform::ui::CommandTable* CSizableChildFrame::Commands() const {
    using Row = platform::ui::CommandRow<CSizableChildFrame>;
    using State = platform::ui::CommandState;
    static const platform::ui::CommandTable table{
        Row(ID_FILE_SAVE, nullptr, platform::ui::kCommandDisabled),
        Row(ID_HELP, &CSizableChildFrame::OnHelp, platform::ui::kCommandEnabled),
        Row(ID_LOCATE, &CSizableChildFrame::OnLocate,
            [](const CSizableChildFrame& frame, State& state) {
                state.enabled = frame.m_pController != nullptr;
            }),
        // The frame stands in for its document's own close command.
        Row(
            ID_FILE_CLOSE, [](CSizableChildFrame& frame) { frame.close(); }, platform::ui::kCommandEnabled),
    };
    return &table;
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
