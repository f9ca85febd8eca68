#include "tests/support/wire/FakeClock.h"
#include "WireTest.h"

#include "tests/support/wire/PtySimulator.h"
#include "wirelink/SerialComm.h"
#include "wirelink/TimedByteReader.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A line that only listens, or echoes what it hears.
class LineSim : public wiresim::PtySimulator {
public:
    explicit LineSim(bool echo = false) : m_echo(echo) {}
    ~LineSim() override { Stop(); }
    void Say(std::string_view bytes) {
        std::lock_guard lock(m_mutex);
        m_say = std::string(bytes);
    }

protected:
    void OnInput(const uint8_t* data, size_t length) override {
        if (m_echo)
            Send(data, length);
        std::string say;
        {
            std::lock_guard lock(m_mutex);
            say = m_say;
        }
        if (!say.empty())
            Send(say);
    }

private:
    bool m_echo;
    std::string m_say;
};
using Line = wiresim::Started<LineSim>;

int OpenDescriptors() {
    int count = 0;
    DIR* dir = ::opendir("/proc/self/fd");
    while (::readdir(dir))
        ++count;
    ::closedir(dir);
    return count;
}

TEST(SerialComm, PauseFollowsBaudRate) {
    Line line;
    const struct {
        int baud;
        unsigned long pause;
    } cases[] = {{9600, 1}, {4800, 4}, {1200, 8}, {2400, 4}, {38400, 1}, {1800, 8}};
    SerialComm port;
    for (const auto& c : cases) {
        port.Init(line.Path(), c.baud);
        EXPECT_EQ(port.GetSleepTime(), c.pause) << c.baud;
    }
}

TEST(SerialComm, CarriesBytesBothWaysAndNeverBlocksOnRead) {
    Line line(/*echo=*/true);
    SerialComm port;
    port.Init(line.Path(), 38400);
    unsigned char byte;
    EXPECT_FALSE(port.ReadByte(byte));

    const unsigned char hello[] = {'h', 0x00, 0x0D, 0x11, 0x13, 0xFF};
    port.Write(hello, sizeof hello);
    std::string got;
    ASSERT_TRUE(WaitFor([&] {
        while (port.ReadByte(byte))
            got.push_back(static_cast<char>(byte));
        return got.size() >= sizeof hello;
    }));
    // Raw: no translation of CR, no flow-control characters swallowed.
    EXPECT_EQ(got, std::string(reinterpret_cast<const char*>(hello), sizeof hello));
}

TEST(SerialComm, WriteDeliversEveryByteOfALongBuffer) {
    Line line;
    SerialComm port;
    port.Init(line.Path(), 38400);
    // Far more than the line's buffer: write() takes it in parts.
    std::string data(200000, '\0');
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>('A' + i % 26);
    port.Write(reinterpret_cast<const unsigned char*>(data.data()), data.size());
    ASSERT_TRUE(WaitFor([&] { return line.Received().size() >= data.size(); }));
    EXPECT_EQ(line.Received(), data);
}

TEST(SerialComm, OpenAndSetupFailuresLeaveThePortClosed) {
    Line line;
    const int before = OpenDescriptors();
    const struct {
        std::string path;
        int baud;
        unsigned char parity, bits;
        ZRCommError::CommError code;
        int err;
    } cases[] = {
        {"/dev/no-such-serial-port", 38400, 0, 8, ZRCommError::OpenFailed, ENOENT},
        {"/dev/null", 38400, 0, 8, ZRCommError::IoError, ENOTTY},
        {line.Path(), 12345, 0, 8, ZRCommError::IoError, EINVAL},
        {line.Path(), 38400, 0, 9, ZRCommError::IoError, EINVAL},
        {line.Path(), 38400, 5, 8, ZRCommError::IoError, EINVAL},
    };
    for (const auto& c : cases) {
        SerialComm port;
        ZRCommError error = CommErrorOf([&] { port.Init(c.path, c.baud, c.parity, c.bits); });
        EXPECT_EQ(error.GetError(), c.code) << c.path;
        EXPECT_EQ(error.GetMessage(), std::strerror(c.err)) << c.path;
        EXPECT_FALSE(port.IsOpen()) << c.path;
        EXPECT_EQ(OpenDescriptors(), before) << c.path;
        unsigned char byte;
        EXPECT_COMM_ERROR(port.ReadByte(byte), ZRCommError::IoError, std::strerror(EBADF));
    }
}

TEST(SerialComm, ChecksThatTheLineSettingsTook) {
    Line line;
    // A pseudo-terminal may insist on 8 bits without parity; then Init must say so.
    int master, slave;
    ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    termios tio{};
    ::tcgetattr(slave, &tio);
    tio.c_cflag = (tio.c_cflag & ~CSIZE) | CS7 | PARENB;
    ::tcsetattr(slave, TCSANOW, &tio);
    ::tcgetattr(slave, &tio);
    const bool keeps = (tio.c_cflag & CSIZE) == CS7 && (tio.c_cflag & PARENB);
    ::close(slave);
    ::close(master);

    SerialComm port;
    if (keeps) {
        port.Init(line.Path(), 9600, 2, 7);
        EXPECT_TRUE(port.IsOpen());
    } else {
        EXPECT_COMM_ERROR(port.Init(line.Path(), 9600, 2, 7), ZRCommError::IoError, std::strerror(EINVAL));
        EXPECT_FALSE(port.IsOpen());
    }
    port.Init(line.Path(), 9600, 0, 8);
    EXPECT_TRUE(port.IsOpen());
}

