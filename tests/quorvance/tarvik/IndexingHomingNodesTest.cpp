// The indexing and homing nodes of an on-line indexing drive, run against the simulated drive the
// way the indexing control panel's rows and the node menus run them.
#include "TarvikDriveFixture.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRAttributeRow.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZRGroupRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "kitbase/ui/ZRStaticHeader.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/Modal.h"
#include "platform/ui/Command.h"
#include "quorvance/shell/ZRMessageNoshow.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikStorage.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "quorvance/tarvik/ZRHoming.h"
#include "quorvance/tarvik/ZRHomingNodeMgr.h"
#include "quorvance/tarvik/ZRIndexing.h"
#include "quorvance/tarvik/ZRIndexingNodeMgr.h"
#include "quorvance/tarvik/ZRNoxelDevice.h"
#include "quorvance/tarvik/ZROperMode.h"
#include "support/ModalScript.h"
#include "support/ui/UiTestApp.h"
#include "tests/support/wire/FakeClock.h"
#include "tests/support/wire/TarvikDriveSim.h"
#include "wirelink/NoxelComm.h"
#include "wirelink/SerialComm.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

using platform::core::IDOK;
using Flag = ZRIndexing::Flag;

constexpr uint8_t kNode = 1;
constexpr uint32_t kIndexingProduct = 0x0D; // indexing, present, firmware valid

// Drive status and input words of the simulated drive.
constexpr int kFaultState = 117;
constexpr int kInputFunctionStates = 186;
constexpr uint32_t kEnableInput = 0x80000000u;

// The node between drive and blocks; only its place in the tree matters here.
class ModesNode : public ZRNodeMgr {
public:
    ModesNode(ZROperMode* modes, ZRTreeItem* item, ZRWorkspaceView* view) : ZRNodeMgr(item, modes, view) {}
    void Initialize() override {}
};

// An indexing drive on a simulated line, with the nodes of the drive, its operation modes, and its
// indexing and homing blocks in a workspace tree.
class IndexingHomingNodes : public TarvikDriveFixture {
protected:
    void SetUp() override {
        TarvikDriveFixture::SetUp();
        AttachDrive(tarvik::kIndexingDriveType, kIndexingProduct);
        indexing = drive->GetOperMode()->GetIndexing();
        homing = drive->GetOperMode()->GetHoming();
        ASSERT_TRUE(indexing && homing);

        driveNode = AddNode<ZRDriveNodeMgr>(drive.get(), "Drive");
        ZRTreeItem* modes =
            AddNode<ModesNode>(drive->GetOperMode(), "Mode Configuration", driveNode->GetNode())->GetNode();
        indexingNode = AddNode<ZRIndexingNodeMgr>(indexing, "Indexing", modes);
        indexingNode->Initialize();
        homingNode = AddNode<ZRHomingNodeMgr>(homing, "Homing", modes);
        homingNode->Initialize();
    }

    // Runs the command and expects exactly the one message (none when empty).
    void Run(ZRNodeMgr* node, unsigned id, const std::string& message = {}) {
        ModalScript modals;
        if (!message.empty())
            modals.ExpectMessage(message, IDOK);
        node->DoCommand(id);
    }
    // The rows of a grid by caption: an attribute's name, a group's caption in brackets.
    static std::vector<std::string> Captions(ZRPropertiesGrid* grid) {
        std::vector<std::string> captions;
        for (const auto& row : grid->GetRows()) {
            if (auto* group = dynamic_cast<ZRGroupRow*>(row.get()))
                captions.push_back("[" + group->GetStaticHeader()->GetHeaderName() + "]");
            else if (auto* attribute = dynamic_cast<ZRAttributeRow*>(row.get()))
                captions.push_back(attribute->GetAttribute()->GetName());
        }
        return captions;
    }
    // Status reads until the move stops; how many showed it moving.
    int ReadsInMotion(ZRBoolAttribute* inMotion) {
        int moving = 0;
        while (moving < 20 && Read(inMotion))
            ++moving;
        return moving;
    }

    ZRIndexing* indexing = nullptr;
    ZRHoming* homing = nullptr;
    ZRDriveNodeMgr* driveNode = nullptr;
    ZRIndexingNodeMgr* indexingNode = nullptr;
    ZRHomingNodeMgr* homingNode = nullptr;
};

