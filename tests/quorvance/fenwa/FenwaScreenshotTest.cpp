// Not a check: the picture of an on-line Fenwa drive's properties for docs/screenshots
// (tools/screenshots).
#include "tests/quorvance/online/RunEvents.h"
#include "tests/quorvance/shell/FrameFixture.h"

#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/ZRGroupRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "quorvance/fenwa/FenwaNodeMgr.h"
#include "quorvance/online/OnlineCommands.h"
#include "quorvance/online/ZROnLine.h"
#include "tests/support/wire/FakeClock.h"
#include "tests/support/wire/FenwaDriveSim.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>

namespace {

using namespace std::chrono_literals;

constexpr int kOperationModes = 0x000, kCurrentBias = 0x196, kManualVelocityLimit = 0x0D4;

// Not a check: with QUORVANCE_SCREENSHOT naming a PNG file, under an X server (xvfb-run with
// QT_QPA_PLATFORM=xcb), a Fenwa drive the test serves is found by Rescan in the running program and
// its properties window is shown full screen for docs/screenshots (tools/screenshots).
class FenwaShot : public FrameFixture {
protected:
    wiresim::Started<wiresim::FenwaDriveSim> m_Drive{std::set<uint8_t>{1}};
    FakeClock m_Fast{20};
};

TEST_F(FenwaShot, PropertiesOfAnOnLineFenwaDrive) {
    const char* target = std::getenv("QUORVANCE_SCREENSHOT");
    if (!target || QGuiApplication::platformName() != QStringLiteral("xcb"))
        GTEST_SKIP() << "set QUORVANCE_SCREENSHOT and run under an X server";
    // A drive that has been set up: values of its own, not the power-up ones.
    m_Drive.SetParameter(1, kOperationModes, "0008");
    m_Drive.SetParameter(1, kCurrentBias, "FFF6");
    m_Drive.SetParameter(1, kManualVelocityLimit, "0BB8");
    WriteSettings("[Tip Of Day]\nShowAtStartup=0\n[Message1]\nShowMessage=0\n[Message2]\nShowMessage=0\n"
                  "[Serial Port]\nPort=\"" +
                  m_Drive.Path() +
                  "\"\n[ScanInfo]\nScanFenwa=1\nScanZelna=0\nScanMerrix=0\nScanTarvik=0\n"
                  "FenwaNodeFrom=1\nFenwaNodeTo=1\n");
    std::filesystem::copy_file(QCoreApplication::applicationDirPath().toStdString() +
                                   "/../share/quorvance/Motors.mdb",
                               Install() / "Motors.mdb", std::filesystem::copy_options::overwrite_existing);
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    QScreen* screen = QGuiApplication::primaryScreen();
    Frame()->setGeometry(screen->geometry());
    Frame()->show();

    QAction* rescan = MenuAction(ID_RESCAN);
    ASSERT_NE(rescan, nullptr);
    rescan->trigger();
    ZROnLine* onLine = App().GetOnLine();
    ASSERT_TRUE(RunEventsUntil([&] { return !onLine->IsScanning(); }, 60s));
    ASSERT_EQ(App().OnLineDriveCount(), 1);
    ZRNodeMgr* root = App().GetOnLineNodeMgr();
    ASSERT_NE(root, nullptr);
    ZRWorkspaceView* tree = root->GetTree();
    ASSERT_EQ(tree->Children(root->GetNode()).size(), 1u);
    tree->Expand(root->GetNode(), platform::ui::TreeExpand::Expand);
    ZRNodeMgr* drive = tree->NodeOf(tree->Children(root->GetNode()).front());
    ASSERT_NE(dynamic_cast<FenwaNodeMgr*>(drive), nullptr);
    tree->SelectItem(drive->GetNode());
    QCoreApplication::processEvents();
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, tree->ItemRect(drive->GetNode(), true).center());
    ASSERT_TRUE(
        RunEventsUntil([&] { return drive->GetPropsFrame() && drive->GetPropsFrame()->isVisible(); }, 30s));
    // Two groups open, to show scaled values with their units.
    ZRPropertiesGrid* grid = drive->GetPropsView()->m_pPropertiesGrid;
    for (const auto& row : grid->GetRows())
        if (auto* group = dynamic_cast<ZRGroupRow*>(row.get())) {
            const std::string caption = grid->Value(group->GetRow(), 1);
            if (group->IsCollapsed() && (caption == "Velocity Limits" || caption == "Speed Functions"))
                group->OnClicked(0);
        }
    // Painted, with the values read.
    QTest::qWait(1500);
    EXPECT_TRUE(screen->grabWindow(0).save(QString::fromUtf8(target)));
}

} // namespace
