// The Tarvik host-command terminal against a simulated drive, typed into as a user does.
#include "quorvance/tarvik/ZRNoxelHostCmnd.h"

#include "quorvance/tarvik/TarvikCommands.h"
#include "tests/quorvance/shell/FrameFixture.h"
#include "tests/support/wire/FakeClock.h"
#include "tests/support/wire/TarvikDriveSim.h"
#include "wirelink/NoxelComm.h"
#include "wirelink/SerialComm.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace {

using D = ZRNoxelHostCmnd;

class HostCommand : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartFrame(false, false));
        port.Init(sim.Path(), 38400);
        NoxelComm::Instance()->Init(&port);
        QAction* action = MenuAction(ID_TARVIK_HOST_COMMANDS);
        ASSERT_NE(action, nullptr);
        ASSERT_TRUE(IsEnabled(ID_TARVIK_HOST_COMMANDS));
        action->trigger();
        dialog = ZRNoxelHostCmnd::ShowShared();
        ASSERT_NE(dialog, nullptr);
    }
    void TearDown() override {
        NoxelComm::DestroyInstance();
        FrameFixture::TearDown();
    }
    QLineEdit* Command() { return qobject_cast<QLineEdit*>(dialog->Item(D::IDC_COMMAND)); }
    QListWidget* History() { return qobject_cast<QListWidget*>(dialog->Item(D::IDC_HISTORY)); }
    // Clears the command field and types the text key by key.
    void Type(const std::string& text) {
        Command()->clear();
        QTest::keyClicks(Command(), QString::fromStdString(text));
    }

    wiresim::Started<wiresim::TarvikDriveSim> sim;
    SerialComm port;
    FakeClock fast{20};
    ZRNoxelHostCmnd* dialog = nullptr;
};

TEST_F(HostCommand, TheMenuShowsOneTerminalThatStaysAfterClose) {
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->Title(), "Tarvik Host Command");
    EXPECT_TRUE(dialog->ClickButton(D::IDC_CLOSE));
    EXPECT_FALSE(dialog->isVisible());
    MenuAction(ID_TARVIK_HOST_COMMANDS)->trigger();
    EXPECT_EQ(ZRNoxelHostCmnd::ShowShared(), dialog);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(HostCommand, TypingShowsTheChecksumAndSendReadsTheRawAnswer) {
    Type("01");
    Type("010020");
    EXPECT_EQ(dialog->GetItemText(D::IDC_COMMAND_CHECKSUM), wiresim::NoxelDriveSim::Checksum("010020"));
    // Only hexadecimal digits reach the field, in upper case, typed or pasted.
    Type("01x00 2z0");
    EXPECT_EQ(dialog->GetItemText(D::IDC_COMMAND), "010020");
    Command()->clear();
    QGuiApplication::clipboard()->setText("01 00\t2g0");
    Command()->paste();
    EXPECT_EQ(dialog->GetItemText(D::IDC_COMMAND), "010020");
    Type("01002a");
    EXPECT_EQ(dialog->GetItemText(D::IDC_COMMAND), "01002A");

    Type("010020");
    ASSERT_TRUE(dialog->ClickButton(D::IDC_SEND));
    // Node, the echoed request head and the data (firmware 307); the checksum apart.
    EXPECT_EQ(dialog->GetItemText(D::IDC_RESPONSE), "0100200133");
    EXPECT_EQ(dialog->GetItemText(D::IDC_RESPONSE_CHECKSUM), wiresim::NoxelDriveSim::Checksum("0100200133"));
    EXPECT_EQ(sim.RequestCount(), 1u);
}

TEST_F(HostCommand, FailuresShowInTheResponseAndTheHistoryKeepsEveryCommand) {
    const struct {
        const char* command;
        std::function<void()> before;
        std::string response;
    } cases[] = {
        // Node digits only: an empty request, refused before anything is sent.
        {"01", [] {}, " Message to be sent to Node is too long"},
        // A drive that stays silent: what came, a blank and the reason.
        {"020020", [] {}, " No response from drive"},
        {"010020", [this] { sim.PullCable(); }, " No response from drive"},
    };
    for (const auto& c : cases) {
        c.before();
        Type(c.command);
        ASSERT_TRUE(dialog->ClickButton(D::IDC_SEND)) << c.command;
        EXPECT_EQ(dialog->GetItemText(D::IDC_RESPONSE), c.response) << c.command;
        EXPECT_EQ(dialog->GetItemText(D::IDC_RESPONSE_CHECKSUM), "") << c.command;
        EXPECT_TRUE(dialog->isVisible());
    }
    ASSERT_EQ(History()->count(), 3);
    EXPECT_EQ(History()->item(0)->text(), "010020"); // newest first
    EXPECT_EQ(History()->item(2)->text(), "01");

    // A double click on a line takes it back into the command field.
    sim.PlugCable();
    History()->setCurrentRow(1);
    QListWidgetItem* line = History()->item(1);
    emit History()->itemDoubleClicked(line);
    EXPECT_EQ(dialog->GetItemText(D::IDC_COMMAND), "020020");
    EXPECT_EQ(dialog->GetItemText(D::IDC_COMMAND_CHECKSUM), wiresim::NoxelDriveSim::Checksum("020020"));
}

} // namespace
