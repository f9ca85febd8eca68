// Not a check: the picture of an on-line drive's oscilloscope with a captured trace, for
// docs/screenshots (tools/screenshots).
#include "RunEvents.h"
#include "tests/quorvance/shell/FrameFixture.h"

#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRScopeServicesView.h"
#include "kitbase/ui/ZRScopeView.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "quorvance/online/OnlineCommands.h"
#include "quorvance/online/ZROnLine.h"
#include "quorvance/tarvik/ZRNoxelScope.h"
#include "quorvance/tarvik/ZRScopeNodeMgr.h"
#include "tests/support/wire/TarvikDriveSim.h"

#include <QAbstractButton>
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

using ScopeScreenshot = FrameFixture;

// The drive's "Oscilloscope" node below its item, found through the tree.
ZRScopeNodeMgr* ScopeNode(ZRWorkspaceView* tree, ZRTreeItem* drive) {
    for (ZRTreeItem* child : tree->Children(drive))
        if (auto* node = dynamic_cast<ZRScopeNodeMgr*>(tree->NodeOf(child)))
            return node;
    return nullptr;
}

// With QUORVANCE_SCOPE_SCREENSHOT naming a PNG file, under an X server (xvfb-run with
// QT_QPA_PLATFORM=xcb): the simulated drive on QUORVANCE_SCREENSHOT_PORT (or one of the test's own)
// is found by Rescan, its oscilloscope opened from the tree, channel A set to the velocity feedback
// and channel B to the position feedback, the trigger armed with the window's button, and the
// screen grabbed once the capture is plotted.
TEST_F(ScopeScreenshot, ScopeWindowWithACapturedTrace) {
    const char* target = std::getenv("QUORVANCE_SCOPE_SCREENSHOT");
    if (!target || QGuiApplication::platformName() != QStringLiteral("xcb"))
        GTEST_SKIP() << "set QUORVANCE_SCOPE_SCREENSHOT and run under an X server";
    std::optional<wiresim::Started<wiresim::TarvikDriveSim>> ownDrive;
    std::string port;
    if (const char* given = std::getenv("QUORVANCE_SCREENSHOT_PORT")) {
        port = given;
    } else {
        ownDrive.emplace(std::set<uint8_t>{1});
        port = ownDrive->Path();
    }
    WriteSettings("[Tip Of Day]\nShowAtStartup=0\n[Message1]\nShowMessage=0\n[Serial Port]\nPort=\"" + port +
                  "\"\n[ScanInfo]\nScanFenwa=0\nScanZelna=0\nScanMerrix=0\nScanTarvik=1\n"
                  "TarvikNodeFrom=1\nTarvikNodeTo=2\n");
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
    ASSERT_TRUE(RunEventsUntil([&] { return !onLine->IsScanning(); }, std::chrono::seconds(60)));
    ASSERT_EQ(App().OnLineDriveCount(), 1) << "no drive answered on " << port;

    ZRNodeMgr* root = App().GetOnLineNodeMgr();
    ASSERT_NE(root, nullptr);
    ZRWorkspaceView* tree = root->GetTree();
    ZRTreeItem* driveItem = tree->Children(root->GetNode()).front();
    tree->Expand(root->GetNode(), platform::ui::TreeExpand::Expand);
    tree->Expand(driveItem, platform::ui::TreeExpand::Expand);
    ZRScopeNodeMgr* node = ScopeNode(tree, driveItem);
    ASSERT_NE(node, nullptr) << "the drive has no oscilloscope node";
    tree->SelectItem(node->GetNode());
    QCoreApplication::processEvents();
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, tree->ItemRect(node->GetNode(), true).center());
    ASSERT_TRUE(RunEventsUntil([&] { return node->GetScopeFrame() && node->GetScopeFrame()->isVisible(); },
                               std::chrono::seconds(30)));
    node->GetScopeFrame()->showMaximized();

    auto* scope = dynamic_cast<ZRNoxelScope*>(node->GetModel());
    ASSERT_NE(scope, nullptr);
    scope->GetInputSignal(0)->SetValue(22); // Velocity Feedback
    scope->GetInputSignal(1)->SetValue(7);  // Position Feedback
    auto* arm = dynamic_cast<QAbstractButton*>(
        node->GetScopeView()->GetScopeServicesView()->Item(static_cast<int>(IDC_ARM_TRIGGER)));
    ASSERT_NE(arm, nullptr);
    QTest::mouseClick(arm, Qt::LeftButton);
    ASSERT_TRUE(RunEventsUntil([&] { return scope->ChannelValid(0) && scope->ChannelValid(1); },
                               std::chrono::seconds(30)))
        << "no capture was plotted";
    QTest::qWait(1500);
    const QPixmap shot = screen->grabWindow(0);
    EXPECT_TRUE(shot.save(QString::fromLocal8Bit(target)));
}

} // namespace
