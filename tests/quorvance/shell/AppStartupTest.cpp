#include "AppFixture.h"

#include "kitbase/model/DBStorage.h"
#include "kitbase/model/ZRIdleController.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/SerialPorts.h"
#include "platform/ui/DockBar.h"
#include "platform/ui/HelpRequest.h"
#include "platform/ui/MainWindow.h"
#include "quorvance/shell/ZRMainFrame.h"
#include "quorvance/shell/ZRTipOfDay.h"

#include "quorvance/shell/ZRRecentFileList.h"
#include <QTextBrowser>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using platform::core::IDCANCEL;
using platform::core::IDOK;

using AppStartup = AppFixture;

namespace {
// A project file as a save writes it.
void MakeProject(const std::string& path) {
    DBStorage storage;
    storage.OpenDB(path);
    int32_t instance = 1;
    storage.Create(-181, instance);
    storage.WriteString(-181, 1, -1000, "stored name");
    storage.SaveDB();
}
} // namespace

TEST_F(AppStartup, StartsWithTheOnLineRootAndDefaultSettingsWrittenBack) {
    StartEmpty();
    ASSERT_NE(App().GetWorkspaceView(), nullptr);
    EXPECT_EQ(App().GetWorkspaceView()->ItemText(App().GetOnLineItem()), "On-Line Drives");
    EXPECT_NE(App().GetOnLineNodeMgr(), nullptr);
    EXPECT_FALSE(App().IsDatabaseOpen());
    // No Windows name: the first port of this machine, or none.
    const std::string port = platform::core::SerialPorts::First();
    EXPECT_EQ(App().GetPortName(), port);
    EXPECT_EQ(App().GetBaudRate(), 38400);
    EXPECT_EQ(App().GetParity(), 0);
    EXPECT_EQ(App().GetDataBits(), 8);
    std::string settings = ReadSettings();
    for (std::string line : {"Port=\"" + port + "\"", std::string("Baud Rate=\"38400\""),
                             std::string("Format=\"8 DATA BITS, NO PARITY\"")})
        EXPECT_NE(settings.find(line), std::string::npos) << settings;
    EXPECT_EQ(settings.find("COM1"), std::string::npos) << settings;
    EXPECT_NE(settings.find("Compile Options=\"\""), std::string::npos) << settings;
    EXPECT_TRUE(ZRGlobalDataMgr::IsStartUpComplete());
    EXPECT_EQ(ZRGlobalDataMgr::Instance()->m_HelpTopicOverride, 0u);
}

TEST_F(AppStartup, StoredSerialSettingsAreReadAndACommandLinePortIsKept) {
    WriteSettings(
        "[Tip Of Day]\nShowAtStartup=0\n[Serial Port]\nPort=\"/dev/ttyUSB0\"\nBaud Rate=\"9600 baud\"\n"
        "Format=\"7 data bits, even parity\"\n");
    {
        StartEmpty();
        EXPECT_EQ(App().GetPortName(), "/dev/ttyUSB0");
        EXPECT_EQ(App().GetBaudRate(), 9600);
        EXPECT_EQ(App().GetParity(), 2);
        EXPECT_EQ(App().GetDataBits(), 7);
        App().ExitInstance();
        m_pApp.reset();
    }
    ModalScript script;
    ExpectStartDialog(script, IDCANCEL);
    ASSERT_TRUE(Start({"/COM7"}));
    EXPECT_EQ(App().GetPortName(), "/dev/ttyS6");
    EXPECT_NE(ReadSettings().find("Port=\"/dev/ttyS6\""), std::string::npos);
}