TEST_F(IndexingHomingNodes, StartIndexRefusesADisabledOrFaultedDriveAndRunsTheChosenIndex) {
    Run(indexingNode, ID_START_INDEX, "The drive is not enabled.");
    sim.SetValue(kNode, kFaultState, 0, 5);
    Run(indexingNode, ID_START_INDEX, "The drive is faulted");
    sim.SetValue(kNode, kFaultState, 0, 255);
    EXPECT_EQ(RanServices("0701"), 0);

    // The table is edited and written, the index chosen as the control panel's row does.
    ASSERT_TRUE(indexing->GetDistance(3)->SetAsString("2500"));
    ASSERT_TRUE(indexing->GetBatchCount(3)->SetAsString("4"));
    EXPECT_EQ(sim.Value(kNode, 175, 3), 2500u);
    ASSERT_TRUE(indexing->GetIndexNumber()->SetAsString("3"));
    EXPECT_EQ(sim.Value(kNode, 184), 3u);

    Run(homingNode, ID_ENABLE_DRIVE);
    ASSERT_TRUE(device.IsEnabled());
    Run(indexingNode, ID_START_INDEX);
    EXPECT_EQ(RanServices("0701"), 1);
    // The status shows the move, then where it settled.
    EXPECT_GT(ReadsInMotion(indexing->GetFlag(Flag::InMotion)), 0);
    EXPECT_TRUE(Read(indexing->GetFlag(Flag::SequenceComplete)));
    EXPECT_TRUE(Read(indexing->GetFlag(Flag::InPosition)));
    indexing->GetPositionCommand()->Refresh(true);
    EXPECT_EQ(indexing->GetPositionCommand()->GetInternalValue(), 2500);
    indexing->GetSelectedIndex()->Refresh(true);
    EXPECT_EQ(indexing->GetSelectedIndex()->GetInternalValue(), 3u);
    indexing->GetBatchCountStatus()->Refresh(true);
    EXPECT_EQ(indexing->GetBatchCountStatus()->GetInternalValue(), 4u);
}

TEST_F(IndexingHomingNodes, HomingFromThePanelNeedsAnEnabledDriveWithItsEnableInput) {
    Run(indexingNode, ID_START_HOMING, "The drive is not enabled.");
    Run(indexingNode, ID_STOP_HOMING, "The drive is not enabled.");
    // Enabled, but the input has gone.
    sim.SetValue(kNode, 107, 0, 1);
    sim.SetValue(kNode, kInputFunctionStates, 0, 0);
    Run(indexingNode, ID_START_HOMING, "Drive enable input must be active to start homing.");
    Run(indexingNode, ID_STOP_HOMING, "Drive enable input not active.");
    EXPECT_EQ(RanServices("0CD1") + RanServices("11C1"), 0);

    sim.SetValue(kNode, kInputFunctionStates, 0, kEnableInput);
    ASSERT_TRUE(homing->GetHomePosition()->SetAsString("-400"));
    Run(indexingNode, ID_START_HOMING);
    EXPECT_TRUE(sim.IsMoving(kNode));
    EXPECT_TRUE(Read(homing->GetInMotion()));
    Run(indexingNode, ID_STOP_HOMING);
    EXPECT_EQ(RanServices("11C1"), 1);
    EXPECT_FALSE(Read(homing->GetInMotion()));
    EXPECT_FALSE(Read(homing->GetAxisHomed()));

    Run(indexingNode, ID_START_HOMING);
    EXPECT_GT(ReadsInMotion(homing->GetInMotion()), 0);
    EXPECT_TRUE(Read(homing->GetAtHome()));
    EXPECT_TRUE(Read(homing->GetAxisHomed()));
    indexing->GetActualPosition()->Refresh(true);
    EXPECT_EQ(indexing->GetActualPosition()->GetInternalValue(), -400);
}

TEST_F(IndexingHomingNodes, TheHomingNodeStartsHomingOnLineWithoutChecksOfItsOwn) {
    EXPECT_TRUE(Enabled(homingNode, ID_START_HOMING));
    // The drive refuses a start while disabled, and the command shows the drive's answer.
    {
        ModalScript modals;
        modals.ExpectMessage("Invalid Drive State", IDOK);
        homingNode->DoCommand(ID_START_HOMING);
    }
    sim.SetValue(kNode, 107, 0, 1);
    Run(homingNode, ID_START_HOMING);
    EXPECT_EQ(RanServices("0CD1"), 1);
    EXPECT_TRUE(sim.IsMoving(kNode));

    // Off line the command is greyed; run anyway, it says why nothing happens.
    device.SetOffLine(true);
    EXPECT_FALSE(Enabled(homingNode, ID_START_HOMING));
    Run(homingNode, ID_START_HOMING, "The Drive is Offline.");
    Run(indexingNode, ID_START_INDEX, "The Drive is Offline.");
    Run(indexingNode, ID_START_HOMING, "The Drive is Offline.");
    EXPECT_EQ(RanServices("0CD1"), 1);
}

