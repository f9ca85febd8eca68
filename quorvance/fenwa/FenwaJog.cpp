#include "quorvance/fenwa/FenwaJog.h"

#include "kitbase/model/ZRError.h"
#include "quorvance/fenwa/FenwaStorage.h"

#include <utility>

namespace {

const char* ArgumentOf(int state) {
    switch (state) {
    case FenwaJog::Forward:
        return "+";
    case FenwaJog::Reverse:
        return "-";
    default:
        return "0";
    }
}

} // namespace

FenwaJog::FenwaJog(FenwaStorage& storage, Command jog, Command servoOff, std::function<void()> onFailure)
    : m_Storage(storage), m_Jog(std::move(jog)), m_ServoOff(std::move(servoOff)),
      m_OnFailure(std::move(onFailure)) {}

FenwaJog::~FenwaJog() {
    Stop();
}

void FenwaJog::Start() {
    if (m_Thread.joinable())
        return;
    m_Failure = {};
    m_State = Hold;
    m_Thread = std::thread(&FenwaJog::Run, this);
}

void FenwaJog::SetState(State state) {
    if (state == Stopped)
        return;
    // Only a running jog changes direction; a stopped one stays stopped.
    int running = m_State.load();
    while (running != Stopped && !m_State.compare_exchange_weak(running, state)) {
    }
}

FenwaJog::Failure FenwaJog::Stop() {
    {
        std::lock_guard lock(m_WakeLock);
        m_State = Stopped;
    }
    m_Wake.notify_all();
    if (m_Thread.joinable())
        m_Thread.join();
    Failure failure = std::move(m_Failure);
    m_Failure = {};
    return failure;
}

bool FenwaJog::Send(const Command& command, const std::string& argument) {
    FenwaStorage::QuietThread quiet;
    Failure failure{true, 0, {}};
    try {
        std::string reply;
        if (m_Storage.ExecuteCommand(command.text, command.data, argument, &reply, command.mode))
            return true;
        failure.lostCode = quiet.GetLostCode();
    } catch (const ZRError& error) {
        failure.message = error.GetComboMessage();
    }
    // The first failure is the one to tell.
    if (!m_Failure.failed)
        m_Failure = std::move(failure);
    return false;
}

void FenwaJog::Run() {
    bool failed = false;
    for (int state = m_State.load(); state != Stopped; state = m_State.load()) {
        if (!Send(m_Jog, ArgumentOf(state))) {
            failed = true;
            break;
        }
        std::unique_lock lock(m_WakeLock);
        m_Wake.wait_for(lock, kPeriod, [this] { return m_State.load() == Stopped; });
    }
    m_State = Stopped;
    // Nothing answers on a lost link: no last words then, and no waiting for them.
    if (m_Failure.lostCode == 0)
        Send(m_Jog, "0");
    if (m_Failure.lostCode == 0)
        Send(m_ServoOff, "");
    if (failed && m_OnFailure)
        m_OnFailure();
}
