#include "tests/support/wire/FakeClock.h"
#include "WireTest.h"

#include "tests/support/wire/HalvoSlaveSim.h"
#include "wirelink/HalvoMaster.h"
#include "wirelink/Querin.h"
#include "wirelink/SerialComm.h"

#include <atomic>
#include <optional>

namespace {

using wiresim::Bytes;
using wiresim::HalvoSlaveSim;
using Fault = HalvoSlaveSim::Fault;

std::string Wire(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes)
        s.push_back(static_cast<char>(b));
    return s;
}

class HalvoMasterTest : public ::testing::Test {
protected:
    void SetUp() override {
        port.Init(slave.Path(), 38400);
        master = HalvoMaster::Instance();
        master->Init(&port);
    }
    void TearDown() override { HalvoMaster::DestroyInstance(); }

    void MakeActive(short node = 5) {
        master->RefreshNode(node);
        ASSERT_TRUE(master->IsNodeActive(node));
        slave.ClearReceived();
    }
    Bytes Send(const Bytes& data, unsigned char node = 5) {
        unsigned char reply[HalvoMaster::kMaxMessage];
        unsigned short length = 0;
        master->SendAMessage(node, data.data(), static_cast<unsigned short>(data.size()), reply, length);
        return Bytes(reply, reply + length);
    }

    wiresim::Started<HalvoSlaveSim> slave{std::set<uint8_t>{5, 16}};
    SerialComm port;
    HalvoMaster* master = nullptr;
    // Polls wait only 20 ms for an answer: a slow clock gives a busy machine time to answer.
    // Tests of silence run their own faster clocks.
    FakeClock slow{0.1};
};

TEST_F(HalvoMasterTest, FramesWithDleStuffingAndBlockCheck) {
    MakeActive(5);
    const Bytes data{0x10, 0x20};
    master->SendAMessage(5, data.data(), 2);
    EXPECT_EQ(slave.Received(), Wire({0x10, 0x01, 0x05, 0x10, 0x02, 0x10, 0x10, 0x20, 0x10, 0x03, 0xCB}));
    EXPECT_EQ(slave.Messages().back(), data);

    // The node number 16 is DLE too, in the poll as in the message.
    master->RefreshNode(16);
    EXPECT_EQ(slave.Received().substr(11), Wire({0x10, 0x0F, 0x10, 0x05, 0x10, 0x10, 0xF0}));
    EXPECT_TRUE(master->IsNodeActive(16));
}

TEST_F(HalvoMasterTest, RefreshNode) {
    master->RefreshNode(5);
    EXPECT_TRUE(master->IsNodeActive(5));
    EXPECT_EQ(slave.PollCount(), 1);

    // A silent node that was inactive: one poll, one gap.
    FakeClock fast(2);
    master->RefreshNode(7);
    EXPECT_FALSE(master->IsNodeActive(7));
    EXPECT_EQ(slave.PollCount(), 2);

    // An active one that falls silent is polled three times.
    slave.Misbehave(Fault::Silent, 3);
    master->RefreshNode(5);
    EXPECT_FALSE(master->IsNodeActive(5));
    EXPECT_EQ(slave.PollCount(), 5);
}

TEST_F(HalvoMasterTest, RefusesBeforeSendingAnything) {
    const Bytes data(10, 0x33);
    const Bytes tooLong(251, 0x33);
    EXPECT_COMM_ERROR(master->SendAMessage(5, data.data(), 10), ZRCommError::NodeInactive,
                      "Node 5 is not Active");
    EXPECT_COMM_ERROR(master->SendAMessage(255, data.data(), 10), ZRCommError::ProtocolError,
                      "255 is not a valid node number");
    EXPECT_COMM_ERROR(master->RefreshNode(0x1FF), ZRCommError::ProtocolError,
                      "255 is not a valid node number");
    MakeActive();
    EXPECT_COMM_ERROR(master->SendAMessage(5, tooLong.data(), 251), ZRCommError::ProtocolError,
                      "Message to be sent to Node is too long");
    EXPECT_EQ(slave.Received(), "");
    master->Init(nullptr);
    for (auto call : std::initializer_list<std::function<void()>>{
             [&] { master->SendAMessage(5, data.data(), 10); }, [&] { master->RefreshNode(5); },
             [&] { master->PollAll(); }})
        EXPECT_COMM_ERROR(call(), ZRCommError::NotInitialized,
                          "Datalink is not initialized for communication.");
}

