// The Tarvik drive node: its menu, its control-panel window and the host control mode behind it,
// paste, and the drive commands on a simulated drive (off-line drives: ZRDriveNodeMgrOffLineTest.cpp).
#include "NodeCommands.h"
#include "TarvikScanFixture.h"

#include "kitbase/model/ZRClipboard.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/ui/CommandIds.h"
#include "quorvance/online/ZROnLineRootMgr.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "quorvance/tarvik/ZRServiceInfo.h"
#include "tests/support/wire/FakeClock.h"
#include "tests/support/wire/TarvikDriveSim.h"

#include <QCoreApplication>
#include <QMenu>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using platform::core::IDCANCEL;
using platform::core::IDNO;
using platform::core::IDOK;
using platform::core::IDYES;
using wiresim::Started;
using wiresim::TarvikDriveSim;
namespace param = tarvik::param;

constexpr int kHostControlMode = 97;
constexpr int kSercosCapable = 441;
constexpr int kDriveName = 6;
constexpr uint32_t kEnableInput = 0x80000000u; // of parameter 186
constexpr uint32_t kEnabledBit = 0x00800000u;  // of parameter 207

// A drive on node 1 of a simulated line, found by a scan under "On-Line Drives".
class DriveNodeOnLine : public TarvikScanFixture {
protected:
    void TearDown() override {
        m_View->OnDestroy();
        m_View.reset();
        ZRClipboard::Instance()->Clear();
        TarvikScanFixture::TearDown();
    }

    // The drive nodes of nodes 1 to last, in node order.
    std::vector<ZRDriveNodeMgr*> ScanNodes(TarvikDriveSim& line, int last) {
        StartScan(line, last);
        for (int node = 1; node <= last; ++node)
            ZRIdleController::Instance()->DoIdle();
        return DriveNodes<ZRDriveNodeMgr>();
    }
    ZRDriveNodeMgr* Scan(TarvikDriveSim& line) {
        ScanNodes(line, 1);
        return OnlyDrive();
    }
    static void Enable(TarvikDriveSim& line) {
        line.SetValue(1, param::kInputFunctionStates, 0, kEnableInput);
        line.SetValue(1, param::kEnableState, 0, 1);
        line.SetValue(1, param::kDriveStatus, 0, kEnabledBit);
    }
};

TEST_F(DriveNodeOnLine, DriveFoundInCurrentPanelModeGetsItsPanelBack) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    line.SetValue(1, kHostControlMode, 0, ZRDriveNodeMgr::kModeCurrentPanel);
    ZRDriveNodeMgr* node = Scan(line);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->GetMode(), ZRDriveNodeMgr::kModeCurrentPanel);
    ASSERT_NE(node->GetModeView(), nullptr);
    EXPECT_EQ(Caption(node->GetModeView()), node->GetDrive()->GetName().GetValue() + " - Current Control Panel");
    EXPECT_EQ(line.Value(1, kHostControlMode), 2u);
    // Its rows: the current command; the four commands; enabled and the two feedbacks.
    EXPECT_EQ(node->GetModeView()->m_pPropertiesGrid->GetRows().size(), 1u);
    EXPECT_EQ(node->GetModeView()->m_pServicesGrid->GetRows().size(), 4u);
    EXPECT_EQ(node->GetModeView()->m_pStatusGrid->GetRows().size(), 3u);
    // Asking again brings up the same window.
    ZRPropertiesView* view = node->GetModeView();
    node->DoCommand(ID_CURRENT_PANEL);
    EXPECT_EQ(node->GetModeView(), view);
}

TEST_F(DriveNodeOnLine, SecondPanelAsksToCloseTheFirstAndADeclinedEnabledQuestionLeavesModeNormal) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    ZRDriveNodeMgr* node = Scan(line);
    ASSERT_NE(node, nullptr);
    node->DoCommand(ID_CURRENT_PANEL);
    ASSERT_NE(node->GetModeView(), nullptr);
    EXPECT_EQ(line.Value(1, kHostControlMode), 2u);

    // Declining the close keeps the current panel.
    {
        ModalScript script;
        script.ExpectMessage("The drive is currently in Current Control Panel mode. The associated window must be "
                             "closed to continue.\nDo you wish to proceed?",
                             IDNO);
        node->DoCommand(ID_VELOCITY_PANEL);
    }
    EXPECT_EQ(node->GetMode(), ZRDriveNodeMgr::kModeCurrentPanel);

    // The panel closes first; then the enabled drive asks, and No leaves no window in mode 0.
    Enable(line);
    {
        ModalScript script;
        script.ExpectMessage("The drive is currently in Current Control Panel mode.", IDYES)
            .ExpectMessage("The drive is currently Enabled.\nThe drive will be disabled and placed in the requested "
                           "mode.\nDo you wish to proceed?",
                           IDNO);
        node->DoCommand(ID_VELOCITY_PANEL);
    }
    EXPECT_EQ(node->GetModeView(), nullptr);
    EXPECT_EQ(node->GetMode(), ZRDriveNodeMgr::kModeNormal);
    EXPECT_EQ(line.Value(1, kHostControlMode), 0u);
    EXPECT_EQ(line.Value(1, param::kEnableState), 1u);

    // Yes disables the drive and opens the panel in its mode.
    {
        ModalScript script;
        script.ExpectMessage("The drive is currently Enabled.", IDYES);
        node->DoCommand(ID_VELOCITY_PANEL);
    }
    EXPECT_EQ(node->GetMode(), ZRDriveNodeMgr::kModeVelocityPanel);
    EXPECT_EQ(line.Value(1, kHostControlMode), 1u);
    EXPECT_EQ(line.Value(1, param::kEnableState), 0u);

    // The user's close disables and returns the drive to mode 0.
    {
        ModalScript script;
        script.ExpectMessage("The drive will be software disabled. Click the enable button on the toolbar to reenable.",
                             IDOK);
        platform::ui::ChildFrame::FrameOf(node->GetModeView())->close();
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(node->GetModeView(), nullptr);
    EXPECT_EQ(line.Value(1, kHostControlMode), 0u);
}

