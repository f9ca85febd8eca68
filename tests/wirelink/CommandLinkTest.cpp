// The Fenwa and Zelna command protocols, side by side where they agree and apart where they
// differ.
#include "tests/support/wire/FakeClock.h"
#include "WireTest.h"

#include "tests/support/wire/CommandDriveSim.h"
#include "wirelink/FenwaComm.h"
#include "wirelink/HalvoMaster.h"
#include "wirelink/NoxelComm.h"
#include "wirelink/SerialComm.h"
#include "wirelink/ZelnaComm.h"

#include <atomic>

namespace {

using wiresim::CommandAnswer;
using wiresim::CommandDriveSim;
using wiresim::CommandRequest;
using Fault = CommandDriveSim::Fault;
namespace sym = wiresim::symbol;

std::string Framed(const std::string& inner) {
    return std::string(1, '\x02') + inner + CommandDriveSim::Checksum(inner) + '\x03';
}

// One fixture for both families; `zelna` picks the protocol and the simulated drive.
class CommandLinkTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        port.Init(drive.Path(), 38400);
        link()->Init(&port);
    }
    void TearDown() override {
        FenwaComm::DestroyInstance();
        ZelnaComm::DestroyInstance();
    }

    bool zelna() const { return GetParam(); }
    CommandLink* link() {
        return zelna() ? static_cast<CommandLink*>(ZelnaComm::Instance()) : FenwaComm::Instance();
    }
    // The exchanges with the command error as a plain number (0 for none).
    int Ack(short node, std::string_view command) {
        if (zelna()) {
            auto e = ZelnaComm::NoError;
            ZelnaComm::Instance()->SendAndGetAck(node, command, e);
            return e;
        }
        auto e = FenwaComm::NoError;
        FenwaComm::Instance()->SendAndGetAck(node, command, e);
        return e;
    }
    int Response(short node, std::string_view command, std::string& reply) {
        if (zelna()) {
            auto e = ZelnaComm::NoError;
            ZelnaComm::Instance()->SendAndGetResponse(node, command, reply, e);
            return e;
        }
        auto e = FenwaComm::NoError;
        FenwaComm::Instance()->SendAndGetResponse(node, command, reply, e);
        return e;
    }
    int UntilTok(short node, std::string_view command, std::string_view data) {
        if (zelna()) {
            auto e = ZelnaComm::NoError;
            ZelnaComm::Instance()->SendUntilTOK(node, command, data, e);
            return e;
        }
        auto e = FenwaComm::NoError;
        FenwaComm::Instance()->SendUntilTOK(node, command, data, e);
        return e;
    }
    void MakeActive() {
        link()->RefreshNode(1);
        ASSERT_TRUE(link()->IsNodeActive(1));
    }
    uint8_t RetryStatus() const { return zelna() ? sym::NAK : sym::SI; }
    void AnswerWith(CommandAnswer answer) {
        drive.SetHandler([answer](const CommandRequest&) { return std::optional<CommandAnswer>(answer); });
    }

    wiresim::Started<CommandDriveSim> drive{GetParam() ? CommandDriveSim::Family::Zelna
                                                       : CommandDriveSim::Family::Fenwa,
                                            std::set<uint8_t>{1, 10}};
    SerialComm port;
    // Real speed, but standing still while the drive is late, so a busy machine cannot fake silence.
    FakeClock lineTime;
};

