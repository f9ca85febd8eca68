// A simulated drive found by Rescan in the running program, shown full screen, and pictures of it
// for docs/screenshots (tools/screenshots). Not a check.
#pragma once

#include "RunEvents.h"
#include "tests/quorvance/shell/FrameFixture.h"

#include "kitbase/ui/ZRWorkspaceView.h"
#include "quorvance/online/OnlineCommands.h"
#include "quorvance/online/ZROnLine.h"
#include "tests/support/wire/TarvikDriveSim.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <string>

// With the target variable (QUORVANCE_SCREENSHOT unless given) naming a PNG file, under an X server
// (xvfb-run with QT_QPA_PLATFORM=xcb): the serial port is set to QUORVANCE_SCREENSHOT_PORT (a
// simulated drive's pseudo-terminal; without it the test serves drive 1 itself, of the product type
// when one is given), Rescan finds the drive, and the main window is shown full screen. The drive's
// node; null when the shot is not asked for.
class OnLineShot : public FrameFixture {
protected:
    ZRNodeMgr* ScanOneDrive(std::optional<uint32_t> productType = {},
                            const char* targetVariable = "QUORVANCE_SCREENSHOT") {
        const char* target = std::getenv(targetVariable);
        if (!target || QGuiApplication::platformName() != QStringLiteral("xcb"))
            return nullptr;
        m_target = target;
        std::string port;
        if (const char* given = std::getenv("QUORVANCE_SCREENSHOT_PORT")) {
            port = given;
        } else {
            m_ownDrive.emplace(std::set<uint8_t>{1});
            if (productType)
                m_ownDrive->SetValue(1, 0, 0, *productType);
            port = m_ownDrive->Path();
        }
        // The port as Tools > Serial Port keeps it; the scan range as Rescan Options keeps it (Tarvik
        // nodes 1 and 2 only, so the shot does not wait out the other families' time-outs); the notes
        // on a found drive and on the indexing panel silenced, as their "Don't show this message
        // again" does.
        WriteSettings("[Tip Of Day]\nShowAtStartup=0\n[Message1]\nShowMessage=0\n[Message2]\nShowMessage=0\n"
                      "[Serial Port]\nPort=\"" +
                      port +
                      "\"\n[ScanInfo]\nScanFenwa=0\nScanZelna=0\nScanMerrix=0\nScanTarvik=1\n"
                      "TarvikNodeFrom=1\nTarvikNodeTo=2\n");
        // A drive needs the motor catalogue of the build, not the fixture's empty one.
        std::filesystem::copy_file(
            QCoreApplication::applicationDirPath().toStdString() + "/../share/quorvance/Motors.mdb",
            Install() / "Motors.mdb", std::filesystem::copy_options::overwrite_existing);
        EXPECT_NO_FATAL_FAILURE(StartFrame(true, true));
        m_screen = QGuiApplication::primaryScreen();
        Frame()->setGeometry(m_screen->geometry());
        Frame()->show();

        QAction* rescan = MenuAction(ID_RESCAN);
        EXPECT_TRUE(rescan && IsEnabled(ID_RESCAN));
        if (!rescan)
            return nullptr;
        rescan->trigger();
        ZROnLine* onLine = App().GetOnLine();
        EXPECT_TRUE(RunEventsUntil([&] { return !onLine->IsScanning(); }, std::chrono::seconds(60)))
            << "the scan of " << port << " did not end";
        EXPECT_EQ(App().OnLineDriveCount(), 1) << "no drive answered on " << port;

        ZRNodeMgr* root = App().GetOnLineNodeMgr();
        m_tree = root ? root->GetTree() : nullptr;
        if (!m_tree || m_tree->Children(root->GetNode()).size() != 1u)
            return nullptr;
        m_tree->Expand(root->GetNode(), platform::ui::TreeExpand::Expand);
        return m_tree->NodeOf(m_tree->Children(root->GetNode()).front());
    }
    // Double-clicks the node's tree item, as a user opens its properties.
    void DoubleClick(ZRNodeMgr* node) {
        m_tree->SelectItem(node->GetNode());
        QCoreApplication::processEvents();
        QTest::mouseDClick(m_tree->viewport(), Qt::LeftButton, {},
                           m_tree->ItemRect(node->GetNode(), true).center());
    }
    // Painted, with the values read: the picture asked for, or another of that name beside it.
    void Shoot(const std::string& besideTarget = {}) {
        QTest::qWait(1500);
        const QPixmap shot = m_screen->grabWindow(0);
        const std::string path =
            besideTarget.empty() ? m_target
                                 : (std::filesystem::path(m_target).parent_path() / besideTarget).string();
        EXPECT_TRUE(shot.save(QString::fromStdString(path)));
    }

    ZRWorkspaceView* m_tree = nullptr;

private:
    std::optional<wiresim::Started<wiresim::TarvikDriveSim>> m_ownDrive;
    std::string m_target;
    QScreen* m_screen = nullptr;
};