TEST_F(HalvoMasterTest, CollectsTheFirstReplyAndAcknowledgesEveryMessage) {
    MakeActive();
    slave.SetHandler([](uint8_t, const Bytes& data) {
        return std::vector<Bytes>{Bytes{0x01, 0x10, data[0]}, Bytes{0x02}};
    });
    EXPECT_EQ(Send({0x42}), (Bytes{0x01, 0x10, 0x42}));
    EXPECT_EQ(slave.AckCount(), 2);
    EXPECT_EQ(slave.AbortCount(), 1) << "only the refresh's";
}

TEST_F(HalvoMasterTest, RefusedMessageIsSentAgain) {
    MakeActive();
    slave.Misbehave(Fault::Refuse, 2);
    Send({0x01, 0x02});
    EXPECT_EQ(slave.Messages().size(), 3u);
}

TEST_F(HalvoMasterTest, BadMessagesAreDroppedAndPolledAgain) {
    MakeActive();
    slave.SetHandler([](uint8_t, const Bytes&) { return std::vector<Bytes>{Bytes{0x07, 0x08}}; });
    slave.Misbehave(Fault::BadBcc);
    EXPECT_EQ(Send({0x01}), (Bytes{0x07, 0x08}));
    // A message longer than the buffer is a bad frame, not an overrun; the rest of it is
    // purged before the next poll.
    FakeClock fast(5);
    slave.Misbehave(Fault::Overlong);
    EXPECT_EQ(Send({0x01}), (Bytes{0x07, 0x08}));
    EXPECT_EQ(slave.AckCount(), 2);
}

TEST_F(HalvoMasterTest, SilentSlaveAfterTheMessage) {
    MakeActive();
    const Bytes data{0x01};
    FakeClock fast(20);
    slave.Misbehave(Fault::Silent, 3);
    EXPECT_COMM_ERROR(master->SendAMessage(5, data.data(), 1), ZRCommError::NoResponse,
                      "No response from controller");
    EXPECT_EQ(slave.Messages().size(), 3u);
    EXPECT_FALSE(master->IsNodeActive(5));
}

TEST_F(HalvoMasterTest, SilentSlaveWhilePolledForTheReplyGetsAnAbort) {
    MakeActive();
    FakeClock fast(4);
    slave.Misbehave(Fault::SilentPoll, 3);
    EXPECT_COMM_ERROR(Send({0x01}), ZRCommError::NoResponse, "No response from controller");
    EXPECT_EQ(slave.PollCount(), 1 + 3);
    EXPECT_TRUE(WaitFor([&] { return slave.AbortCount() == 2; })) << "refresh and failed exchange";
    EXPECT_FALSE(master->IsNodeActive(5));
}

TEST_F(HalvoMasterTest, RefusalsUntilTheTotalTimeOut) {
    MakeActive();
    slave.Misbehave(Fault::Refuse, 1000);
    FakeClock clock;
    std::thread jumper([&] {
        WaitFor([&] { return slave.Messages().size() >= 3; });
        clock.Advance(60100);
    });
    const Bytes data{0x01};
    EXPECT_COMM_ERROR(master->SendAMessage(5, data.data(), 1), ZRCommError::NoResponse,
                      "Bad response from controller");
    jumper.join();
    EXPECT_FALSE(master->IsNodeActive(5));
}

