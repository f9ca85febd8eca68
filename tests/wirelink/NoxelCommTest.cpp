#include "tests/support/wire/FakeClock.h"
#include "WireTest.h"

#include "tests/support/wire/NoxelDriveSim.h"
#include "wirelink/NoxelComm.h"
#include "wirelink/SerialComm.h"

#include <atomic>
#include <cstring>
#include <future>
#include <optional>

namespace {

using wiresim::NoxelAnswer;
using Fault = wiresim::NoxelDriveSim::Fault;

class NoxelCommTest : public ::testing::Test {
protected:
    void SetUp() override {
        port.Init(drive.Path(), 38400);
        noxel = NoxelComm::Instance();
        noxel->Init(&port);
    }
    void TearDown() override { NoxelComm::DestroyInstance(); }

    // One exchange; the reply data come back as text.
    std::string Exchange(unsigned char node, const std::string& text, unsigned long timeout = 2000) {
        unsigned char reply[256];
        std::memset(reply, 0x5A, sizeof reply);
        unsigned short length = 0;
        driveError = -1;
        noxel->ExchgMessage(node, reinterpret_cast<const unsigned char*>(text.data()),
                            static_cast<unsigned short>(text.size()), reply, length, driveError, timeout);
        EXPECT_EQ(reply[length], 0) << "reply data end with a zero";
        return std::string(reinterpret_cast<char*>(reply), length);
    }
    void MakeActive(unsigned char node = 1) {
        Exchange(node, "0010", 2000);
        ASSERT_TRUE(noxel->IsNodeActive(node));
    }

