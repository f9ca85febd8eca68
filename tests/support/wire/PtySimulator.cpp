#include "tests/support/wire/PtySimulator.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <stdlib.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace wiresim {

namespace {
[[noreturn]] void Fail(const char* what) {
    throw std::runtime_error(std::string(what) + " failed");
}

int64_t NowUs() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

// Has input waiting. Polling a pseudo-terminal also hands over the bytes the kernel still holds
// between its two sides (which no byte count shows yet), waiting for that if need be.
bool Readable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & POLLIN);
}

// The running simulators and the line time counted so far.
struct LineTime {
    std::mutex mutex;
    std::vector<PtySimulator*> running;
    int64_t counted = 0;
    // Real time up to which waits were counted, so two threads waiting at once count it once.
    int64_t countedUntil = 0;
};

LineTime& Line() {
    static LineTime line;
    return line;
}
} // namespace

int64_t RealUs() {
    return NowUs();
}

int64_t LineTimeUs() {
    LineTime& line = Line();
    std::lock_guard lock(line.mutex);
    return line.counted;
}

void CountWait(int64_t beginUs, int64_t lengthUs, bool input) {
    // Input ends a wait when it arrives; the time the waiter took to wake up is the machine's.
    if (input)
        return;
    LineTime& line = Line();
    std::lock_guard lock(line.mutex);
    const int64_t now = NowUs();
    // A waiter woken a little late still counts the time, or short waits would hardly move the clock
    // on a busy machine; longer was a stall of the machine, not line time.
    constexpr int64_t kWakeSlackUs = 2000;
    const int64_t end = std::min(now, beginUs + std::max(lengthUs, kWakeSlackUs));
    int64_t from = std::max(beginUs, line.countedUntil);
    for (const PtySimulator* sim : line.running) {
        if (sim->Busy(now))
            return;
        // Read after Busy: a simulator that finished meanwhile shows its new time.
        from = std::max(from, sim->m_idleSinceUs.load());
    }
    if (end > from) {
        line.counted += end - from;
        line.countedUntil = end;
    }
}

bool PtySimulator::Busy(int64_t nowUs) const {
    // Input first: the thread marks itself working before it takes any.
    if (Readable(m_master) || m_working)
        return true;
    const int64_t due = m_streamDueUs;
    return due != 0 && nowUs > due;
}

void PtySimulator::AddGuest(PtySimulator& guest) {
    guest.m_host = this;
    m_guests.push_back(&guest);
}

void PtySimulator::Settle() const {
    if (m_host) {
        m_host->Settle();
        return;
    }
    if (!m_running || std::this_thread::get_id() == m_runner.load())
        return;
    // Bounded, so a simulator that stopped answering cannot hang a test.
    const int64_t until = NowUs() + 5'000'000;
    while (Busy(NowUs()) && NowUs() < until)
        std::this_thread::sleep_for(std::chrono::microseconds(100));
}

void PtySimulator::Landed() const {
    (void)Readable(m_slave);
}

PtySimulator::PtySimulator() {
    if (::openpty(&m_master, &m_slave, nullptr, nullptr, nullptr) != 0)
        Fail("openpty");
    char name[128];
    if (::ptsname_r(m_master, name, sizeof name) != 0)
        Fail("ptsname_r");
    m_path = name;
    // Raw until the code under test sets the line up, so nothing is echoed or translated.
    termios tio{};
    ::tcgetattr(m_slave, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(m_slave, TCSANOW, &tio);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    m_wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_wake < 0)
        Fail("eventfd");
}

PtySimulator::~PtySimulator() {
    Stop();
    ::close(m_wake);
    ::close(m_slave);
    ::close(m_master);
}

bool PtySimulator::ReadLineSettings(LineSettings& line) const {
    termios tio{};
    if (::tcgetattr(m_slave, &tio) != 0)
        return false;
    struct Speed {
        speed_t code;
        int baud;
    };
    static constexpr Speed kSpeeds[] = {{B1200, 1200},   {B2400, 2400},   {B4800, 4800},   {B9600, 9600},
                                        {B19200, 19200}, {B38400, 38400}, {B57600, 57600}, {B115200, 115200}};
    const speed_t speed = ::cfgetospeed(&tio);
    line.baud = 0;
    for (const Speed& s : kSpeeds)
        if (s.code == speed)
            line.baud = s.baud;
    line.dataBits = (tio.c_cflag & CSIZE) == CS7 ? 7 : (tio.c_cflag & CSIZE) == CS8 ? 8 : 0;
    line.parity = !(tio.c_cflag & PARENB) ? 'N' : (tio.c_cflag & PARODD) ? 'O' : 'E';
    return true;
}

