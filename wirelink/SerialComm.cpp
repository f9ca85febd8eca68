#include "wirelink/SerialComm.h"

#include "wirelink/WireClock.h"
#include "wirelink/ZRCommError.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {
constexpr uint32_t kPurgeSilenceMs = 500;
constexpr uint32_t kPurgeLimitMs = 5000;
// A write that makes no progress for this long has lost its port.
constexpr int kWriteStallMs = 5000;

bool SpeedOf(int baud, speed_t& speed) {
    static const struct {
        int baud;
        speed_t speed;
    } table[] = {{50, B50},           {75, B75},          {110, B110},         {134, B134},
                 {150, B150},         {200, B200},        {300, B300},         {600, B600},
                 {1200, B1200},       {1800, B1800},      {2400, B2400},       {4800, B4800},
                 {9600, B9600},       {19200, B19200},    {38400, B38400},     {57600, B57600},
                 {115200, B115200},   {230400, B230400},  {460800, B460800},   {500000, B500000},
                 {576000, B576000},   {921600, B921600},  {1000000, B1000000}, {1152000, B1152000},
                 {1500000, B1500000}, {2000000, B2000000}};
    for (const auto& entry : table) {
        if (entry.baud == baud) {
            speed = entry.speed;
            return true;
        }
    }
    return false;
}

[[noreturn]] void ThrowErrno(ZRCommError::CommError code, int err) {
    errno = err;
    throw ZRCommError(code);
}
} // namespace

SerialComm::SerialComm() = default;

SerialComm::~SerialComm() {
    Close();
}

void SerialComm::Init(const std::string& name, int baud) {
    Init(name, baud, 0, 8);
}

void SerialComm::Init(const std::string& name, int baud, unsigned char parity, unsigned char byteSize) {
    Close();
    int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw ZRCommError(ZRCommError::OpenFailed);
    m_fd = fd;
    try {
        // Not shared: no second program may open the line while we hold it.
        if (::ioctl(m_fd, TIOCEXCL) != 0 && errno != ENOTTY && errno != EINVAL)
            throw ZRCommError(ZRCommError::OpenFailed);
        Configure(baud, parity, byteSize);
    } catch (...) {
        Close();
        throw;
    }
    m_pause = baud >= 9600 ? 1 : baud >= 2400 ? 4 : 8;
}

void SerialComm::Configure(int baud, unsigned char parity, unsigned char byteSize) {
    speed_t speed;
    if (!SpeedOf(baud, speed) || parity > 4 || byteSize < 5 || byteSize > 8)
        ThrowErrno(ZRCommError::IoError, EINVAL);

    termios tio{};
    if (::tcgetattr(m_fd, &tio) != 0)
        throw ZRCommError(ZRCommError::IoError);
    ::cfmakeraw(&tio);
    static const tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    tio.c_cflag |= sizes[byteSize - 5] | CLOCAL | CREAD;
    switch (parity) {
    case 1:
        tio.c_cflag |= PARENB | PARODD;
        break;
    case 2:
        tio.c_cflag |= PARENB;
        break;
    case 3:
        tio.c_cflag |= PARENB | PARODD | CMSPAR;
        break;
    case 4:
        tio.c_cflag |= PARENB | CMSPAR;
        break;
    default:
        break;
    }
    tio.c_iflag &= ~(IXON | IXOFF | IXANY | IGNPAR | PARMRK | INPCK);
    if (parity != 0)
        tio.c_iflag |= INPCK;
    // Reads return at once with what is waiting.
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0)
        throw ZRCommError(ZRCommError::IoError);
    if (::tcsetattr(m_fd, TCSANOW, &tio) != 0)
        throw ZRCommError(ZRCommError::IoError);

    // tcsetattr succeeds when any one setting took, so read them back.
    termios got{};
    if (::tcgetattr(m_fd, &got) != 0)
        throw ZRCommError(ZRCommError::IoError);
    const tcflag_t cmask = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | CLOCAL | CREAD;
    const tcflag_t imask = IXON | IXOFF | IXANY | INPCK;
    const tcflag_t lmask = ICANON | ECHO | ISIG | IEXTEN;
    if ((got.c_cflag & cmask) != (tio.c_cflag & cmask) || (got.c_iflag & imask) != (tio.c_iflag & imask) ||
        (got.c_lflag & lmask) != (tio.c_lflag & lmask) || (got.c_oflag & OPOST) != 0 ||
        ::cfgetispeed(&got) != speed || ::cfgetospeed(&got) != speed || got.c_cc[VMIN] != 0 ||
        got.c_cc[VTIME] != 0)
        ThrowErrno(ZRCommError::IoError, EINVAL);

    // DTR and RTS on; devices without modem lines (pseudo-terminals) refuse and need none.
    int lines = TIOCM_DTR | TIOCM_RTS;
    if (::ioctl(m_fd, TIOCMBIS, &lines) != 0 && errno != ENOTTY && errno != EINVAL)
        throw ZRCommError(ZRCommError::IoError);
}

void SerialComm::Close() {
    if (m_fd < 0)
        return;
    int err = errno;
    ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
    m_fd = -1;
    errno = err;
}

int SerialComm::ReadRaw(unsigned char& byte) {
    if (m_fd < 0)
        ThrowErrno(ZRCommError::IoError, EBADF);
    for (;;) {
        ssize_t n = ::read(m_fd, &m_buffer, 1);
        if (n == 1) {
            m_lastCount = 1;
            byte = m_buffer;
            return 1;
        }
        if (n == 0 || errno == EAGAIN || errno == EWOULDBLOCK) {
            m_lastCount = 0;
            return 0;
        }
        if (errno != EINTR)
            throw ZRCommError(ZRCommError::IoError);
    }
}

bool SerialComm::ReadByte(unsigned char& byte) {
    if (ReadRaw(byte))
        return true;
    WireClock::Get().WaitReadable(m_fd, m_pause);
    return false;
}

void SerialComm::Write(const unsigned char* data, unsigned long length) {
    if (m_fd < 0)
        ThrowErrno(ZRCommError::IoError, EBADF);
    // write() may take part of the buffer; a lost request byte would garble the frame.
    while (length > 0) {
        ssize_t n = ::write(m_fd, data, length);
        if (n > 0) {
            data += n;
            length -= static_cast<unsigned long>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            throw ZRCommError(ZRCommError::IoError);
        pollfd p{m_fd, POLLOUT, 0};
        int rc = ::poll(&p, 1, kWriteStallMs);
        if (rc == 0)
            ThrowErrno(ZRCommError::IoError, ETIMEDOUT);
        if (rc < 0 && errno != EINTR)
            throw ZRCommError(ZRCommError::IoError);
    }
}

void SerialComm::Purge(bool full) {
    unsigned char byte;
    if (!full && !ReadRaw(byte))
        return;
    WireClock& clock = WireClock::Get();
    const uint32_t start = clock.Now();
    uint32_t last = start;
    for (;;) {
        int got = ReadRaw(byte);
        uint32_t now = clock.Now();
        if (static_cast<int32_t>(now - start) > static_cast<int32_t>(kPurgeLimitMs))
            throw ZRCommError(ZRCommError::PurgeTimeout, "Purge time limit exceeded.");
        if (got) {
            last = now;
            continue;
        }
        if (static_cast<int32_t>(now - last) > static_cast<int32_t>(kPurgeSilenceMs))
            return;
        clock.WaitReadable(m_fd, m_pause);
    }
}
