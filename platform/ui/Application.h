// The application object: the toolkit's application plus idle processing and the event boundary.
#pragma once

#include <QApplication>

#include <functional>
#include <memory>

class QTimer;

namespace platform::ui {

class IdlePacer;

class Application : public QApplication {
public:
    // argc must outlive the application: the toolkit keeps a reference to it. Numbers are formatted
    // in the "C" locale again once the toolkit has adopted the user's.
    Application(int& argc, char** argv);
    ~Application() override;

    // The running application when it is one of ours.
    static Application* Instance();

    // Called from the top-level event loop when the event queue is empty, with the count of
    // rounds since the last real activity, and again while it answers true. The base updates the
    // command states of the main windows (first round) and runs the handler given to SetIdleHandler.
    virtual bool OnIdle(long count);

    using IdleHandler = std::function<bool(long count)>;
    void SetIdleHandler(IdleHandler handler);
    // Pause between the rounds of a sequence (ms); user input is handled in between.
    void SetIdlePace(int ms);
    int IdlePace() const;

    // Idle runs only from the top-level loop: never inside a modal interaction, a nested event
    // loop or PumpEvents.
    static bool IdleAllowed();

    // Catches what an event handler let escape, and notes real activity for the idle rule.
    bool notify(QObject* receiver, QEvent* event) override;

private:
    void QueueEmpty();
    void RunIdleRound();

    std::unique_ptr<IdlePacer> m_pacer;
    QTimer* m_idleTimer = nullptr;
    IdleHandler m_idleHandler;
    bool m_inIdle = false;
};

} // namespace platform::ui