INSTANTIATE_TEST_SUITE_P(Families, CommandLinkTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Zelna" : "Fenwa"; });

TEST(CommandLinkHelpers, ChecksumDigit) {
    const unsigned char frame[] = "\x02"
                                  "01#MV:";
    EXPECT_EQ(FenwaComm::CalcChecksum(frame, 7), '1');
    EXPECT_EQ(ZelnaComm::ToAsciiVal(0xAB), 'B');
}

TEST_P(CommandLinkTest, FramesCommandsAndTerminalText) {
    EXPECT_EQ(Ack(1, "MV"), 0);
    EXPECT_EQ(drive.Requests().back().frame, std::string("\x02"
                                                         "01#MV:1\x03"));
    Ack(10, "MV");
    EXPECT_EQ(drive.Requests().back().frame, Framed("0A#MV:"));
    std::string reply;
    link()->DumbTerminalMsg(10, "VER", reply);
    EXPECT_EQ(drive.Requests().back().frame, Framed("0AVER:"));
    EXPECT_EQ(reply, Framed("0AVER:"));
}

TEST_P(CommandLinkTest, RefusesBeforeWriting) {
    EXPECT_EQ(Ack(1, std::string(400, 'A')), 0);
    EXPECT_COMM_ERROR(Ack(1, std::string(401, 'A')), ZRCommError::ProtocolError,
                      "Message to be sent to Node is too long");
    EXPECT_COMM_ERROR(UntilTok(1, std::string(200, 'A'), std::string(201, '0')), ZRCommError::ProtocolError,
                      "Message to be sent to Node is too long");
    for (short node : {0, 256, -1})
        EXPECT_COMM_ERROR(Ack(node, "MV"), ZRCommError::ProtocolError,
                          std::to_string(node) + " is not a valid node number");
    EXPECT_COMM_ERROR(link()->RefreshNode(0x100), ZRCommError::ProtocolError, "0 is not a valid node number");
    EXPECT_EQ(drive.RequestCount(), 1u);
    link()->Init(nullptr);
    std::string reply;
    EXPECT_COMM_ERROR(Ack(1, "MV"), ZRCommError::NotInitialized,
                      "Datalink is not initialized for communication.");
    EXPECT_COMM_ERROR(link()->RefreshNode(1), ZRCommError::NotInitialized,
                      "Datalink is not initialized for communication.");
    EXPECT_COMM_ERROR(link()->DumbTerminalMsg(1, "X", reply), ZRCommError::NotInitialized,
                      "Datalink is not initialized for communication.");
}

TEST_P(CommandLinkTest, StatusAnswers) {
    MakeActive();
    struct Case {
        uint8_t status;
        int error;
    };
    std::vector<Case> cases = {{sym::ACK, 0}, {sym::GS, 1}, {sym::RS, 2}, {sym::US, 3}};
    if (zelna())
        cases.push_back({sym::CAN, 4});
    for (const auto& c : cases) {
        AnswerWith(CommandAnswer::Status(c.status));
        EXPECT_EQ(Ack(1, "EN"), c.error) << int(c.status);
        EXPECT_TRUE(link()->IsNodeActive(1));
    }
    // Noise before the status is skipped.
    drive.SetHandler({});
    drive.Misbehave(Fault::Garbage);
    drive.SetByteDelay(std::chrono::microseconds(0));
    size_t before = drive.RequestCount();
    EXPECT_EQ(Ack(1, "EN"), 0);
    EXPECT_EQ(drive.RequestCount(), before + 2) << "noise alone ends in silence and a second try";
}

TEST_P(CommandLinkTest, RetryStatusIsTriedThreeTimesOnAnActiveNode) {
    const int exhausted = zelna() ? 6 : 5;
    EXPECT_EQ(Ack(1, "EN"), 0);
    drive.MisbehaveStatus(RetryStatus());
    EXPECT_EQ(Ack(1, "EN"), exhausted) << "inactive node: one try";
    EXPECT_EQ(drive.RequestCount(), 2u);

    MakeActive();
    drive.MisbehaveStatus(RetryStatus());
    EXPECT_EQ(Ack(1, "EN"), 0);
    EXPECT_EQ(drive.RequestCount(), 5u);
    drive.MisbehaveStatus(RetryStatus(), 3);
    EXPECT_EQ(Ack(1, "EN"), exhausted);
    EXPECT_EQ(drive.RequestCount(), 8u);
    EXPECT_TRUE(link()->IsNodeActive(1));
}

TEST_P(CommandLinkTest, SilenceIsTriedThreeTimesThenTheNodeIsLost) {
    MakeActive();
    FakeClock fast(10);
    drive.Misbehave(Fault::Silent, 3);
    uint32_t start = fast.Now();
    EXPECT_COMM_ERROR(Ack(1, "EN"), ZRCommError::NoResponse, "No response from drive");
    EXPECT_GE(Elapsed(start, fast.Now()), 3 * 200);
    EXPECT_EQ(drive.RequestCount(), 1u + 3);
    EXPECT_FALSE(link()->IsNodeActive(1));
    drive.Misbehave(Fault::Silent);
    std::string reply;
    EXPECT_COMM_ERROR(Response(1, "MV", reply), ZRCommError::NoResponse, "No response from drive");
    EXPECT_EQ(drive.RequestCount(), 1u + 3 + 1);
}

TEST_P(CommandLinkTest, TextReplies) {
    // Nine characters are too few for a frame.
    AnswerWith(CommandAnswer::Text("#MV"));
    std::string reply;
    EXPECT_COMM_ERROR(Response(1, "MV", reply), ZRCommError::ProtocolError, "Bad response from the drive");
    const struct {
        std::string text, reply;
    } cases[] = {
        {"#MV 1234", "1234"}, {"#MV 12:34", "12"}, {"#MVX", ""}, {"#BSY", "BSY"}, {"#XXTOK 5", "XXTOK 5"},
    };
    for (const auto& c : cases) {
        AnswerWith(CommandAnswer::Text(c.text));
        std::string reply = "old";
        EXPECT_EQ(Response(1, "MV", reply), 0) << c.text;
        EXPECT_EQ(reply, c.reply) << c.text;
    }
}

TEST_P(CommandLinkTest, BadTextReplies) {
    MakeActive();
    AnswerWith(CommandAnswer::Text("#MV 1234"));
    std::string reply;
    drive.Misbehave(Fault::ShortFrame);
    EXPECT_COMM_ERROR(Response(1, "MV", reply), ZRCommError::ProtocolError, "Bad response from the drive");

    // Zelna asks again after a wrong checksum; Fenwa gives up at once.
    drive.Misbehave(Fault::BadChecksum);
    size_t before = drive.RequestCount();
    if (zelna()) {
        EXPECT_EQ(Response(1, "MV", reply), 0);
        EXPECT_EQ(reply, "1234");
        EXPECT_EQ(drive.RequestCount(), before + 2);
        drive.Misbehave(Fault::BadChecksum, 3);
        EXPECT_EQ(Response(1, "MV", reply), ZelnaComm::ChecksumError);
    } else {
        EXPECT_COMM_ERROR(Response(1, "MV", reply), ZRCommError::ProtocolError,
                          "Bad response from the drive");
        EXPECT_EQ(drive.RequestCount(), before + 1);
    }
}

TEST_P(CommandLinkTest, StatusByteWhereATextReplyWasExpected) {
    struct Case {
        uint8_t status;
        int error; // -1: bad response
    };
    std::vector<Case> cases;
    if (zelna())
        cases = {{sym::ACK, 5}, {sym::US, 3}, {sym::GS, 1}, {sym::RS, 2}, {sym::CAN, -1}};
    else
        cases = {{sym::ACK, 4}, {sym::US, 3}, {sym::GS, 1}, {sym::SI, -1}};
    for (const auto& c : cases) {
        AnswerWith(CommandAnswer::Status(c.status));
        std::string reply;
        if (c.error < 0)
            EXPECT_COMM_ERROR(Response(1, "MV", reply), ZRCommError::ProtocolError,
                              "Bad response from the drive");
        else
            EXPECT_EQ(Response(1, "MV", reply), c.error) << int(c.status);
    }
    if (zelna()) {
        drive.SetHandler({});
        MakeActive();
        AnswerWith(CommandAnswer::Text("#MV 7"));
        drive.MisbehaveStatus(sym::NAK);
        std::string reply;
        EXPECT_EQ(Response(1, "MV", reply), 0);
        EXPECT_EQ(reply, "7");
    }
}

TEST_P(CommandLinkTest, LongCommandIsPolledUntilDone) {
    drive.SetLongCommand("SV", 2);
    EXPECT_EQ(UntilTok(1, "SV", "0042"), 0);
    auto requests = drive.Requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0].command, "SV0042");
    for (size_t i = 1; i < 4; ++i)
        EXPECT_EQ(requests[i].command, "SV");

    AnswerWith(CommandAnswer::Status(sym::GS));
    EXPECT_EQ(UntilTok(1, "SV", "0042"), 1);

    // After the acknowledgement only BSY or TOK will do.
    drive.SetHandler([](const CommandRequest& r) {
        return std::optional<CommandAnswer>(r.command == "SV" ? CommandAnswer::Text("#DONE")
                                                              : CommandAnswer::Status(sym::ACK));
    });
    EXPECT_COMM_ERROR(UntilTok(1, "SV", "1"), ZRCommError::ProtocolError, "Bad response from the drive");
    drive.SetHandler([](const CommandRequest& r) {
        return std::optional<CommandAnswer>(CommandAnswer::Status(r.command == "SV" ? sym::US : sym::ACK));
    });
    EXPECT_COMM_ERROR(UntilTok(1, "SV", "1"), ZRCommError::ProtocolError, "Bad response from the drive");
}

