#include "platform/ui/ChildFrame.h"

#include "platform/ui/Guard.h"
#include "platform/ui/View.h"

#include <QCloseEvent>
#include <QMdiArea>

#include <algorithm>

namespace platform::ui {

// Passes a command to the owner only for the ids the frame routes to it.
class ChildFrame::OwnerGate : public CommandTarget {
public:
    explicit OwnerGate(ChildFrame& frame) : m_frame(frame) {}
    bool OnCommand(unsigned id) override {
        CommandTarget* owner = Open(id);
        return owner && owner->OnCommand(id);
    }
    bool OnUpdateCommand(unsigned id, CommandState& state) override {
        CommandTarget* owner = Open(id);
        return owner && owner->OnUpdateCommand(id, state);
    }
    bool HasCommand(unsigned id) const override {
        CommandTarget* owner = Open(id);
        return owner && owner->HasCommand(id);
    }

private:
    CommandTarget* Open(unsigned id) const {
        return m_frame.m_owner && m_frame.RoutesToOwner(id) ? m_frame.m_owner : nullptr;
    }
    ChildFrame& m_frame;
};

ChildFrame::ChildFrame(QWidget* parent) : QMdiSubWindow(parent), m_gate(std::make_unique<OwnerGate>(*this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    connect(
        this, &QMdiSubWindow::windowStateChanged, this,
        [this](Qt::WindowStates oldState, Qt::WindowStates newState) { StateChanged(oldState, newState); });
}

ChildFrame::~ChildFrame() {
    // The toolkit's frame still changes state while it goes; this part is gone by then.
    disconnect(this, &QMdiSubWindow::windowStateChanged, this, nullptr);
}

void ChildFrame::SetView(QWidget* view) {
    setWidget(view);
    View* first = ViewOf(view);
    if (!first && view)
        for (QWidget* child : view->findChildren<QWidget*>())
            if ((first = dynamic_cast<View*>(child)))
                break;
    SetActiveView(first, false);
}

View* ChildFrame::ActiveView() const {
    return m_activeView ? dynamic_cast<View*>(m_activeView.data()) : nullptr;
}

void ChildFrame::SetActiveView(View* view, bool notify) {
    View* old = ActiveView();
    m_activeView = WidgetOf(view);
    if (!notify || old == view)
        return;
    if (old)
        Guard("OnActivateView", [&] { old->OnActivateView(false, view, old); });
    if (view)
        Guard("OnActivateView", [&] { view->OnActivateView(true, view, old); });
}

void ChildFrame::SendInitialUpdate() {
    QWidget* top = widget();
    if (!top)
        return;
    std::vector<View*> views;
    if (auto* view = dynamic_cast<View*>(top))
        views.push_back(view);
    for (QWidget* child : top->findChildren<QWidget*>()) // depth first, parents before children
        if (auto* view = dynamic_cast<View*>(child))
            views.push_back(view);
    for (View* view : views)
        Guard("OnInitialUpdate", [&] { view->OnInitialUpdate(); });
}

ChildFrame* ChildFrame::FrameOf(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (auto* frame = dynamic_cast<ChildFrame*>(w))
            return frame;
    return nullptr;
}

void ChildFrame::SetOwner(CommandTarget* owner) {
    m_owner = owner;
}

bool ChildFrame::RoutesToOwner(unsigned id) const {
    return std::find(m_routed.begin(), m_routed.end(), id) != m_routed.end();
}

std::vector<CommandTarget*> ChildFrame::CommandChain() {
    std::vector<CommandTarget*> chain;
    if (View* view = ActiveView())
        chain.push_back(view);
    chain.push_back(this);
    chain.push_back(m_gate.get());
    return chain;
}

void ChildFrame::ActivateFrame(int show) {
    switch (show) {
    case ShowHide:
        hide();
        return;
    case ShowNormal:
    case ShowRestore:
        showNormal();
        break;
    case ShowMinimized:
        showMinimized();
        break;
    case ShowMaximized:
        showMaximized();
        break;
    default:
        show = ShowKeep;
        break;
    }
    if (show == ShowKeep && isHidden())
        this->show();
    if (QMdiArea* area = mdiArea())
        area->setActiveSubWindow(this);
    if (QWidget* view = m_activeView ? m_activeView.data() : widget())
        view->setFocus();
}

void ChildFrame::SetMinTrackSize(int width, int height) {
    m_minWidth = width;
    m_minHeight = height;
    setMinimumSize(width < 0 ? 0 : width, height < 0 ? 0 : height);
}

void ChildFrame::Destroy() {
    m_destroying = true;
    close();
}

bool ChildFrame::CanClose() {
    return true;
}

void ChildFrame::OnFrameActivated(bool) {}

void ChildFrame::closeEvent(QCloseEvent* event) {
    // A failing answer keeps the frame: closing could lose what the owner still holds in it.
    if (!m_destroying && !GuardResult("CanClose", false, [&] { return CanClose(); })) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

void ChildFrame::StateChanged(Qt::WindowStates oldState, Qt::WindowStates newState) {
    bool wasActive = oldState & Qt::WindowActive;
    bool active = newState & Qt::WindowActive;
    if (wasActive == active)
        return;
    Guard("OnFrameActivated", [&] { OnFrameActivated(active); });
    if (View* view = ActiveView())
        Guard("OnActivateFrame", [&] { view->OnActivateFrame(active, this); });
}

} // namespace platform::ui