void PtySimulator::Start() {
    if (m_thread.joinable())
        return;
    m_stop = false;
    {
        std::lock_guard lock(Line().mutex);
        Line().running.push_back(this);
    }
    m_running = true;
    m_thread = std::thread([this] { Run(); });
}

void PtySimulator::Stop() {
    if (!m_thread.joinable())
        return;
    m_stop = true;
    uint64_t one = 1;
    (void)!::write(m_wake, &one, sizeof one);
    m_thread.join();
    m_running = false;
    std::lock_guard lock(Line().mutex);
    std::erase(Line().running, this);
}

void PtySimulator::StartStream(uint8_t byte, std::chrono::microseconds interval) {
    m_streamByte = byte;
    m_streamIntervalUs = interval.count() > 0 ? interval.count() : 1;
    uint64_t one = 1;
    (void)!::write(m_wake, &one, sizeof one);
}

std::string PtySimulator::Received() const {
    std::lock_guard lock(m_mutex);
    return m_received;
}

void PtySimulator::ClearReceived() {
    std::lock_guard lock(m_mutex);
    m_received.clear();
}

bool PtySimulator::WaitWritable() {
    pollfd p{m_master, POLLOUT, 0};
    ::poll(&p, 1, 10);
    return !m_stop;
}

void PtySimulator::Send(const uint8_t* data, size_t length) {
    if (m_host) {
        m_host->Send(data, length);
        return;
    }
    const int64_t delay = m_byteDelayUs;
    while (length > 0 && !m_stop) {
        if (delay > 0) {
            // The pause is line time however long the machine makes it last.
            std::this_thread::sleep_for(std::chrono::microseconds(delay));
            std::lock_guard lock(Line().mutex);
            Line().counted += delay;
        }
        size_t chunk = delay > 0 ? 1 : length;
        ssize_t n = ::write(m_master, data, chunk);
        if (n > 0) {
            Landed();
            data += n;
            length -= static_cast<size_t>(n);
            m_bytesSent += static_cast<size_t>(n);
        } else if (n < 0 && errno != EINTR && !(errno == EAGAIN && WaitWritable())) {
            return;
        }
    }
}

void PtySimulator::Run() {
    m_runner = std::this_thread::get_id();
    uint8_t buffer[512];
    int64_t nextStream = 0;
    while (!m_stop) {
        int timeout = -1;
        const int64_t interval = m_streamIntervalUs;
        if (interval > 0) {
            if (nextStream == 0)
                nextStream = NowUs();
            int64_t wait = nextStream - NowUs();
            timeout = wait > 0 ? static_cast<int>((wait + 999) / 1000) : 0;
        } else {
            nextStream = 0;
        }
        m_streamDueUs = nextStream;
        if (m_working) {
            m_idleSinceUs = NowUs();
            m_working = false;
        }
        pollfd fds[2] = {{m_master, POLLIN, 0}, {m_wake, POLLIN, 0}};
        int rc = ::poll(fds, 2, timeout);
        m_working = true;
        if (rc < 0 && errno != EINTR) {
            m_idleSinceUs = NowUs();
            m_working = false;
            return;
        }
        if (fds[1].revents & POLLIN) {
            uint64_t count;
            (void)!::read(m_wake, &count, sizeof count);
        }
        if (fds[0].revents & POLLIN) {
            ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n > 0) {
                {
                    std::lock_guard lock(m_mutex);
                    m_received.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(n));
                }
                OnInput(buffer, static_cast<size_t>(n));
                for (PtySimulator* guest : m_guests)
                    guest->OnInput(buffer, static_cast<size_t>(n));
            }
        }
        if (interval > 0 && m_streamIntervalUs > 0 && NowUs() >= nextStream) {
            uint8_t byte = m_streamByte;
            // A stream is noise: drop what the line cannot take instead of blocking.
            if (::write(m_master, &byte, 1) == 1) {
                Landed();
                ++m_bytesSent;
            }
            // A late byte froze the test clocks until now; catching up in a burst would crowd more
            // bytes into the line time than the interval allows.
            nextStream = std::max(nextStream, NowUs()) + interval;
        }
    }
}

} // namespace wiresim
