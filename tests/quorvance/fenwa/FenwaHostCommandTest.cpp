// The Fenwa host-command terminal against a simulated drive, typed into as a user does.
#include "quorvance/fenwa/FenwaHostCmnd.h"

#include "quorvance/fenwa/FenwaCommands.h"
#include "support/ModalScript.h"
#include "tests/quorvance/shell/FrameFixture.h"
#include "tests/support/wire/FakeClock.h"
#include "tests/support/wire/FenwaDriveSim.h"
#include "wirelink/FenwaComm.h"
#include "wirelink/SerialComm.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <functional>

namespace {

using D = FenwaHostCmnd;
using platform::core::IDOK;
using wiresim::CommandAnswer;
using wiresim::CommandRequest;

class FenwaHostCommand : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartFrame(false, false));
        port.Init(sim.Path(), 38400);
        FenwaComm::Instance()->Init(&port);
        QAction* action = MenuAction(ID_FENWA_HOST_COMMANDS);
        ASSERT_NE(action, nullptr);
        ASSERT_TRUE(IsEnabled(ID_FENWA_HOST_COMMANDS));
        action->trigger();
        dialog = FenwaHostCmnd::ShowShared();
        ASSERT_NE(dialog, nullptr);
    }
    void TearDown() override {
        FenwaComm::DestroyInstance();
        FrameFixture::TearDown();
    }
    QLineEdit* Command() { return qobject_cast<QLineEdit*>(dialog->Item(D::IDC_COMMAND)); }
    QListWidget* History() { return qobject_cast<QListWidget*>(dialog->Item(D::IDC_HISTORY)); }
    void Type(const std::string& text) {
        Command()->clear();
        QTest::keyClicks(Command(), QString::fromStdString(text));
    }
    void Send(const std::string& text) {
        Type(text);
        ASSERT_TRUE(dialog->ClickButton(D::IDC_SEND)) << text;
    }
    // The drive answers the terminal's frames with these bytes as they are.
    void AnswerRaw(const std::string& bytes) {
        sim.SetHandler([bytes](const CommandRequest&) -> std::optional<CommandAnswer> {
            return CommandAnswer::Raw(bytes);
        });
    }

    wiresim::Started<wiresim::FenwaDriveSim> sim;
    SerialComm port;
    FakeClock fast{20};
    FenwaHostCmnd* dialog = nullptr;
};

TEST_F(FenwaHostCommand, TheShortcutShowsOneTerminalThatStaysAfterClose) {
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->Title(), "Fenwa Host Command");
    EXPECT_EQ(MenuAction(ID_FENWA_HOST_COMMANDS)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+F11")));
    Send("01ABCD");
    EXPECT_TRUE(dialog->ClickButton(D::IDC_CLOSE));
    EXPECT_FALSE(dialog->isVisible());
    MenuAction(ID_FENWA_HOST_COMMANDS)->trigger();
    EXPECT_EQ(FenwaHostCmnd::ShowShared(), dialog);
    EXPECT_TRUE(dialog->isVisible());
    // The history and the fields survive.
    EXPECT_EQ(History()->count(), 1);
    EXPECT_EQ(dialog->GetItemText(D::IDC_COMMAND), "01ABCD");
}