    wiresim::Started<wiresim::NoxelDriveSim> drive{std::set<uint8_t>{1, 0xAB}};
    SerialComm port;
    // Purges wait for half a second of silence; let that pass in 25 ms.
    FakeClock fast{20};
    NoxelComm* noxel = nullptr;
    int driveError = -1;
};

TEST(NoxelCommHelpers, ChecksumAndHexDigits) {
    const unsigned char frame[] = ":010010";
    EXPECT_EQ(NoxelComm::CalcChecksum(frame, 7), 0xDE);
    EXPECT_EQ(NoxelComm::CalcChecksum(frame + 1, 6), 0xDE);
    EXPECT_EQ(NoxelComm::ToAsciiVal(0x3C), 'C');
    EXPECT_EQ(NoxelComm::ToHexVal('7'), 7);
    EXPECT_EQ(NoxelComm::ToHexVal('b'), 11);
    EXPECT_EQ(NoxelComm::ToHexVal('F'), 15);
    EXPECT_EQ(NoxelComm::ToHexVal('G'), -1);
}

TEST_F(NoxelCommTest, FramesTheRequest) {
    const struct {
        unsigned char node;
        std::string text, line;
    } cases[] = {
        {1, "0010", ":010010DE\r"},
        // Lower case goes out upper case, and the checksum covers what was sent.
        {1, "00a0", ":0100A0" + wiresim::NoxelDriveSim::Checksum("0100A0") + "\r"},
        {0xAB, "1234", ":AB1234" + wiresim::NoxelDriveSim::Checksum("AB1234") + "\r"},
    };
    for (const auto& c : cases) {
        Exchange(c.node, c.text);
        EXPECT_EQ(drive.Requests().back(), c.line);
    }
}

TEST_F(NoxelCommTest, ReturnsTheReplyDataAndMarksTheNodeActive) {
    drive.SetHandler([](uint8_t, const std::string& text) {
        return NoxelAnswer{text == "0010" ? "1234ABCD" : "", false, false};
    });
    EXPECT_FALSE(noxel->IsNodeActive(1));
    EXPECT_EQ(Exchange(1, "0010"), "1234ABCD");
    EXPECT_EQ(driveError, 0);
    EXPECT_TRUE(noxel->IsNodeActive(1));
}

TEST_F(NoxelCommTest, DriveRefusalSetsTheDriveErrorFlag) {
    drive.SetHandler([](uint8_t, const std::string&) { return NoxelAnswer{"07", true, false}; });
    for (std::string text : {"0010", "1010"}) {
        EXPECT_EQ(Exchange(1, text), "07") << text;
        EXPECT_EQ(driveError, 1) << text;
        EXPECT_EQ(drive.Requests().size(), text == "0010" ? 1u : 2u);
    }
}

TEST_F(NoxelCommTest, ReplyThatDoesNotEchoTheRequestIsABadResponseAtOnce) {
    MakeActive();
    const struct {
        const char* what;
        std::string text;
        std::optional<Fault> fault;
    } cases[] = {
        {"reply for another node", "0010", Fault::OtherNode},
        {"different text echoed", "0010", Fault::WrongEcho},
        {"first character not a hex digit", "G010", std::nullopt},
        {"first character 8 or above", "8010", std::nullopt},
    };
    for (const auto& c : cases) {
        if (c.fault)
            drive.Misbehave(*c.fault);
        size_t before = drive.RequestCount();
        EXPECT_COMM_ERROR(Exchange(1, c.text), ZRCommError::ProtocolError, "Bad response from drive");
        EXPECT_EQ(drive.RequestCount(), before + 1) << c.what << ": no further tries";
        EXPECT_TRUE(noxel->IsNodeActive(1)) << c.what;
    }
}

TEST_F(NoxelCommTest, BadFramesAreRetriedOnAnActiveNode) {
    MakeActive();
    for (Fault fault : {Fault::Garbage, Fault::BadChecksum, Fault::LowerChecksum}) {
        drive.Misbehave(fault);
        size_t before = drive.RequestCount();
        Exchange(1, "0010");
        EXPECT_EQ(drive.RequestCount(), before + 2);
    }
}

TEST_F(NoxelCommTest, BadFrameOnAnInactiveNodeEndsAfterOneTry) {
    drive.Misbehave(Fault::BadChecksum);
    EXPECT_COMM_ERROR(Exchange(1, "0010"), ZRCommError::ProtocolError, "Bad response from drive");
    EXPECT_EQ(drive.RequestCount(), 1u);
    EXPECT_FALSE(noxel->IsNodeActive(1));
}

TEST_F(NoxelCommTest, SilentInactiveNodeGetsOneTryOfTheGivenGap) {
    FakeClock clock(10);
    uint32_t start = clock.Now();
    EXPECT_COMM_ERROR(Exchange(7, "0010", 300), ZRCommError::NoResponse, "No response from drive");
    int32_t took = Elapsed(start, clock.Now());
    EXPECT_GE(took, 300);
    EXPECT_LT(took, 800);
    EXPECT_EQ(drive.RequestCount(), 1u);
}

TEST_F(NoxelCommTest, SilentActiveNodeGetsThreeTriesEachFollowedByAPurge) {
    MakeActive();
    drive.Misbehave(Fault::Silent, 3);
    FakeClock clock(20);
    uint32_t start = clock.Now();
    EXPECT_COMM_ERROR(Exchange(1, "0010", 100), ZRCommError::NoResponse, "No response from drive");
    EXPECT_GE(Elapsed(start, clock.Now()), 3 * (100 + 500));
    EXPECT_EQ(drive.RequestCount(), 4u);
    EXPECT_FALSE(noxel->IsNodeActive(1));
}

TEST_F(NoxelCommTest, LineOfMaximumLength) {
    // 256 characters with the carriage return is the longest good reply.
    drive.SetHandler([](uint8_t, const std::string& text) {
        return NoxelAnswer{std::string(text == "0010" ? 246 : 247, '5'), false, false};
    });
    EXPECT_EQ(Exchange(1, "0010").size(), 246u);
    EXPECT_COMM_ERROR(Exchange(1, "0011"), ZRCommError::ProtocolError, "Bad response from drive");
}

TEST_F(NoxelCommTest, LongLineWithoutEndIsBadWithoutWaitingForTheGap) {
    drive.Misbehave(Fault::NoEnd);
    uint32_t start = fast.Now();
    EXPECT_COMM_ERROR(Exchange(1, "0010", 20000), ZRCommError::ProtocolError, "Bad response from drive");
    EXPECT_LT(Elapsed(start, fast.Now()), 10000);
}

TEST_F(NoxelCommTest, TextLengthAndPortAreCheckedBeforeSending) {
    Exchange(1, std::string(2048, '1'));
    EXPECT_EQ(drive.Requests().back().size(), 2048u + 6);
    EXPECT_COMM_ERROR(Exchange(1, std::string(2049, '1')), ZRCommError::ProtocolError,
                      "Message to be sent to Node is too long");
    EXPECT_COMM_ERROR(Exchange(1, ""), ZRCommError::ProtocolError, "Message to be sent to Node is too long");
    EXPECT_EQ(drive.RequestCount(), 1u);
    noxel->Init(nullptr);
    EXPECT_COMM_ERROR(Exchange(1, "0010"), ZRCommError::NotInitialized,
                      "Datalink is not initialized for communication.");
    EXPECT_COMM_ERROR(noxel->RefreshNode(1), ZRCommError::NotInitialized,
                      "Datalink is not initialized for communication.");
}

// A drive that keeps talking without ending its line runs into the total time-out, which is
// 2500 ms for gaps below that and the gap plus 200 ms for longer ones.
TEST_F(NoxelCommTest, TotalTimeOutFollowsTheGap) {
    drive.SetHandler([this](uint8_t, const std::string&) {
        drive.StartStream('0', std::chrono::milliseconds(3));
        return NoxelAnswer{"", false, true};
    });
    {
        FakeClock clock(8);
        uint32_t start = clock.Now();
        EXPECT_COMM_ERROR(Exchange(0xAB, "0010", 1000), ZRCommError::ProtocolError,
                          "Bad response from drive");
        int32_t took = Elapsed(start, clock.Now());
        EXPECT_GE(took, 2500);
        EXPECT_LT(took, 3000);
    }
    drive.StopStream();
    port.Purge(true);
    {
        // Steps shorter than the gap, so only the total can run out; the clock moves only by them.
        FakeClock clock(0);
        std::atomic<bool> done{false};
        auto exchange = std::async(std::launch::async, [&] {
            ZRCommError error = CommErrorOf([&] { Exchange(0xAB, "0010", 3000); });
            done = true;
            return error;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        clock.Advance(2900);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_FALSE(done) << "ended before 3200 ms";
        clock.Advance(400);
        ZRCommError error = exchange.get();
        EXPECT_EQ(error.GetError(), ZRCommError::ProtocolError);
        EXPECT_EQ(error.GetMessage(), "Bad response from drive");
    }
    drive.StopStream();
}

TEST_F(NoxelCommTest, RefreshNodeSetsTheFlagAndNeverRaisesForTheDrive) {
    {
        // The probe waits only 90 ms for an answer: slow the clock so a busy machine keeps up.
        FakeClock slow(0.25);
        noxel->RefreshNode(1);
        EXPECT_TRUE(noxel->IsNodeActive(1));
        EXPECT_EQ(drive.Requests().back(), ":010010DE\r");

        drive.Misbehave(Fault::DriveError);
        noxel->RefreshNode(1);
        EXPECT_FALSE(noxel->IsNodeActive(1));
    }
    noxel->RefreshNode(7);
    EXPECT_FALSE(noxel->IsNodeActive(7));
}

TEST_F(NoxelCommTest, TerminalMessage) {
    drive.SetHandler([](uint8_t, const std::string&) { return NoxelAnswer{"99", false, false}; });
    unsigned char reply[257];
    unsigned short length = 0;
    const unsigned char text[] = {'0', '0', '1', '0'};
    noxel->DumbTerminalMsg(1, text, 4, reply, length, 0);
    std::string expected = "01001099" + wiresim::NoxelDriveSim::Checksum("01001099");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(reply), length), expected);
    EXPECT_EQ(reply[length], 0);
    // No echo check and no flag.
    drive.Misbehave(Fault::OtherNode);
    noxel->DumbTerminalMsg(1, text, 4, reply, length, 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(reply), 2), "02");
    EXPECT_FALSE(noxel->IsNodeActive(1));

    drive.Misbehave(Fault::Garbage);
    EXPECT_COMM_ERROR(noxel->DumbTerminalMsg(1, text, 4, reply, length, 0), ZRCommError::ProtocolError,
                      "Bad response from drive");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(reply), length), "?*GARBAGE*?\r");

    noxel->Init(nullptr);
    noxel->DumbTerminalMsg(1, text, 4, reply, length, 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(reply), length),
              "Datalink is not initialized for communication.");
}

TEST_F(NoxelCommTest, TerminalMessageToASilentDrive) {
    unsigned char reply[257];
    unsigned short length = 99;
    const unsigned char text[] = {'0', '0', '1', '0'};
    EXPECT_COMM_ERROR(noxel->DumbTerminalMsg(5, text, 4, reply, length, 0), ZRCommError::NoResponse,
                      "No response from drive");
    EXPECT_EQ(length, 0);
}

} // namespace
