// Not a check: the picture of an on-line drive for docs/screenshots (tools/screenshots).
#include "RunEvents.h"
#include "tests/quorvance/shell/FrameFixture.h"

#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/ui/Application.h"
#include "quorvance/online/OnlineCommands.h"
#include "quorvance/online/ZROnLine.h"
#include "tests/support/wire/TarvikDriveSim.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>

namespace {

using OnLineScreenshot = FrameFixture;

// With QUORVANCE_SCREENSHOT naming a PNG file, under an X server (xvfb-run with QT_QPA_PLATFORM=xcb):
// the serial port is set to QUORVANCE_SCREENSHOT_PORT (a simulated drive's pseudo-terminal; without
// it the test serves drive 1 itself), Rescan finds the drive, a double-click on it opens its
// properties, and the screen is grabbed.
TEST_F(OnLineScreenshot, MainWindowWithAnOnLineDrivesProperties) {
    const char* target = std::getenv("QUORVANCE_SCREENSHOT");
    if (!target || QGuiApplication::platformName() != QStringLiteral("xcb"))
        GTEST_SKIP() << "set QUORVANCE_SCREENSHOT and run under an X server";
    std::optional<wiresim::Started<wiresim::TarvikDriveSim>> ownDrive;
    std::string port;
    if (const char* given = std::getenv("QUORVANCE_SCREENSHOT_PORT")) {
        port = given;
    } else {
        ownDrive.emplace(std::set<uint8_t>{1});
        port = ownDrive->Path();
    }
    // The port as Tools > Serial Port keeps it; the scan range as Rescan Options keeps it (Tarvik
    // nodes 1 and 2 only, so the shot does not wait out the other families' time-outs); the note
    // on a found drive silenced, as its "Don't show this message again" does.
    WriteSettings("[Tip Of Day]\nShowAtStartup=0\n[Message1]\nShowMessage=0\n[Serial Port]\nPort=\"" + port +
                  "\"\n[ScanInfo]\nScanFenwa=0\nScanZelna=0\nScanMerrix=0\nScanTarvik=1\n"
                  "TarvikNodeFrom=1\nTarvikNodeTo=2\n");
    // A drive needs the motor catalogue of the build, not the fixture's empty one.
    std::filesystem::copy_file(QCoreApplication::applicationDirPath().toStdString() +
                                   "/../share/quorvance/Motors.mdb",
                               Install() / "Motors.mdb", std::filesystem::copy_options::overwrite_existing);
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    QScreen* screen = QGuiApplication::primaryScreen();
    Frame()->setGeometry(screen->geometry());
    Frame()->show();

    QAction* rescan = MenuAction(ID_RESCAN);
    ASSERT_NE(rescan, nullptr);
    ASSERT_TRUE(IsEnabled(ID_RESCAN));
    rescan->trigger();
    ZROnLine* onLine = App().GetOnLine();
    ASSERT_TRUE(RunEventsUntil([&] { return !onLine->IsScanning(); }, std::chrono::seconds(60)))
        << "the scan of " << port << " did not end";
    ASSERT_EQ(App().OnLineDriveCount(), 1) << "no drive answered on " << port;

    ZRNodeMgr* root = App().GetOnLineNodeMgr();
    ASSERT_NE(root, nullptr);
    ZRWorkspaceView* tree = root->GetTree();
    ASSERT_EQ(tree->Children(root->GetNode()).size(), 1u);
    ZRTreeItem* item = tree->Children(root->GetNode()).front();
    ZRNodeMgr* drive = tree->NodeOf(item);
    ASSERT_NE(drive, nullptr);
    tree->Expand(root->GetNode(), platform::ui::TreeExpand::Expand);
    tree->SelectItem(item);
    QCoreApplication::processEvents();
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, tree->ItemRect(item, true).center());
    ASSERT_TRUE(RunEventsUntil([&] { return drive->GetPropsFrame() && drive->GetPropsFrame()->isVisible(); },
                               std::chrono::seconds(30)))
        << "the drive's properties window did not open";
    // Painted, with the values read.
    QTest::qWait(1500);
    const QPixmap shot = screen->grabWindow(0);
    EXPECT_TRUE(shot.save(QString::fromLocal8Bit(target)));
}

} // namespace
