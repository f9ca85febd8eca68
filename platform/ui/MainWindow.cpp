#include "platform/ui/MainWindow.h"

#include "platform/ui/ChildFrame.h"
#include "platform/ui/DockBar.h"
#include "platform/ui/Guard.h"
#include "platform/ui/View.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QToolBar>

namespace platform::ui {

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), m_area(new QMdiArea(this)), m_router([this] { return CommandChain(); }) {
    setCentralWidget(m_area);
}

MainWindow::~MainWindow() = default;

void MainWindow::AddChildFrame(ChildFrame* frame) {
    m_area->addSubWindow(frame);
    frame->show();
}

ChildFrame* MainWindow::ActiveChildFrame() const {
    return dynamic_cast<ChildFrame*>(m_area->activeSubWindow());
}

std::vector<ChildFrame*> MainWindow::ChildFrames() const {
    std::vector<ChildFrame*> frames;
    for (QMdiSubWindow* window : m_area->subWindowList())
        if (auto* frame = dynamic_cast<ChildFrame*>(window))
            frames.push_back(frame);
    return frames;
}

void MainWindow::SetWorkbookMode(bool on) {
    m_area->setViewMode(on ? QMdiArea::TabbedView : QMdiArea::SubWindowView);
}

bool MainWindow::IsWorkbookMode() const {
    return m_area->viewMode() == QMdiArea::TabbedView;
}

void MainWindow::AddDockBar(DockBar* bar, Qt::DockWidgetArea area) {
    addDockWidget(area, bar);
}

std::string MainWindow::SaveBarState(int version) const {
    QByteArray text = saveState(version).toBase64();
    return std::string(text.constData(), static_cast<size_t>(text.size()));
}

bool MainWindow::LoadBarState(const std::string& state, int version) {
    auto decoded =
        QByteArray::fromBase64Encoding(QByteArray(state.data(), static_cast<qsizetype>(state.size())),
                                       QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.isEmpty())
        return false;
    return restoreState(decoded.decoded, version);
}

std::vector<CommandTarget*> MainWindow::CommandChain() {
    std::vector<CommandTarget*> chain;
    QWidget* focus = QApplication::focusWidget();
    View* focusView = focus && isAncestorOf(focus) ? ViewOf(focus) : nullptr;
    if (focusView && !ChildFrame::FrameOf(WidgetOf(focusView))) {
        chain.push_back(focusView);
    } else if (ChildFrame* frame = ActiveChildFrame()) {
        chain = frame->CommandChain();
    }
    chain.push_back(this);
    chain.insert(chain.end(), m_targets.begin(), m_targets.end());
    return chain;
}

void MainWindow::UpdateCommandStates() {
    for (QToolBar* bar : findChildren<QToolBar*>())
        if (bar->isVisible())
            for (QAction* action : bar->actions())
                m_router.UpdateAction(*action);
    for (QAction* action : findChildren<QAction*>())
        if (!action->shortcut().isEmpty())
            m_router.UpdateAction(*action);
}

bool MainWindow::CanClose() {
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!GuardResult("CanClose", false, [&] { return CanClose(); })) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

} // namespace platform::ui