// The preview is the checksum of the frame as it goes out: the node digits the link writes, the
// message and ':'.
TEST_F(FenwaHostCommand, ThePreviewIsTheChecksumTheFrameCarries) {
    const struct {
        const char* typed;
        const char* shown;
        const char* framed; // between STX and the checksum
    } cases[] = {
        {"01ABCD", "01ABCD", "01ABCD:"},
        {"02ver1", "02VER1", "02VER1:"},
        {"1GTEST", "1GTEST", "01TEST:"},
        {"0aLIV0", "0ALIV0", "0ALIV0:"},
    };
    for (const auto& c : cases) {
        Type(c.typed);
        EXPECT_EQ(dialog->GetItemText(D::IDC_COMMAND), c.shown) << c.typed;
        const std::string preview = dialog->GetItemText(D::IDC_COMMAND_CHECKSUM);
        EXPECT_EQ(preview, std::string(1, wiresim::CommandDriveSim::Checksum(c.framed))) << c.typed;
        ASSERT_TRUE(dialog->ClickButton(D::IDC_SEND)) << c.typed;
        const std::vector<CommandRequest> requests = sim.Requests();
        ASSERT_FALSE(requests.empty());
        const std::string& frame = requests.back().frame;
        EXPECT_EQ(frame.substr(1, frame.size() - 3), c.framed) << c.typed;
        EXPECT_EQ(frame.substr(frame.size() - 2, 1), preview) << c.typed;
    }
    // An empty field frames nothing.
    Command()->selectAll();
    QTest::keyClick(Command(), Qt::Key_Delete);
    EXPECT_EQ(dialog->GetItemText(D::IDC_COMMAND_CHECKSUM), "");
}

TEST_F(FenwaHostCommand, SendShowsTheReplyWithoutItsFramingAndKeepsTheHistory) {
    Send("01ABCD");
    // The simulated drive echoes a terminal frame: node digits, the message and ':'.
    EXPECT_EQ(dialog->GetItemText(D::IDC_RESPONSE), "01ABCD:");
    EXPECT_EQ(dialog->GetItemText(D::IDC_RESPONSE_CHECKSUM),
              std::string(1, wiresim::CommandDriveSim::Checksum("01ABCD:")));
    Send("02WXYZ");
    ASSERT_EQ(History()->count(), 2);
    EXPECT_EQ(History()->item(0)->text(), "02WXYZ"); // newest first

    // A double click on a line takes it back into the command field, checksum included.
    History()->setCurrentRow(1);
    emit History()->itemDoubleClicked(History()->item(1));
    EXPECT_EQ(dialog->GetItemText(D::IDC_COMMAND), "01ABCD");
    EXPECT_EQ(dialog->GetItemText(D::IDC_COMMAND_CHECKSUM),
              std::string(1, wiresim::CommandDriveSim::Checksum("01ABCD:")));
}

TEST_F(FenwaHostCommand, CommandsThatCannotBeSentSayWhy) {
    const struct {
        const char* command;
        const char* message;
        int history; // lines after it
    } cases[] = {
        {"01ABC", "Invalid Command", 0},
        {"00TEST", "Invalid Node", 1},
        {"ZZTEST", "Invalid Node", 2},
    };
    for (const auto& c : cases) {
        ModalScript script;
        script.ExpectMessage(c.message, IDOK);
        Send(c.command);
        EXPECT_EQ(History()->count(), c.history) << c.command;
    }
    EXPECT_EQ(sim.RequestCount(), 0u);
}

// Replies shorter than their framing are shown as they came; a failed exchange adds the link's
// reason after a blank.
TEST_F(FenwaHostCommand, ShortRepliesAndFailuresShowWhatCame) {
    const struct {
        const char* what;
        std::function<void()> drive;
        std::string response;
        std::string checksum;
    } cases[] = {
        {"a framed reply",
         [this] {
             AnswerRaw("\x02"
                       "A17\x03");
         },
         "A1", "7"},
        {"framing only",
         [this] {
             AnswerRaw("\x02"
                       "7\x03");
         },
         "", "7"},
        {"two bytes", [this] { AnswerRaw("\x02\x03"); }, "\x02\x03", ""},
        {"an acknowledgement", [this] { AnswerRaw("\x06"); }, " {ACK}", ""},
        // A time-out leaves what the field held.
        {"silence", [this] { sim.PullCable(); }, " {ACK} Timeout", ""},
    };
    for (const auto& c : cases) {
        c.drive();
        Send("01ABCD");
        EXPECT_EQ(dialog->GetItemText(D::IDC_RESPONSE), c.response) << c.what;
        EXPECT_EQ(dialog->GetItemText(D::IDC_RESPONSE_CHECKSUM), c.checksum) << c.what;
    }
}

} // namespace
