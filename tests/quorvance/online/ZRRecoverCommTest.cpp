// "Recover Communications" on a pseudo-terminal: a lone drive that lost its settings is found at the
// recovery node while the line runs at 9600 8N1, gets new settings, and the PC follows.
#include "RunEvents.h"
#include "quorvance/shell/FrameFixture.h"

#include "kitbase/model/ZRIdleController.h"
#include "platform/core/Text.h"
#include "platform/ui/Events.h"
#include "quorvance/online/OnlineCommands.h"
#include "quorvance/online/ZROnLine.h"
#include "quorvance/online/ZRRCCommSetup.h"
#include "quorvance/online/ZRRCScanning.h"
#include "quorvance/online/ZRRecoverComm.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "tests/support/wire/TarvikDriveSim.h"
#include "tests/support/wire/TarvikRecoveryPlay.h"

#include <chrono>
#include <functional>
#include <string>

namespace {

using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::core::ModalKind;
using platform::core::ModalRequest;
using platform::ui::PropertySheet;
using wiresim::PtySimulator;
using wiresim::Started;
using wiresim::TarvikDriveSim;
using wiresim::TarvikRecoveryPlay;
using Page4 = ZRRCCommSetup;

constexpr uint8_t kLost = TarvikRecoveryPlay::kRecoveryNode;
constexpr const char* kOldBaud = "19200";
// A pseudo-terminal runs 8 data bits without parity whatever is asked, so only the baud rate shows.
constexpr const char* kOldFormat = "8 Data Bits, No Parity";
constexpr const char* kComplete =
    "Communications Recovery complete. Use Tools/Rescan to attach to the drive.";

class RecoverComm : public FrameFixture {
protected:
    // The program on the line at 19200 8N1, with the drive of node 1 on line and the drive at the
    // recovery node lost and powered down.
    void StartOn(TarvikDriveSim& line) {
        // The drive-added notice is switched off: drives come and go here without it.
        WriteSettings("[Tip Of Day]\nShowAtStartup=0\n[Message1]\nShowMessage=0\n[Serial Port]\nPort=\"" +
                      line.Path() + "\"\nBaud Rate=\"" + kOldBaud + "\"\nFormat=\"" + kOldFormat + "\"\n");
        ASSERT_NO_FATAL_FAILURE(StartFrame());
        m_pPlay = line.FindPlay<TarvikRecoveryPlay>();
        ASSERT_NE(m_pPlay, nullptr);
        m_pPlay->SetLost(true);
        Root()->OpenSerialLink();
        ZRObject* drive = nullptr;
        std::string message;
        ASSERT_NE(Root()->GetSerialComm(), nullptr);
        ASSERT_EQ(Root()->IdentifyNode(1, drive, message, ZROnLine::TarvikFamily), ZROnLine::NothingToReport)
            << message;
        ASSERT_NE(Root()->FindDrive(1), nullptr);
    }
    ZROnLine* Root() { return App().GetOnLine(); }

    // The command, with the wizard played by `play` on the sheet, which also scripts the modals
    // that come up meanwhile and after the wizard.
    void Run(ModalScript& script, const std::function<void(ZRRecoverComm&)>& play) {
        script.Expect(ModalKind::Dialog, "Recover Communications", [&](ModalRequest& request) {
            auto& sheet = *static_cast<ZRRecoverComm*>(static_cast<platform::ui::Dialog*>(request.dialog));
            EXPECT_EQ(ZRGlobalDataMgr::Instance()->m_HelpTopicOverride, 32887u);
            play(sheet);
            EXPECT_TRUE(sheet.IsEnded()) << "the wizard stayed open";
            return sheet.Result();
        });
        EXPECT_TRUE(App().OnCommand(ID_RECOVER_COMMUNICATIONS));
        EXPECT_EQ(ZRGlobalDataMgr::Instance()->m_HelpTopicOverride, 0u);
    }

