// Not a check: the picture of an on-line drive for docs/screenshots (tools/screenshots).
#include "OnLineShot.h"

#include "kitbase/ui/CSizableChildFrame.h"
#include "platform/ui/Application.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "quorvance/tarvik/ZRPreset.h"

#include <chrono>

namespace {

constexpr uint32_t kStandardDrive = 0x0E, kIndexingDrive = 0x0D;

TEST_F(OnLineShot, MainWindowWithAnOnLineDrivesProperties) {
    ZRNodeMgr* drive = ScanOneDrive(kStandardDrive);
    if (!drive)
        GTEST_SKIP() << "set QUORVANCE_SCREENSHOT and run under an X server";
    DoubleClick(drive);
    ASSERT_TRUE(RunEventsUntil([&] { return drive->GetPropsFrame() && drive->GetPropsFrame()->isVisible(); },
                               std::chrono::seconds(30)))
        << "the drive's properties window did not open";
    Shoot();
}

// The properties of an indexing drive's presets (online-presets.png beside the picture asked for),
// then its indexing control panel.
TEST_F(OnLineShot, IndexingControlPanelAndPresets) {
    ZRNodeMgr* drive = ScanOneDrive(kIndexingDrive);
    if (!drive)
        GTEST_SKIP() << "set QUORVANCE_SCREENSHOT and run under an X server";
    auto* driveNode = dynamic_cast<ZRDriveNodeMgr*>(drive);
    ASSERT_NE(driveNode, nullptr);
    m_tree->Expand(drive->GetNode(), platform::ui::TreeExpand::Expand);
    ZRNodeMgr* presets = nullptr;
    for (ZRTreeItem* modes : m_tree->Children(drive->GetNode())) {
        m_tree->Expand(modes, platform::ui::TreeExpand::Expand);
        for (ZRTreeItem* item : m_tree->Children(modes))
            if (ZRNodeMgr* node = m_tree->NodeOf(item); node && dynamic_cast<ZRPreset*>(node->GetModel()))
                presets = node;
    }
    ASSERT_NE(presets, nullptr) << "no presets node under the drive";
    DoubleClick(presets);
    ASSERT_TRUE(RunEventsUntil([&] { return presets->GetPropsFrame() && presets->GetPropsFrame()->isVisible(); },
                               std::chrono::seconds(30)))
        << "the presets' properties window did not open";
    Shoot("online-presets.png");
    driveNode->DoCommand(ID_INDEXING_PANEL);
    ASSERT_TRUE(RunEventsUntil([&] { return driveNode->GetModeFrame() && driveNode->GetModeFrame()->isVisible(); },
                               std::chrono::seconds(30)))
        << "the indexing control panel did not open";
    Shoot();
}

// The motor's window of a drive: the motor choice and the motor's data.
TEST_F(OnLineShot, MotorWindow) {
    ZRNodeMgr* drive = ScanOneDrive(kStandardDrive);
    if (!drive)
        GTEST_SKIP() << "set QUORVANCE_SCREENSHOT and run under an X server";
    m_tree->Expand(drive->GetNode(), platform::ui::TreeExpand::Expand);
    ZRNodeMgr* motor = nullptr;
    for (ZRTreeItem* item : m_tree->Children(drive->GetNode()))
        if (m_tree->ItemText(item) == "Motor")
            motor = m_tree->NodeOf(item);
    ASSERT_NE(motor, nullptr) << "no motor node under the drive";
    DoubleClick(motor);
    ASSERT_TRUE(RunEventsUntil([&] { return motor->GetPropsFrame() && motor->GetPropsFrame()->isVisible(); },
                               std::chrono::seconds(30)))
        << "the motor's properties window did not open";
    Shoot();
}

} // namespace