TEST(SerialComm, InitAgainClosesTheOldPortFirst) {
    Line first, second;
    SerialComm port;
    port.Init(first.Path(), 38400);
    const int open = OpenDescriptors();
    port.Init(second.Path(), 38400);
    EXPECT_EQ(OpenDescriptors(), open);
    // The first line is free again for another user.
    SerialComm other;
    other.Init(first.Path(), 38400);
    const unsigned char x = 'x';
    port.Write(&x, 1);
    ASSERT_TRUE(WaitFor([&] { return second.Received() == "x"; }));
    EXPECT_EQ(first.Received(), "");
}

TEST(SerialComm, PurgeWithoutFullReturnsAtOnceOnAQuietLine) {
    Line line;
    SerialComm port;
    port.Init(line.Path(), 38400);
    FakeClock clock;
    uint32_t start = clock.Now();
    port.Purge(false);
    EXPECT_LT(Elapsed(start, clock.Now()), 100);
}

TEST(SerialComm, PurgeDrainsUntilHalfASecondOfSilence) {
    Line line;
    line.Say("stale bytes");
    SerialComm port;
    port.Init(line.Path(), 38400);
    const unsigned char x = 'x';
    port.Write(&x, 1);
    ASSERT_TRUE(WaitFor([&] { return line.BytesSent() >= 11; }));

    FakeClock clock(10);
    uint32_t start = clock.Now();
    port.Purge(false);
    int32_t took = Elapsed(start, clock.Now());
    EXPECT_GT(took, 500);
    EXPECT_LT(took, 1500);
    unsigned char byte;
    EXPECT_FALSE(port.ReadByte(byte));
}

TEST(SerialComm, PurgeGivesUpOnALineThatNeverGoesQuiet) {
    Line line;
    SerialComm port;
    port.Init(line.Path(), 38400);
    line.StartStream('~', std::chrono::milliseconds(1));
    ASSERT_TRUE(WaitFor([&] { return line.BytesSent() > 3; }));

    // A loaded machine that holds this thread back moves line time on; keep slack for it.
    FakeClock clock(4);
    uint32_t start = clock.Now();
    EXPECT_COMM_ERROR(port.Purge(true), ZRCommError::PurgeTimeout, "Purge time limit exceeded.");
    int32_t took = Elapsed(start, clock.Now());
    EXPECT_GT(took, 5000);
    EXPECT_LT(took, 6000);
    line.StopStream();
}

TEST(ZRCommError, SystemTextIsTakenAtConstruction) {
    errno = ENOENT;
    ZRCommError error(ZRCommError::OpenFailed);
    errno = EACCES;
    ZRCommError copy = error;
    std::string text = copy.GetMessage();
    EXPECT_EQ(text, std::strerror(ENOENT));
    EXPECT_EQ(copy.GetError(), ZRCommError::OpenFailed);
}

class TimedByteReaderTest : public ::testing::Test {
protected:
    void SetUp() override { port.Init(line.Path(), 38400); }
    Line line;
    SerialComm port;
    TimedByteReader reader;
};

TEST_F(TimedByteReaderTest, GapTimeOutOnASilentLine) {
    FakeClock clock(1);
    reader.Setup(&port, 2500, 100);
    uint32_t start = clock.Now();
    reader.RestartTotal();
    reader.RestartGap();
    EXPECT_EQ(reader.Read(), TimedByteReader::GapTimeout);
    int32_t took = Elapsed(start, clock.Now());
    EXPECT_GE(took, 100);
    EXPECT_LT(took, 1000);
}

TEST_F(TimedByteReaderTest, TotalTimeOutWhileBytesKeepComing) {
    line.StartStream('.', std::chrono::milliseconds(2));
    FakeClock clock;
    reader.Setup(&port, 2500, 100);
    reader.RestartTotal();
    reader.RestartGap();
    std::thread jumper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        clock.Advance(2600);
    });
    int bytes = 0;
    uint16_t value;
    while ((value = reader.Read()) < 256) {
        EXPECT_EQ(value, '.');
        ++bytes;
        reader.RestartGap();
    }
    jumper.join();
    line.StopStream();
    EXPECT_EQ(value, TimedByteReader::TotalTimeout);
    EXPECT_GT(bytes, 0);
}

// The test clocks count line time: however long the machine holds the reader back once the answer
// is there, it is an answer, not silence.
TEST(LineTime, AReaderHeldBackByTheMachineStillGetsTheAnswer) {
    Line line(/*echo=*/true);
    SerialComm port;
    port.Init(line.Path(), 38400);
    TimedByteReader reader;
    reader.Setup(&port, 2500, 100);
    FakeClock clock(1000);
    for (unsigned char c : {'a', 'b', 'c'}) {
        port.Write(&c, 1);
        reader.RestartTotal();
        reader.RestartGap();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(reader.Read(), c);
    }
}

// What the code under test wrote is the simulator's as soon as the write returns, however late the
// simulator runs.
TEST(LineTime, WhatWasWrittenIsThereWhenTheWriteReturns) {
    Line line;
    SerialComm port;
    port.Init(line.Path(), 38400);
    std::string written;
    for (int i = 0; i < 300; ++i) {
        const unsigned char c = static_cast<unsigned char>('a' + i % 26);
        port.Write(&c, 1);
        written.push_back(static_cast<char>(c));
        ASSERT_EQ(line.Received(), written) << i;
    }
}

TEST_F(TimedByteReaderTest, PushedBackValueComesFirstEvenAfterTheTotalTimeOut) {
    FakeClock clock;
    reader.Setup(&port, 10, 10);
    reader.RestartTotal();
    reader.RestartGap();
    clock.Advance(50);
    reader.Unget(TimedByteReader::FrameGood);
    EXPECT_EQ(reader.Read(), TimedByteReader::FrameGood);
    EXPECT_EQ(reader.Read(), TimedByteReader::TotalTimeout);
}

} // namespace
