// Not a check: the picture of the autotuning window for docs/screenshots (tools/screenshots).
#include "../online/RunEvents.h"
#include "../shell/FrameFixture.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "quorvance/online/OnlineCommands.h"
#include "quorvance/online/ZROnLine.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "quorvance/tarvik/ZRTuning.h"
#include "quorvance/tarvik/ZRTuningNodeMgr.h"
#include "tests/support/wire/TarvikDriveSim.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>

namespace {

using TuningScreenshot = FrameFixture;

// With QUORVANCE_SCREENSHOT naming a PNG file, under an X server (xvfb-run with QT_QPA_PLATFORM=xcb):
// a simulated drive on its own line is found by Rescan, its autotuning window opens from the tuning
// node, autotune runs to its end, and the screen is grabbed.
TEST_F(TuningScreenshot, AutotuningWindowAfterARun) {
    const char* target = std::getenv("QUORVANCE_SCREENSHOT");
    if (!target || QGuiApplication::platformName() != QStringLiteral("xcb"))
        GTEST_SKIP() << "set QUORVANCE_SCREENSHOT and run under an X server";
    wiresim::Started<wiresim::TarvikDriveSim> line(std::set<uint8_t>{1});
    WriteSettings("[Tip Of Day]\nShowAtStartup=0\n[Message1]\nShowMessage=0\n[Serial Port]\nPort=\"" + line.Path() +
                  "\"\n[ScanInfo]\nScanFenwa=0\nScanZelna=0\nScanMerrix=0\nScanTarvik=1\n"
                  "TarvikNodeFrom=1\nTarvikNodeTo=1\n");
    std::filesystem::copy_file(QCoreApplication::applicationDirPath().toStdString() +
                                   "/../share/quorvance/Motors.mdb",
                               Install() / "Motors.mdb", std::filesystem::copy_options::overwrite_existing);
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    QScreen* screen = QGuiApplication::primaryScreen();
    Frame()->setGeometry(screen->geometry());
    Frame()->show();

    MenuAction(ID_RESCAN)->trigger();
    ASSERT_TRUE(RunEventsUntil([&] { return !App().GetOnLine()->IsScanning(); }, std::chrono::seconds(60)));
    ASSERT_EQ(App().OnLineDriveCount(), 1);
    ZRNodeMgr* root = App().GetOnLineNodeMgr();
    ZRWorkspaceView* tree = root->GetTree();
    ZRTreeItem* driveItem = tree->Children(root->GetNode()).front();
    auto* drive = dynamic_cast<ZRDriveNodeMgr*>(tree->NodeOf(driveItem));
    ASSERT_NE(drive, nullptr);
    ZRTuningNodeMgr* tuning = nullptr;
    for (ZRTreeItem* item : tree->Children(driveItem))
        if (auto* node = dynamic_cast<ZRTuningNodeMgr*>(tree->NodeOf(item)))
            tuning = node;
    ASSERT_NE(tuning, nullptr);
    tree->Expand(root->GetNode(), platform::ui::TreeExpand::Expand);
    tree->Expand(driveItem, platform::ui::TreeExpand::Expand);
    tree->SelectItem(tuning->GetNode());

    tuning->DoCommand(ID_AUTOTUNE_WINDOW);
    ASSERT_NE(drive->GetModeFrame(), nullptr);
    tuning->DoCommand(ID_START_AUTOTUNE);
    ZRTuning* block = tuning->GetTuning();
    ASSERT_TRUE(RunEventsUntil([&] { return block->GetAutotuneComplete()->GetValue(); }, std::chrono::seconds(30)))
        << "autotune did not end";
    // Painted, with the new gains read.
    QTest::qWait(1500);
    const QPixmap shot = screen->grabWindow(0);
    EXPECT_TRUE(shot.save(QString::fromLocal8Bit(target)));
}

} // namespace