    // The event loop while the wizard is up (no idle work under a modal), until done.
    static bool WaitFor(const std::function<bool()>& done) {
        platform::ui::ModalScope modal;
        return RunEventsUntil(done, std::chrono::seconds(30));
    }
    // Next twice: the on-line drives go, the search starts; the drive is powered up and found.
    void FindLostDrive(ZRRecoverComm& sheet) {
        sheet.ClickButton(PropertySheet::ID_WIZNEXT);
        sheet.ClickButton(PropertySheet::ID_WIZNEXT);
        ASSERT_EQ(sheet.GetActiveIndex(), 2);
        m_pPlay->PowerUp(std::chrono::milliseconds(0));
        ASSERT_TRUE(WaitFor([&] { return sheet.GetActiveIndex() == 3; }));
        ASSERT_NE(sheet.GetDrive(), nullptr);
    }
    // The line as the program left it set up.
    static std::string LineOf(const PtySimulator& line) {
        PtySimulator::LineSettings s;
        EXPECT_TRUE(line.ReadLineSettings(s));
        return std::to_string(s.baud) + " " + std::to_string(s.dataBits) + s.parity;
    }
    void ExpectOldSettings(const TarvikDriveSim& line) {
        EXPECT_EQ(App().GetBaudRateText(), kOldBaud);
        // The application keeps the format text in upper case once the line has been opened.
        EXPECT_EQ(platform::core::ToUpper(App().GetFormatText()), platform::core::ToUpper(kOldFormat));
        EXPECT_EQ(LineOf(line), "19200 8N");
        EXPECT_NE(ReadSettings().find(std::string("Baud Rate=\"") + kOldBaud), std::string::npos);
    }

    TarvikRecoveryPlay* m_pPlay = nullptr;
};

} // namespace

TEST_F(RecoverComm, CancelOnTheFirstStepKeepsTheDrivesAndTheLine) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1, kLost});
    ASSERT_NO_FATAL_FAILURE(StartOn(line));
    ModalScript script;
    Run(script, [&](ZRRecoverComm& sheet) {
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        EXPECT_FALSE(sheet.IsItemEnabled(PropertySheet::ID_WIZBACK));
        // The search line is set up before the wizard shows.
        EXPECT_EQ(LineOf(line), "9600 8N");
        sheet.ClickButton(IDCANCEL);
    });
    EXPECT_NE(Root()->FindDrive(1), nullptr);
    ExpectOldSettings(line);
}

