// "Upgrade Firmware..." in the running program: the drive's pop-up menu opens the dialog through the
// application while drives are on line.
#include "quorvance/shell/FrameFixture.h"

#include "kitbase/model/ZRIdleController.h"
#include "quorvance/online/OnlineCommands.h"
#include "quorvance/online/ZRFWUpgrade.h"
#include "quorvance/online/ZROnLine.h"
#include "tests/support/wire/TarvikDriveSim.h"

#include <QApplication>
#include <QContextMenuEvent>

using platform::core::IDCANCEL;
using platform::core::ModalKind;
using wiresim::Started;
using wiresim::TarvikDriveSim;
using D = ZRFWUpgrade;

namespace {

class FWUpgradeRoad : public FrameFixture {};

} // namespace

// The command goes past the drive's node, which does not run it, to the application.
TEST_F(FWUpgradeRoad, DriveMenuOpensTheDialogWhileDrivesAreOnLine) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    line.SetText(1, 6, "Axis 5");
    ASSERT_NO_FATAL_FAILURE(StartFrame());
    const platform::ui::CommandRouter& router = Frame()->Router();
    EXPECT_FALSE(router.Query(ID_UPGRADE_FIRMWARE).enabled);
    ZROnLine* online = App().GetOnLine();
    online->SetLinkSettingsSource([path = line.Path()] {
        ZRLinkSettings link;
        link.port = path;
        return link;
    });
    ZRScanSettings& scan = online->GetScanSettings();
    scan.scanFenwa = scan.scanZelna = scan.scanMerrix = 0;
    scan.tarvikFrom = scan.tarvikTo = 1;
    {
        ModalScript script;
        ExpectDriveAdded(script, "Axis 5");
        online->Refresh();
        for (int tick = 0; tick < 10 && online->IsScanning(); ++tick)
            ZRIdleController::Instance()->DoIdle();
    }
    ZRObject* drive = online->FindDrive(1);
    ASSERT_NE(drive, nullptr);
    EXPECT_TRUE(router.Query(ID_UPGRADE_FIRMWARE).enabled);
    ZRNodeMgr* node = NodeUnder(App().GetOnLineItem(), drive);
    ASSERT_NE(node, nullptr);
    EXPECT_FALSE(node->HasCommand(ID_UPGRADE_FIRMWARE));

    ModalScript script;
    script.ExpectMenu(ID_UPGRADE_FIRMWARE);
    script.Expect(ModalKind::Dialog, "Firmware Upgrade",
                  platform::ui::PressDialogButton(IDCANCEL, [](platform::ui::Dialog& d) {
                      EXPECT_EQ(d.TemplateId(), D::IDD);
                      EXPECT_EQ(d.GetItems(D::IDC_DRIVES), std::vector<std::string>{"Axis 5"});
                  }));
    ZRWorkspaceView* tree = App().GetWorkspaceView();
    tree->SelectItem(node->GetNode());
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(), tree->mapToGlobal(QPoint()));
    QApplication::sendEvent(tree, &key);
}