TEST_F(IndexingHomingNodes, TheIndexingNodeOffersThePanelOfItsDriveAndLoadsIndexesOnDemand) {
    EXPECT_TRUE(Enabled(indexingNode, ID_INDEXING_PANEL));
    EXPECT_TRUE(indexingNode->HasCommand(ID_PROPERTIES));

    const size_t before = sim.Requests().size();
    indexingNode->ShowProperties();
    ASSERT_NE(indexingNode->GetPropsView(), nullptr);
    // Opening the sheet reads no index of the table: each index group loads when opened.
    const std::vector<std::string> lines = sim.Requests();
    for (size_t i = before; i < lines.size(); ++i)
        EXPECT_NE(lines[i].substr(3, 3), "0AF") << lines[i]; // parameter 175, the distances
}

TEST_F(IndexingHomingNodes, TheHomingWindowShowsTheSettingsButNotTheBlocksName) {
    homingNode->ShowProperties();
    ZRPropertiesView* view = homingNode->GetPropsView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(Captions(view->m_pPropertiesGrid),
              (std::vector<std::string>{"Home Type", "Auto Start Homing on Enable", "Home Sensor Back-off",
                                        "Homing Velocity", "Homing Accel/Decel", "Offset Move Distance",
                                        "Stop Home Decel", "Home Sensor Polarity", "Home Position",
                                        "Creep Velocity", "Home Current Value"}));
    ASSERT_NE(view->m_pStatusGrid, nullptr);
    EXPECT_EQ(Captions(view->m_pStatusGrid),
              (std::vector<std::string>{"In Motion", "At Home", "Within Position Window", "In Position",
                                        "Axis Homed"}));
}

TEST_F(IndexingHomingNodes, TheIndexingControlPanelsRowsRunTheIndexingNodesCommands) {
    {
        ModalScript modals;
        modals.Expect(platform::core::ModalKind::Dialog, "Information", [](platform::core::ModalRequest& r) {
            auto* notice = static_cast<ZRMessageNoshow*>(r.dialog);
            notice->ClickButton(IDOK);
            return notice->Result();
        });
        driveNode->DoCommand(ID_INDEXING_PANEL);
    }
    ZRPropertiesView* panel = driveNode->GetModeView();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(sim.Value(kNode, 97), static_cast<uint32_t>(ZRDriveNodeMgr::kModeIndexingPanel));
    ASSERT_NE(panel->m_pServicesGrid, nullptr);

    // A command row of the panel by caption.
    const auto row = [&](const std::string& caption) -> ZRCommandRow* {
        for (const auto& r : panel->m_pServicesGrid->GetRows())
            if (auto* command = dynamic_cast<ZRCommandRow*>(r.get());
                command && command->GetCaption() == caption)
                return command;
        return nullptr;
    };
    const struct {
        const char* caption;
        unsigned id;
        ZRNodeMgr* owner;
    } rows[] = {
        {"Start Index", ID_START_INDEX, indexingNode},
        {"Start Homing", ID_START_HOMING, indexingNode},
        {"Stop Homing", ID_STOP_HOMING, indexingNode},
        {"Enable Drive", ID_PANEL_ENABLE_DRIVE, driveNode},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.caption);
        ZRCommandRow* command = row(r.caption);
        ASSERT_NE(command, nullptr);
        EXPECT_EQ(command->GetCommand(), r.id);
        EXPECT_EQ(command->GetOwner(), r.owner);
    }
    const auto click = [&](const std::string& caption, const std::string& message = {}) {
        ModalScript modals;
        if (!message.empty())
            modals.ExpectMessage(message, IDOK);
        // A click on the row's button, as the grid passes it on.
        row(caption)->OnClickedButton(1);
    };

    // The index chosen in the panel's own row runs.
    ASSERT_TRUE(indexing->GetDistance(2)->SetAsString("1500"));
    ASSERT_TRUE(indexing->GetIndexNumber()->SetAsString("2"));
    click("Start Index", "The drive is not enabled.");
    click("Enable Drive");
    ASSERT_TRUE(device.IsEnabled());
    click("Start Index");
    EXPECT_EQ(RanServices("0701"), 1);
    EXPECT_TRUE(sim.IsMoving(kNode));
    EXPECT_GT(ReadsInMotion(indexing->GetFlag(Flag::InMotion)), 0);
    indexing->GetPositionCommand()->Refresh(true);
    EXPECT_EQ(indexing->GetPositionCommand()->GetInternalValue(), 1500);

    sim.SetValue(kNode, kInputFunctionStates, 0, kEnableInput);
    click("Start Homing");
    EXPECT_EQ(RanServices("0CD1"), 1);
    EXPECT_TRUE(sim.IsMoving(kNode));
    click("Stop Homing");
    EXPECT_EQ(RanServices("11C1"), 1);
    EXPECT_FALSE(sim.IsMoving(kNode));

    {
        ModalScript modals;
        modals.ExpectMessage("The drive will be software disabled.", IDOK);
        platform::ui::ChildFrame::FrameOf(panel)->close();
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(driveNode->GetModeView(), nullptr);
}

} // namespace