TEST_P(CommandLinkTest, DriveBusyForMoreThanTwentySeconds) {
    drive.SetLongCommand("SV", 1000000);
    FakeClock clock;
    std::thread jumper([&] {
        WaitFor([&] { return drive.RequestCount() >= 4; });
        clock.Advance(20100);
    });
    EXPECT_COMM_ERROR(UntilTok(1, "SV", "1"), ZRCommError::NoResponse, "Command Timeout");
    jumper.join();
}

TEST_P(CommandLinkTest, RefreshNode) {
    link()->RefreshNode(0x101);
    EXPECT_TRUE(link()->IsNodeActive(1));
    EXPECT_EQ(drive.Requests().back().command, "LIV");

    FakeClock fast(10);
    drive.Misbehave(Fault::Silent, 3);
    link()->RefreshNode(1);
    EXPECT_FALSE(link()->IsNodeActive(1));
    EXPECT_EQ(drive.RequestCount(), 4u);

    AnswerWith(CommandAnswer::Status(sym::GS));
    EXPECT_COMM_ERROR(link()->RefreshNode(1), ZRCommError::ProtocolError, "Bad response from the drive");
}

TEST_P(CommandLinkTest, TerminalSingleByteAnswers) {
    struct Case {
        uint8_t status;
        std::string message, reply;
    };
    std::vector<Case> cases = {
        {sym::ACK, "{ACK}", ""},
        {sym::US, "{US} Invalid Command", ""},
        {sym::GS, "{GS} Drive Enabled", ""},
        {0x41, "(response not understood)", "{0x41}"},
        {0xC1, "(response not understood)", "{0xFFFFFFC1}"},
    };
    if (zelna()) {
        cases.push_back({sym::RS, "{RS} Out of Range", ""});
        cases.push_back({sym::CAN, "{CAN} Cancellation Command", ""});
        cases.push_back({sym::NAK, "{NAK} Checksum Error", ""});
    } else {
        cases.push_back({sym::RS, "(response not understood)", "{0x1E}"});
    }
    for (const auto& c : cases) {
        AnswerWith(CommandAnswer::Status(c.status));
        std::string reply = "old";
        EXPECT_COMM_ERROR(link()->DumbTerminalMsg(1, "X", reply), ZRCommError::ProtocolError, c.message);
        EXPECT_EQ(reply, c.reply) << c.message;
    }
}