TEST_F(DriveNodeOnLine, ModeChangedByTheDriveClosesThePanel) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    ZRDriveNodeMgr* node = Scan(line);
    ASSERT_NE(node, nullptr);
    node->DoCommand(ID_VELOCITY_PANEL);
    ASSERT_NE(node->GetModeView(), nullptr);
    line.SetValue(1, kHostControlMode, 0, 0);
    node->GetDrive()->GetHostControlMode()->Refresh(false);
    EXPECT_EQ(node->GetModeView(), nullptr);
    EXPECT_EQ(node->GetMode(), ZRDriveNodeMgr::kModeNormal);
    QCoreApplication::processEvents();
}

TEST_F(DriveNodeOnLine, ClearFaultsResetAndFactoryResetReachTheDrive) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    ZRDriveNodeMgr* node = Scan(line);
    ASSERT_NE(node, nullptr);
    FakeClock fast{50};
    const auto services = [&line] {
        std::vector<int> numbers;
        for (const std::string& request : line.Services(1))
            numbers.push_back(std::stoi(request.substr(0, 3), nullptr, 16));
        return numbers;
    };

    // The drive refuses a reset while its enable input is on.
    line.SetValue(1, param::kInputFunctionStates, 0, 0);
    line.SetValue(1, param::kFaultState, 0, 4);
    node->DoCommand(ID_CLEAR_FAULTS);
    EXPECT_EQ(services(), (std::vector<int>{111}));
    {
        ModalScript script;
        script.ExpectMessage("Are you sure you want to RESET the Drive?", IDYES);
        node->DoCommand(ID_RESET_DRIVE);
    }
    EXPECT_EQ(services(), (std::vector<int>{111, 106}));

    // Two questions; the name is read back even when the second is declined.
    line.SetText(1, kDriveName, "Renamed");
    {
        ModalScript script;
        script
            .ExpectMessage("Do you want to reset the drive parameters to factory settings and reset the drive?",
                           IDYES)
            .ExpectMessage("Are you sure you want to Reset the Personality EEPROM to factory settings?", IDNO);
        node->DoCommand(ID_FACTORY_RESET);
    }
    EXPECT_EQ(services(), (std::vector<int>{111, 106}));
    EXPECT_EQ(node->GetDrive()->GetName().GetValue(), "Renamed");

    line.SetValue(1, param::kHostLink, 0, 1);
    {
        ModalScript script;
        script.ExpectMessage("Do you want to reset the drive parameters", IDYES)
            .ExpectMessage("Are you sure you want to Reset the Personality EEPROM", IDYES);
        node->DoCommand(ID_FACTORY_RESET);
    }
    EXPECT_EQ(services(), (std::vector<int>{111, 106, param::kFactoryReset, 106}));
    EXPECT_EQ(line.Value(1, param::kHostLink), 2u);
    EXPECT_EQ(node->GetDrive()->GetName().GetValue(), "Drive 1");
}

TEST_F(DriveNodeOnLine, PasteTakesOnlyADriveOfTheSameProductTypeAndSize) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    ZRDriveNodeMgr* node = Scan(line);
    ASSERT_NE(node, nullptr);
    ZRDrive* drive = node->GetDrive();
    const uint32_t product = drive->GetProductType();
    const int32_t size = drive->GetServiceInfo()->GetDriveSize()->GetValue();
    struct Case {
        int32_t type;
        uint32_t product;
        int32_t size;
        bool enabled;
    };
    const int32_t otherSize = size == 0 ? 1 : 0;
    for (const Case& c : {Case{tarvik::kStandardDriveType, product, size, true},
                          Case{tarvik::kStandardDriveType, product ^ ZRDrive::kDeviceNetPresent, size, false},
                          Case{tarvik::kStandardDriveType, product, otherSize, false},
                          Case{tarvik::kIndexingDriveType, product, size, false}}) {
        auto copy = std::make_unique<ZRDrive>(c.type);
        copy->SetProductType(c.product);
        copy->Init();
        copy->GetServiceInfo()->GetDriveSize()->SetValue(c.size);
        ZRClipboard::Instance()->SetObject(std::move(copy));
        EXPECT_EQ(Enabled(*node, platform::ui::ids::ID_EDIT_PASTE), c.enabled) << c.product << " " << c.size;
    }
    ZRClipboard::Instance()->Clear();
    EXPECT_FALSE(Enabled(*node, platform::ui::ids::ID_EDIT_PASTE));
}

TEST_F(DriveNodeOnLine, SercosCapableDriveTakesTheSercosSubMenu) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1, 2});
    line.SetValue(2, kSercosCapable, 0, 1);
    std::vector<ZRDriveNodeMgr*> nodes = ScanNodes(line, 2);
    ASSERT_EQ(nodes.size(), 2u);
    for (int i : {0, 1}) {
        ASSERT_NE(nodes[i], nullptr);
        std::vector<unsigned> ids = MenuIds(*nodes[i]);
        EXPECT_EQ(std::count(ids.begin(), ids.end(), ID_SERCOS_ACTIVATION), i) << i;
        EXPECT_EQ(std::count(ids.begin(), ids.end(), ID_FACTORY_RESET), 1) << i;
    }
}

} // namespace
