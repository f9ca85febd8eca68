// Window timers by id: SetTimer starts (or restarts) the timer of an id, OnTimer gets its ticks.
#pragma once

#include <memory>

namespace platform::ui {

class TimerOwner {
public:
    TimerOwner();
    virtual ~TimerOwner();
    TimerOwner(const TimerOwner&) = delete;
    TimerOwner& operator=(const TimerOwner&) = delete;

    // A running timer of the same id is replaced. Answers false without an application.
    bool SetTimer(int id, unsigned ms);
    // Answers false when no timer of that id runs.
    bool KillTimer(int id);
    bool IsTimerRunning(int id) const;

protected:
    virtual void OnTimer(int id);

private:
    class Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace platform::ui