TEST_F(RecoverComm, SearchPollsUntilTheDriveAnswersAndFinishSetsDriveAndPc) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1, kLost});
    ASSERT_NO_FATAL_FAILURE(StartOn(line));
    const uint32_t firmware = line.Value(kLost, tarvik::param::kFirmwareVersionWord);
    line.SetValue(kLost, tarvik::param::kFirmwareVersionWord, 0, 0x0200); // too new: nothing attached
    // Settings nobody remembers: 2400 baud, 8 data bits with even parity, node 12.
    line.SetValue(kLost, 80, 0, 1);
    line.SetValue(kLost, 81, 0, 3);
    line.SetValue(kLost, 82, 0, 12);
    line.SetValue(kLost, tarvik::param::kEnableState, 0, 1);
    line.SetValue(kLost, tarvik::param::kDriveStatus, 0,
                  line.Value(kLost, tarvik::param::kDriveStatus) | 0x800000);
    ModalScript script;
    Run(script, [&](ZRRecoverComm& sheet) {
        sheet.ClickButton(PropertySheet::ID_WIZNEXT);
        sheet.ClickButton(PropertySheet::ID_WIZNEXT);
        EXPECT_TRUE(Root()->GetChildren().empty());
        ASSERT_EQ(sheet.GetActiveIndex(), 2);
        // Powered down: the polls go unanswered and the search goes on.
        const size_t before = line.RequestCount();
        ASSERT_TRUE(WaitFor([&] { return line.RequestCount() >= before + 3; }));
        EXPECT_EQ(sheet.GetActiveIndex(), 2);
        // Powered up: each identification result is shown, and the search goes on until a
        // drive is attached.
        script.Expect(ModalKind::MessageBox, "Firmware on node 254 is too new", [&](ModalRequest&) {
            line.SetValue(kLost, tarvik::param::kFirmwareVersionWord, 0, firmware);
            return IDOK;
        });
        m_pPlay->PowerUp(std::chrono::milliseconds(0));
        ASSERT_TRUE(WaitFor([&] { return sheet.GetActiveIndex() == 3; }));
        EXPECT_EQ(script.Remaining(), 0u);

        auto& page = *static_cast<Page4*>(sheet.GetActivePage());
        EXPECT_EQ(page.GetItemText(Page4::IDC_DRIVE_BAUD), "2400");
        EXPECT_EQ(page.GetItemText(Page4::IDC_DRIVE_FORMAT), "8 Data, Even Parity");
        EXPECT_EQ(page.GetItemText(Page4::IDC_DRIVE_ADDRESS), "12");
        EXPECT_EQ(page.GetItemText(Page4::IDC_BROADCAST_ADDRESS), "255");
        EXPECT_EQ(page.GetItemText(Page4::IDC_PC_BAUD), kOldBaud);
        EXPECT_EQ(page.GetItemText(Page4::IDC_PC_FORMAT), kOldFormat);
        page.SetItemText(Page4::IDC_DRIVE_BAUD, "4800");
        page.SetItemText(Page4::IDC_DRIVE_FORMAT, "8 Data, Odd Parity");
        page.SetItemText(Page4::IDC_DRIVE_ADDRESS, "7");
        page.SetItemText(Page4::IDC_BROADCAST_ADDRESS, "200");
        page.SetItemText(Page4::IDC_PC_BAUD, "4800");
        page.SetItemText(Page4::IDC_PC_FORMAT, "8 Data Bits, No Parity");

        // The drive is enabled: Cancel on the question keeps the wizard where it is.
        const char* question = "The drive is enabled. Drive must be disabled to continue.\nOk for Quorvance "
                               "to disable the drive and proceed?";
        script.ExpectMessage(question, IDCANCEL);
        sheet.ClickButton(PropertySheet::ID_WIZFINISH);
        EXPECT_FALSE(sheet.IsEnded());
        EXPECT_EQ(line.Value(kLost, 82), 12u);
        script.ExpectMessage(question, IDOK).ExpectMessage(kComplete, IDOK);
        sheet.ClickButton(PropertySheet::ID_WIZFINISH);
    });

    EXPECT_EQ(line.Value(kLost, tarvik::param::kEnableState), 0u);
    EXPECT_EQ(line.Value(kLost, 80), 2u);
    EXPECT_EQ(line.Value(kLost, 81), 4u);
    EXPECT_EQ(line.Value(kLost, 82), 7u);
    EXPECT_EQ(line.Value(kLost, 83), 200u);
    EXPECT_EQ(m_pPlay->Restarts(), 1);
    // The drive is for a rescan to attach; the PC runs and keeps the new settings.
    EXPECT_TRUE(Root()->GetChildren().empty());
    EXPECT_EQ(LineOf(line), "4800 8N");
    const std::string stored = ReadSettings();
    EXPECT_NE(stored.find("Baud Rate=\"4800\""), std::string::npos) << stored;
    EXPECT_NE(stored.find("Format=\"8 Data Bits, No Parity\""), std::string::npos) << stored;
}

