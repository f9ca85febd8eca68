#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

class FenwaStorage;

// The jog worker of a Fenwa velocity control panel: a thread that sends the drive's "JOG" command
// with "0", "+" or "-" (by the state) once a period through the storage, and on Stop a last JOG0
// and "SVROF". It touches nothing but the storage, whose calls it makes quiet: a failure ends the
// jogging and is handed to onFailure (called on the jog thread), for the user-interface thread to
// report once the worker is stopped.
class FenwaJog {
public:
    enum State : int { Stopped = 0, Hold = 1, Forward = 2, Reverse = 3 };
    // A drive command as the storage runs it.
    struct Command {
        std::string text;
        std::string data;
        int mode = 0;
    };
    // Why the thread stopped jogging by itself.
    struct Failure {
        bool failed = false;
        int lostCode = 0;    // the link failure, 0 when the drive refused
        std::string message; // the drive's refusal
    };
    static constexpr std::chrono::milliseconds kPeriod{450};

    FenwaJog(FenwaStorage& storage, Command jog, Command servoOff, std::function<void()> onFailure);
    // Stops the thread.
    ~FenwaJog();
    FenwaJog(const FenwaJog&) = delete;
    FenwaJog& operator=(const FenwaJog&) = delete;

    // Starts the thread in Hold.
    void Start();
    // Hold, Forward or Reverse while the thread jogs; taken at its next cycle.
    void SetState(State state);
    State GetState() const { return static_cast<State>(m_State.load()); }
    // Stopped, then waits for the thread, which sends JOG0 and "SVROF" unless the link is lost.
    // Answers the first failure of the jog's commands, last words included.
    Failure Stop();
    bool IsRunning() const { return m_Thread.joinable(); }
    FenwaStorage& GetStorage() const { return m_Storage; }

private:
    void Run();
    // False when the drive refused or the link is lost (m_Failure says which).
    bool Send(const Command& command, const std::string& argument);

    FenwaStorage& m_Storage;
    const Command m_Jog;
    const Command m_ServoOff;
    std::function<void()> m_OnFailure;
    std::atomic<int> m_State{Stopped};
    std::mutex m_WakeLock;
    std::condition_variable m_Wake;
    std::thread m_Thread;
    Failure m_Failure; // the thread's until it is joined
};
