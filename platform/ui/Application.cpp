#include "platform/ui/Application.h"

#include "platform/ui/Events.h"
#include "platform/ui/Guard.h"
#include "platform/ui/IdlePacer.h"
#include "platform/ui/MainWindow.h"

#include <QAbstractEventDispatcher>
#include <QThread>
#include <QTimer>

#include <clocale>

namespace platform::ui {

namespace {

Application* g_instance = nullptr;

// Events that mean something happened that idle work may follow. Repaints and the toolkit's own
// bookkeeping do not count, else an idle round that repaints would start the next one at once.
bool IsActivity(const QEvent* event) {
    switch (event->type()) {
    case QEvent::Timer:
    case QEvent::MetaCall:
    case QEvent::SockAct:
    case QEvent::Quit:
        return true;
    case QEvent::Paint:
    case QEvent::UpdateRequest:
    case QEvent::UpdateLater:
    case QEvent::Expose:
    case QEvent::MouseMove:
    case QEvent::HoverMove:
        return false;
    default:
        return event->spontaneous();
    }
}

} // namespace

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv), m_pacer(std::make_unique<IdlePacer>()) {
    g_instance = this;
    std::setlocale(LC_NUMERIC, "C");
    m_idleTimer = new QTimer(this);
    m_idleTimer->setSingleShot(true);
    m_idleTimer->setTimerType(Qt::PreciseTimer);
    connect(m_idleTimer, &QTimer::timeout, this, [this] { RunIdleRound(); });
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { QueueEmpty(); });
}

Application::~Application() {
    if (g_instance == this)
        g_instance = nullptr;
}

Application* Application::Instance() {
    return g_instance;
}

bool Application::OnIdle(long count) {
    // The first round after activity brings the command states up to date, as the framework did:
    // a shortcut or a tool-bar button must not wait for its menu to open.
    if (count == 0)
        for (QWidget* window : topLevelWidgets())
            if (auto* main = dynamic_cast<MainWindow*>(window); main && main->isVisible())
                main->UpdateCommandStates();
    return m_idleHandler ? m_idleHandler(count) : false;
}

void Application::SetIdleHandler(IdleHandler handler) {
    m_idleHandler = std::move(handler);
    m_pacer->NoteActivity();
}

void Application::SetIdlePace(int ms) {
    m_pacer->SetPace(ms);
}
int Application::IdlePace() const {
    return m_pacer->Pace();
}

bool Application::IdleAllowed() {
    return QThread::currentThread()->loopLevel() == 1 && !IsPumping() && !InModal() &&
           !QApplication::activeModalWidget();
}

void Application::QueueEmpty() {
    if (m_inIdle || !IdleAllowed())
        return;
    int delay = m_pacer->OnQueueEmpty();
    if (delay >= 0)
        m_idleTimer->start(delay);
}

void Application::RunIdleRound() {
    if (!m_pacer->BeginRound(IdleAllowed() && !m_inIdle))
        return;
    m_inIdle = true;
    bool more = GuardResult("idle", false, [&] { return OnIdle(m_pacer->Count()); });
    m_inIdle = false;
    m_pacer->EndRound(more);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    if (receiver != m_idleTimer && !m_inIdle && IsActivity(event))
        m_pacer->NoteActivity();
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ReportCurrentException("event handler");
        return false;
    }
}

} // namespace platform::ui
