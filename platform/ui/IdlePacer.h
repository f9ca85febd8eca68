// When idle rounds run: the first as soon as the event queue is empty after real activity, then
// one per pace interval while the idle handler asks for more. Kept free of the toolkit so the
// rule can be tested on its own.
#pragma once

namespace platform::ui {

class IdlePacer {
public:
    explicit IdlePacer(int paceMs = 5) : m_pace(paceMs) {}

    // A real event (input, timer, queued call) was handled: a fresh sequence starts at count 0.
    void NoteActivity() {
        m_pending = true;
        m_count = 0;
    }
    // The queue is empty. Answers the delay in ms before the next round, or -1 when no round is
    // due or one is already scheduled.
    int OnQueueEmpty() {
        if (!m_pending || m_scheduled)
            return -1;
        m_scheduled = true;
        return m_count == 0 ? 0 : m_pace;
    }
    // The scheduled round is due. Answers whether to run it now; a round that may not run (inside a
    // modal or a pump) stays pending for the next empty queue.
    bool BeginRound(bool allowed) {
        m_scheduled = false;
        return allowed && m_pending;
    }
    // The idle handler answered: more asks for another round.
    void EndRound(bool more) {
        if (more) {
            ++m_count;
        } else {
            m_count = 0;
            m_pending = false;
        }
    }

    long Count() const { return m_count; }
    bool Pending() const { return m_pending; }
    bool Scheduled() const { return m_scheduled; }
    int Pace() const { return m_pace; }
    void SetPace(int ms) { m_pace = ms < 1 ? 1 : ms; }

private:
    int m_pace;
    long m_count = 0;
    bool m_pending = true; // the first empty queue after start-up runs a round
    bool m_scheduled = false;
};

} // namespace platform::ui