TEST_P(CommandLinkTest, TerminalTimeOut) {
    FakeClock fast(20);
    drive.Misbehave(Fault::Silent);
    std::string reply;
    uint32_t start = fast.Now();
    EXPECT_COMM_ERROR(link()->DumbTerminalMsg(1, "X", reply), ZRCommError::NoResponse, "Timeout");
    EXPECT_GE(Elapsed(start, fast.Now()), 2000);
}

// A line that never goes quiet ends the terminal exchange at the reply-size limit.
TEST_P(CommandLinkTest, TerminalGivesUpOnALineThatKeepsTalking) {
    std::string reply;
    // A reply far longer than any frame, sent in one go.
    AnswerWith(CommandAnswer::Text(std::string(6000, 'A')));
    EXPECT_COMM_ERROR(link()->DumbTerminalMsg(1, "X", reply), ZRCommError::ProtocolError,
                      "Bad response from the drive");
    EXPECT_EQ(reply.size(), 4096u);
    port.Purge(true);
}

TEST_P(CommandLinkTest, TerminalReplyAtSlowBaudRatesArrivesWhole) {
    // At 1200 baud characters come more than 1 ms apart; the clock runs at a quarter speed so
    // the gaps are clear of a busy machine's delays.
    port.Init(drive.Path(), 1200);
    FakeClock slow(0.25);
    drive.SetByteDelay(std::chrono::milliseconds(8));
    std::string reply;
    link()->DumbTerminalMsg(1, "HELLO", reply);
    EXPECT_EQ(reply, Framed("01HELLO:"));
}

TEST(ZelnaComm, RawDataGoesOutUnframed) {
    wiresim::Started<wiresim::ZelnaDriveSim> drive;
    SerialComm port;
    port.Init(drive.Path(), 38400);
    ZelnaComm* zelna = ZelnaComm::Instance();
    zelna->Init(&port);
    auto error = ZelnaComm::ChecksumError;
    zelna->SendRawData(1, "S1234ABCD\r", error);
    EXPECT_EQ(error, ZelnaComm::NoError);
    EXPECT_TRUE(WaitFor([&] { return drive.RawData() == "S1234ABCD\r"; }));
    EXPECT_COMM_ERROR(zelna->SendRawData(1, std::string(401, 'S'), error), ZRCommError::ProtocolError,
                      "Message to be sent to Node is too long");
    EXPECT_COMM_ERROR(zelna->SendRawData(0, "S", error), ZRCommError::ProtocolError,
                      "0 is not a valid node number");
    ZelnaComm::DestroyInstance();
}

TEST(WirelinkSingletons, MadeOnFirstUseAndForgottenWhenDeleted) {
    NoxelComm* noxel = NoxelComm::Instance();
    EXPECT_EQ(NoxelComm::Instance(), noxel);
    delete noxel;
    EXPECT_NE(NoxelComm::Instance(), nullptr);
    NoxelComm::DestroyInstance();
    FenwaComm* fenwa = FenwaComm::Instance();
    EXPECT_EQ(FenwaComm::Instance(), fenwa);
    FenwaComm::DestroyInstance();
    FenwaComm::DestroyInstance();
    EXPECT_NE(ZelnaComm::Instance(), nullptr);
    ZelnaComm::DestroyInstance();
    EXPECT_NE(HalvoMaster::Instance(), nullptr);
    HalvoMaster::DestroyInstance();
}

} // namespace