TEST_F(RecoverComm, RefusedWriteKeepsTheLastStepAndCancelStoresNothing) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1, kLost});
    ASSERT_NO_FATAL_FAILURE(StartOn(line));
    ModalScript script;
    Run(script, [&](ZRRecoverComm& sheet) {
        ASSERT_NO_FATAL_FAILURE(FindLostDrive(sheet));
        auto& page = *static_cast<Page4*>(sheet.GetActivePage());
        page.SetItemText(Page4::IDC_DRIVE_ADDRESS, "7");
        page.SetItemText(Page4::IDC_PC_BAUD, "4800");
        line.Refuse(kLost, TarvikDriveSim::kEepromWrite, 1, 82);
        script.Expect(ModalKind::MessageBox, "", [](ModalRequest&) { return IDOK; });
        sheet.ClickButton(PropertySheet::ID_WIZFINISH);
        EXPECT_FALSE(sheet.IsEnded());
        EXPECT_EQ(sheet.GetActiveIndex(), 3);
        EXPECT_EQ(m_pPlay->Restarts(), 0);
        sheet.ClickButton(IDCANCEL);
    });
    // No success message (the script has none), the found drive is gone, the old line is back.
    EXPECT_TRUE(Root()->GetChildren().empty());
    ExpectOldSettings(line);
}

TEST_F(RecoverComm, PlaceholderIsReportedAndStopsTheSearch) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1, kLost});
    ASSERT_NO_FATAL_FAILURE(StartOn(line));
    line.SetValue(kLost, tarvik::param::kPowerUpError, 0, 52);
    ModalScript script;
    Run(script, [&](ZRRecoverComm& sheet) {
        sheet.ClickButton(PropertySheet::ID_WIZNEXT);
        sheet.ClickButton(PropertySheet::ID_WIZNEXT);
        script.ExpectMessage("The drive experienced the following powerup error", IDOK)
            .ExpectMessage("Unable to talk to drive. Power-up error or invalid firmware.", IDOK);
        m_pPlay->PowerUp(std::chrono::milliseconds(0));
        auto& scanning = *static_cast<ZRRCScanning*>(sheet.GetActivePage());
        ASSERT_TRUE(WaitFor([&] { return script.Remaining() == 0; }));
        EXPECT_FALSE(scanning.IsTimerRunning(ZRRCScanning::kTimerId));
        EXPECT_EQ(sheet.GetActiveIndex(), 2);
        EXPECT_EQ(sheet.GetDrive(), nullptr);
        sheet.ClickButton(IDCANCEL);
    });
    // The placeholder stays in the workspace.
    ZRObject* placeholder = Root()->FindDrive(kLost);
    ASSERT_NE(placeholder, nullptr);
    EXPECT_EQ(placeholder->GetClass(), tarvik::kBrokenDriveType);
}

TEST_F(RecoverComm, GoingBackLetsGoOfTheFoundDriveSoCancelDeletesNothingTwice) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1, kLost});
    ASSERT_NO_FATAL_FAILURE(StartOn(line));
    ModalScript script;
    Run(script, [&](ZRRecoverComm& sheet) {
        ASSERT_NO_FATAL_FAILURE(FindLostDrive(sheet));
        // Back to the search: it finds the drive again, in place of the first (one drive a node).
        sheet.ClickButton(PropertySheet::ID_WIZBACK);
        ASSERT_TRUE(WaitFor([&] { return sheet.GetActiveIndex() == 3; }));
        EXPECT_EQ(Root()->GetChildren().size(), 1u);
        EXPECT_EQ(sheet.GetDrive(), Root()->FindDrive(kLost));
        // Back twice: the search stops on leaving its step, and step 2 removes every drive.
        sheet.ClickButton(PropertySheet::ID_WIZBACK);
        sheet.ClickButton(PropertySheet::ID_WIZBACK);
        EXPECT_EQ(sheet.GetActiveIndex(), 1);
        auto& scanning = *static_cast<ZRRCScanning*>(sheet.GetPage(2));
        EXPECT_FALSE(scanning.IsTimerRunning(ZRRCScanning::kTimerId));
        EXPECT_TRUE(Root()->GetChildren().empty());
        EXPECT_EQ(sheet.GetDrive(), nullptr);
        sheet.ClickButton(IDCANCEL);
    });
    EXPECT_TRUE(Root()->GetChildren().empty());
    ExpectOldSettings(line);
}
