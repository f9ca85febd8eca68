#include "platform/ui/TimerOwner.h"

#include "platform/ui/Guard.h"

#include <QCoreApplication>
#include <QObject>
#include <QTimerEvent>

#include <map>

namespace platform::ui {

class TimerOwner::Impl : public QObject {
public:
    explicit Impl(TimerOwner& owner) : m_owner(owner) {}

    bool Set(int id, unsigned ms) {
        if (!QCoreApplication::instance())
            return false;
        Kill(id);
        int qtId = startTimer(static_cast<int>(ms), ms < 100 ? Qt::PreciseTimer : Qt::CoarseTimer);
        if (qtId == 0)
            return false;
        m_ids[id] = qtId;
        return true;
    }
    bool Kill(int id) {
        auto it = m_ids.find(id);
        if (it == m_ids.end())
            return false;
        killTimer(it->second);
        m_ids.erase(it);
        return true;
    }
    bool Running(int id) const { return m_ids.count(id) != 0; }

protected:
    void timerEvent(QTimerEvent* event) override {
        for (const auto& [id, qtId] : m_ids)
            if (qtId == event->timerId()) {
                int which = id;
                Guard("timer", [&] { m_owner.OnTimer(which); });
                return;
            }
    }

private:
    TimerOwner& m_owner;
    std::map<int, int> m_ids; // our id -> toolkit timer id
};

TimerOwner::TimerOwner() : m_impl(std::make_unique<Impl>(*this)) {}
TimerOwner::~TimerOwner() = default;

bool TimerOwner::SetTimer(int id, unsigned ms) {
    return m_impl->Set(id, ms);
}
bool TimerOwner::KillTimer(int id) {
    return m_impl->Kill(id);
}
bool TimerOwner::IsTimerRunning(int id) const {
    return m_impl->Running(id);
}
void TimerOwner::OnTimer(int) {}

} // namespace platform::ui