TEST_F(AppStartup, FailuresEndWithAClearMessage) {
    {
        // A settings file with a line that cannot be read is no failure: the rest is kept.
        WriteSettings("garbage without a section or value\n[Tip Of Day]\nShowAtStartup=0\n[Serial Port]\n"
                      "Baud Rate=\"9600\"\n");
        StartEmpty();
        EXPECT_EQ(App().GetBaudRate(), 9600);
        EXPECT_EQ(ReadSettings().find("garbage"), std::string::npos);
        App().ExitInstance();
        m_pApp.reset();
        fs::remove(SettingsFile());
    }
    {
        fs::rename(Install() / "Motors.mdb", Work() / "Motors.mdb");
        ModalScript script;
        script.ExpectMessage("Error opening motor database. Exiting.", IDOK);
        EXPECT_FALSE(Start());
        App().ExitInstance();
        m_pApp.reset();
    }
    {
        // The machine settings name an install directory that is not there.
        std::ofstream(Install() / "machine.ini")
            << "INSTALL=\"/no/such/install\"\nMotorDB=\"" << (Work() / "Motors.mdb").string() << "\"\n";
        ModalScript script;
        script.ExpectMessage("Unable to initialize Quorvance. You must reinstall.", IDOK);
        EXPECT_FALSE(Start());
        EXPECT_EQ(App().GetMainWindow(), nullptr);
    }
}

TEST_F(AppStartup, CommandLineProjectIsOpenedWithItsExtension) {
    MakeProject(WorkFile("plant.qdb"));
    ASSERT_TRUE(Start({"plant"}));
    ASSERT_TRUE(App().IsDatabaseOpen());
    EXPECT_EQ(App().GetProjectPath(), WorkFile("plant.qdb"));
    EXPECT_NE(ReadSettings().find("LastOpenFile=\"" + WorkFile("plant.qdb") + "\""), std::string::npos);
    ASSERT_EQ(App().GetRecentFileList()->GetCount(), 1);
    EXPECT_EQ((*App().GetRecentFileList())[0], WorkFile("plant.qdb"));
}

TEST_F(AppStartup, MissingCommandLineProjectIsReportedAndTheStartDialogFollows) {
    ModalScript script;
    script.ExpectMessage("The database file " + WorkFile("plant.bak.qdb") + " does not exist.", IDOK);
    ExpectStartDialog(script, IDCANCEL);
    ASSERT_TRUE(Start({"plant.bak"}));
    EXPECT_FALSE(App().IsDatabaseOpen());
}

TEST_F(AppStartup, StartDialogOpensTheLastFileOrForgetsIt) {
    MakeProject(WorkFile("last.qdb"));
    WriteSettings("LastOpenFile=\"" + WorkFile("last.qdb") + "\"\n[Tip Of Day]\nShowAtStartup=0\n");
    {
        ModalScript script;
        script.Expect(platform::core::ModalKind::Dialog, "Quorvance", [](platform::core::ModalRequest& r) {
            auto* dialog = static_cast<platform::ui::Dialog*>(r.dialog);
            // The last file is offered first and preselected.
            EXPECT_EQ(dialog->GetItemText(1056), "Open Last File: last.qdb");
            EXPECT_EQ(dialog->GetCheck(1056), 1);
            dialog->ClickButton(IDOK);
            return dialog->Result();
        });
        ASSERT_TRUE(Start());
        EXPECT_TRUE(App().IsDatabaseOpen());
        App().ExitInstance();
        m_pApp.reset();
    }
    fs::remove(WorkFile("last.qdb"));
    {
        ModalScript script;
        ExpectStartDialog(script, IDOK, 0);
        script.ExpectMessage("The database file " + WorkFile("last.qdb") + " does not exist.", IDOK);
        ASSERT_TRUE(Start());
        EXPECT_FALSE(App().IsDatabaseOpen());
        EXPECT_NE(ReadSettings().find("LastOpenFile=\"\""), std::string::npos);
        App().ExitInstance();
        m_pApp.reset();
    }
    {
        // Without a last file the first choice is off and "Open existing file..." is preselected.
        ModalScript script;
        script.Expect(platform::core::ModalKind::Dialog, "Quorvance", [](platform::core::ModalRequest& r) {
            auto* dialog = static_cast<platform::ui::Dialog*>(r.dialog);
            EXPECT_FALSE(dialog->IsItemEnabled(1056));
            EXPECT_EQ(dialog->GetCheck(1057), 1);
            dialog->SetCheck(1058, 1);
            dialog->ClickButton(IDOK);
            return dialog->Result();
        });
        ASSERT_TRUE(Start());
        ASSERT_TRUE(App().IsDatabaseOpen());
        EXPECT_EQ(App().GetOffLineRoot()->GetName().GetAsString(), "Unsaved");
    }
}

