// A drive on the far end of a pseudo-terminal. The simulator holds the master side and runs its
// own thread; the code under test opens Path() (the slave device) like any serial port.
//
// Protocol simulators derive from it and feed OnInput; drive-family simulators derive from
// those and override their Answer hooks. Start a simulator with Started<T>, which starts the
// thread once T is built and stops it before any part of T is destroyed.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace wiresim {

// Line time in microseconds: the time the code under test spent waiting on the line while every
// running simulator was idle with nothing on its way to it, plus a slow talker's byte pauses.
// Test clocks count this instead of wall time, so neither a simulator nor the code under test that
// the machine schedules late can make a drive look silent.
int64_t LineTimeUs();
// The steady clock in microseconds.
int64_t RealUs();
// A test clock reports each of its waits: begun at beginUs, asked to last lengthUs, ended early by
// input or not. Only the part that was line time counts.
void CountWait(int64_t beginUs, int64_t lengthUs, bool input);

class PtySimulator {
public:
    PtySimulator(const PtySimulator&) = delete;
    PtySimulator& operator=(const PtySimulator&) = delete;
    virtual ~PtySimulator();

    // The slave device to open.
    const std::string& Path() const { return m_path; }

    void Start();
    void Stop();

    // A slow talker: each byte of an answer is preceded by this pause.
    void SetByteDelay(std::chrono::microseconds delay) { m_byteDelayUs = delay.count(); }
    // Sends byte every interval, forever, until StopStream (a line that never goes quiet).
    void StartStream(uint8_t byte, std::chrono::microseconds interval);
    void StopStream() { m_streamIntervalUs = 0; }
    // Bytes written to the line so far.
    size_t BytesSent() const { return m_bytesSent; }
    // Every byte the code under test wrote, in order.
    std::string Received() const;
    void ClearReceived();

    // The line as the code under test set it up (the pseudo-terminal keeps its termios): baud
    // rate, data bits and parity ('N', 'E' or 'O'). False when they cannot be read.
    struct LineSettings {
        int baud = 0;
        int dataBits = 8;
        char parity = 'N';
    };
    bool ReadLineSettings(LineSettings& line) const;

    // Another family's drives on this line: the guest hears every byte this simulator receives and
    // answers on this line. The guest is never started itself and lives as long as this simulator.
    void AddGuest(PtySimulator& guest);

protected:
    PtySimulator();

    // Called on the simulator's thread with every chunk the master side receives.
    virtual void OnInput(const uint8_t* data, size_t length) = 0;
    // Writes to the line, honouring the byte delay. Call from OnInput only.
    void Send(const uint8_t* data, size_t length);
    void Send(std::string_view bytes) { Send(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()); }

    // Guards the state that tests read while the thread runs. Taken on any other thread, it
    // first waits until the simulator has taken and answered everything written to it, so a
    // test sees what the code under test sent however late the simulator runs.
    class SettledMutex {
    public:
        explicit SettledMutex(const PtySimulator& sim) : m_sim(sim) {}
        void lock() {
            m_sim.Settle();
            m_mutex.lock();
        }
        bool try_lock() { return m_mutex.try_lock(); }
        void unlock() { m_mutex.unlock(); }

    private:
        const PtySimulator& m_sim;
        std::mutex m_mutex;
    };
    mutable SettledMutex m_mutex{*this};

private:
    friend void CountWait(int64_t, int64_t, bool);

    void Run();
    bool WaitWritable();
    // Has input not yet taken (bytes still on their way included), is working on some, or owes a
    // byte of its stream.
    bool Busy(int64_t nowUs) const;
    void Settle() const;
    // Waits until what was written has reached the far side, so it is there for the code under
    // test to read before this simulator counts as idle.
    void Landed() const;

    int m_master = -1;
    int m_slave = -1; // kept open so the line survives the code under test closing its side
    int m_wake = -1;
    std::string m_path;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<int64_t> m_byteDelayUs{0};
    std::atomic<int64_t> m_streamIntervalUs{0};
    std::atomic<uint8_t> m_streamByte{0};
    std::atomic<size_t> m_bytesSent{0};
    std::atomic<bool> m_working{false};
    std::atomic<bool> m_running{false};
    std::atomic<std::thread::id> m_runner{};
    // When the simulator last finished working.
    std::atomic<int64_t> m_idleSinceUs{0};
    std::atomic<int64_t> m_streamDueUs{0};
    std::string m_received;
    std::vector<PtySimulator*> m_guests;
    PtySimulator* m_host = nullptr;
};

// A simulator that runs from construction to destruction.
template <class Sim> class Started : public Sim {
public:
    template <class... Args> explicit Started(Args&&... args) : Sim(std::forward<Args>(args)...) {
        this->Start();
    }
    ~Started() override { this->Stop(); }
};

} // namespace wiresim