TEST_F(HalvoMasterTest, PollAllProbesNodesOneTo254) {
    // Every node answers but 7 and 100.
    std::set<uint8_t> nodes;
    for (int n = 0; n <= 255; ++n)
        if (n != 7 && n != 100)
            nodes.insert(static_cast<uint8_t>(n));
    wiresim::Started<HalvoSlaveSim> line(nodes);
    SerialComm other;
    other.Init(line.Path(), 38400);
    master->Init(&other);
    FakeClock slower(0.25);
    master->PollAll();
    EXPECT_EQ(line.PollCount(), 254);
    EXPECT_FALSE(master->IsNodeActive(0));
    EXPECT_FALSE(master->IsNodeActive(255));
    EXPECT_FALSE(master->IsNodeActive(7));
    EXPECT_FALSE(master->IsNodeActive(100));
    for (int n : {1, 6, 8, 99, 101, 254})
        EXPECT_TRUE(master->IsNodeActive(static_cast<short>(n))) << n;
}

class QuerinTest : public HalvoMasterTest {
protected:
    Querin querin{HalvoMaster::Instance()};
    unsigned char reply[256];
    unsigned short replyLength = 0;
    unsigned short status = 0;
};

TEST_F(QuerinTest, WrapsTheCommandAndUnpacksTheReply) {
    MakeActive();
    EXPECT_EQ(querin.GetHalvoMaster(), master);
    slave.SetHandler([](uint8_t, const Bytes& command) {
        return std::vector<Bytes>{HalvoSlaveSim::ReplyPacket(command, 0, {0xAA, 0xBB, 0xCC})};
    });
    const Bytes data{0x01, 0x02};
    querin.Encapsulate(5, data.data(), 2, reply, replyLength, status);
    EXPECT_EQ(slave.Messages().back(), (Bytes{5, 0, 0x0F, 0, 0, 0, 0x95, 2, 0x01, 0x02}));
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Bytes(reply, reply + replyLength), (Bytes{0xAA, 0xBB, 0xCC}));

    querin.Encapsulate(5, data.data(), 2);
    EXPECT_EQ(slave.Messages().back()[4], 1) << "transaction number";
}

TEST_F(QuerinTest, StatusOfTheReply) {
    MakeActive();
    const struct {
        Bytes packet;
        unsigned short status;
        Bytes data;
    } cases[] = {
        {{0, 5, 0x4F, 0xF0, 0, 0, 0x12}, 0x12F0, {}},
        {{0, 5, 0x4F, 0x05}, 0x05, {}},
        // A count beyond the data received gives only what came.
        {{0, 5, 0x4F, 0x00, 0, 0, 9, 0x61, 0x62}, 0, {0x61, 0x62}},
    };
    for (const auto& c : cases) {
        slave.SetHandler([packet = c.packet](uint8_t, const Bytes&) { return std::vector<Bytes>{packet}; });
        const unsigned char data = 0;
        querin.Encapsulate(5, &data, 1, reply, replyLength, status);
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(Bytes(reply, reply + replyLength), c.data);
    }
}

TEST_F(QuerinTest, ReplyTooShortForItsStatusIsABadResponse) {
    MakeActive();
    for (Bytes packet : {Bytes{0, 5, 0x4F}, Bytes{0, 5, 0x4F, 0x00, 0, 0}, Bytes{0, 5, 0x4F, 0xF3}}) {
        slave.SetHandler([packet](uint8_t, const Bytes&) { return std::vector<Bytes>{packet}; });
        const unsigned char data = 0;
        EXPECT_COMM_ERROR(querin.Encapsulate(5, &data, 1, reply, replyLength, status),
                          ZRCommError::ProtocolError, "Bad response from controller");
    }
}

TEST_F(QuerinTest, TransactionNumberMovesOnAfterAFailure) {
    const Bytes data(243, 0x01);
    EXPECT_COMM_ERROR(querin.Encapsulate(5, data.data(), 243, reply, replyLength, status),
                      ZRCommError::ProtocolError, "Message to be sent to Node is too long");
    EXPECT_COMM_ERROR(querin.Encapsulate(5, data.data(), 1), ZRCommError::NodeInactive,
                      "Node 5 is not Active");
    MakeActive();
    querin.Encapsulate(5, data.data(), 1, reply, replyLength, status);
    EXPECT_EQ(slave.Messages().back()[4], 2);
}

} // namespace