TEST_F(AppStartup, BatchModeRunsInPlaceOfTheWindowsAndReportsItsFailure) {
    testing::internal::CaptureStdout();
    EXPECT_FALSE(Start({"/TarvikFW", "/MerrixFW", "fw.hex"}));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Firmware load failed.\n");
    EXPECT_TRUE(App().RanBatchMode());
    EXPECT_EQ(App().GetMainWindow(), nullptr);
    EXPECT_EQ(App().ExitInstance(), 1);
    m_pApp.reset();
}

TEST_F(AppStartup, ExitLetsGoOfEverythingInOrder) {
    ModalScript script;
    ExpectStartDialog(script, IDOK, 2);
    ASSERT_TRUE(Start());
    ASSERT_TRUE(App().IsDatabaseOpen());
    std::string workingCopy = App().GetWorkingCopyName();
    std::string temp = ZRGlobalDataMgr::Instance()->GetTempDir();
    EXPECT_TRUE(fs::exists(workingCopy));
    EXPECT_TRUE(fs::is_directory(temp));
    App().SetLineNumbers(false);

    // The unsaved project is dropped without a question: the main frame asked before.
    EXPECT_EQ(App().ExitInstance(), 0);
    EXPECT_FALSE(fs::exists(workingCopy));
    EXPECT_FALSE(fs::exists(temp));
    EXPECT_EQ(ZRGlobalDataMgr::m_pInstance, nullptr);
    EXPECT_EQ(ZRIdleController::m_pInstance, nullptr);
    EXPECT_EQ(App().GetProjectStorage(), nullptr);
    EXPECT_NE(ReadSettings().find("[Line Numbers]\nShow=0"), std::string::npos);
    m_pApp.reset();
}

TEST_F(AppStartup, IdleGivesTheFrameworkFiveExtraRoundsThenTicksTheSubscribers) {
    StartEmpty();
    struct Counter : platform::core::Observer {
        int ticks = 0;
        void OnUpdate(platform::core::Subject*, platform::core::Message*) override { ++ticks; }
    } counter;
    ZRIdleController::Instance()->AddObserver(&counter);
    App().m_bFrameworkWantsIdle = true;
    for (long round = 0; round < 5; ++round)
        EXPECT_TRUE(App().OnIdle(round));
    EXPECT_EQ(counter.ticks, 0);
    // The sixth round goes to the subscribers, who still want time.
    EXPECT_TRUE(App().OnIdle(5));
    EXPECT_EQ(counter.ticks, 1);
    ZRIdleController::Instance()->RemoveObserver(&counter);
    App().m_bFrameworkWantsIdle = false;
    EXPECT_FALSE(App().OnIdle(0));
    EXPECT_EQ(counter.ticks, 1);
}

TEST_F(AppStartup, IdleHidesTheMotionBarWithoutAProgramWindowAndKeepsTheUsersChoice) {
    StartEmpty();
    ZRMainFrame* frame = App().GetMainFrame();
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->GetMotionBar(), nullptr);
    frame->GetMotionBar()->ShowBar(true);
    ASSERT_TRUE(frame->GetMotionBar()->IsBarShown());
    App().OnIdle(0);
    EXPECT_FALSE(frame->GetMotionBar()->IsBarShown());
    EXPECT_FALSE(ZRGlobalDataMgr::Instance()->GetHideMotionCmds());
}

TEST_F(AppStartup, WindowPlacementIsSavedAndRestoredUnlessOffScreen) {
    StartEmpty();
    App().GetMainWindow()->setGeometry(40, 50, 640, 480);
    App().SaveWindowPlacement();
    std::string settings = ReadSettings();
    EXPECT_NE(settings.find("rcNormalPosition.right="), std::string::npos);
    App().GetMainWindow()->setGeometry(0, 0, 300, 200);
    ASSERT_TRUE(App().RestoreWindowPlacement());
    EXPECT_EQ(App().GetMainWindow()->geometry().size(), QSize(640, 480));

    ZRGlobalDataMgr::Instance()->OpenUserSection("Window Placement");
    ZRGlobalDataMgr::Instance()->GetUserKey().SetDwordValue("rcNormalPosition.left", 100000);
    ZRGlobalDataMgr::Instance()->GetUserKey().SetDwordValue("rcNormalPosition.right", 100640);
    EXPECT_FALSE(App().RestoreWindowPlacement());
}

TEST_F(AppStartup, TipOfTheDayAtStartUpKeepsItsPlace) {
    std::ofstream(Install() / "Quorvance.tip") << "First tip\nSecond tip\nThird tip\n";
    WriteSettings("[Tip Of Day]\nCurrentTip=1\n");
    ModalScript script;
    ExpectStartDialog(script, IDCANCEL);
    unsigned long help = 0;
    script.Expect(platform::core::ModalKind::Dialog, "Tip of the Day", [&](platform::core::ModalRequest& r) {
        auto* dialog = static_cast<platform::ui::Dialog*>(r.dialog);
        help = ZRGlobalDataMgr::Instance()->m_HelpTopicOverride;
        // It starts after the tip shown last time; the user turns it off for later starts.
        EXPECT_EQ(dialog->GetItemText(ZRTipOfDay::IDC_TIP), "Second tip");
        dialog->SetCheck(ZRTipOfDay::IDC_SHOW_AT_STARTUP, 0);
        dialog->ClickButton(IDOK);
        return dialog->Result();
    });
    ASSERT_TRUE(Start());
    EXPECT_EQ(help, 1109u);
    std::string settings = ReadSettings();
    EXPECT_NE(settings.find("CurrentTip=2"), std::string::npos) << settings;
    EXPECT_NE(settings.find("ShowAtStartup=0"), std::string::npos) << settings;
}

TEST_F(AppStartup, HelpOpensTheTopicPageOrSaysItIsMissing) {
    StartEmpty();
    fs::create_directories(Install() / "help");
    std::ofstream(Install() / "help" / "1110.html") << "<html><body>Opening a project</body></html>";
    platform::ui::ShowHelp(1110, platform::ui::HELP_CONTEXT);
    auto browsers = App().GetMainWindow()->findChildren<QTextBrowser*>();
    ASSERT_EQ(browsers.size(), 1);
    EXPECT_TRUE(browsers[0]->toPlainText().contains("Opening a project"));

    // A dialog's own topic wins over the one asked for; a missing page says so.
    ZRGlobalDataMgr::Instance()->m_HelpTopicOverride = 4242;
    platform::ui::ShowHelp(1110, platform::ui::HELP_CONTEXT);
    ZRGlobalDataMgr::Instance()->m_HelpTopicOverride = 0;
    EXPECT_TRUE(browsers[0]->toPlainText().contains("There is no help page for topic 4242."));
}

TEST_F(AppStartup, AMissingHelpPageNamesTheTopicNotTheInstallPath) {
    StartEmpty();
    const std::vector<std::pair<unsigned, std::string>> cases = {
        {platform::ui::HELP_CONTEXT, "There is no help page for topic 4243."},
        {platform::ui::HELP_CONTENTS, "The help contents are missing."},
    };
    for (const auto& [command, text] : cases) {
        platform::ui::ShowHelp(4243, command);
        auto browsers = App().GetMainWindow()->findChildren<QTextBrowser*>();
        ASSERT_EQ(browsers.size(), 1);
        EXPECT_EQ(browsers[0]->toPlainText().toStdString(), text);
    }
}
