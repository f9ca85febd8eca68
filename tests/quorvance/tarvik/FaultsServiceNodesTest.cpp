// The faults and service information nodes of an on-line drive, run against the simulated drive the
// way their menus and command rows run them: the fault history window, clearing faults, the
// drive's service values and the service commands.
#include "TarvikDriveFixture.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/ZRGridRow.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/Modal.h"
#include "platform/ui/Command.h"
#include "platform/ui/AppWindow.h"
#include "platform/ui/MainWindow.h"
#include "quorvance/shell/ZRReportDoc.h"
#include "quorvance/shell/ZRReportView.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikStorage.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "quorvance/tarvik/ZRFaults.h"
#include "quorvance/tarvik/ZRFaultsNodeMgr.h"
#include "quorvance/tarvik/ZRNoxelDevice.h"
#include "quorvance/tarvik/ZRServiceInfo.h"
#include "quorvance/tarvik/ZRServiceInfoNodeMgr.h"
#include "support/ModalScript.h"
#include "support/ui/UiTestApp.h"
#include "tests/support/wire/FakeClock.h"
#include "tests/support/wire/TarvikDriveSim.h"
#include "tests/support/wire/TarvikFaultPlay.h"
#include "wirelink/NoxelComm.h"
#include "wirelink/SerialComm.h"

#include <QCoreApplication>

#include <algorithm>
#include <sstream>

namespace {

using platform::core::IDCANCEL;
using platform::core::IDNO;
using platform::core::IDOK;
using wiresim::TarvikFaultPlay;

constexpr uint8_t kNode = 1;
constexpr int kTimeInService = 154;
constexpr int kFaultStatus = 116;
constexpr int kFaultStatus2 = 414;
constexpr int kInputFunctionStates = 186;

const char* const kEmptySlot = " E00:     0:00\t\tNo Drive Error";

// The lines of a report window (which shows line ends as the platform's).
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.substr(0, line.find('\r')));
    return lines;
}

// The node with its property group and command rows in reach.
template <class Node> class Peek : public Node {
public:
    using Node::Node;
    ZRPropertyGroup& Properties() { return this->m_Properties; }
    std::vector<std::string> Captions() {
        std::list<std::unique_ptr<ZRGridRow>> rows;
        this->BuildCommandRows(rows);
        std::vector<std::string> captions;
        for (const auto& row : rows)
            if (auto* command = dynamic_cast<ZRCommandRow*>(row.get()))
                captions.push_back(command->GetCaption());
        return captions;
    }
};
using FaultsNode = Peek<ZRFaultsNodeMgr>;
using InfoNode = Peek<ZRServiceInfoNodeMgr>;

// A standard drive on a simulated line, with its drive node and the faults and service information
// nodes beneath it in a workspace tree; report windows open in a main window.
class FaultsServiceNodes : public TarvikDriveFixture {
protected:
    void SetUp() override {
        TarvikDriveFixture::SetUp();
        main.show();
        platform::ui::SetMainWindow(&main);
        AttachDrive(tarvik::kStandardDriveType);
        drive->GetName().SetValue("Axis 1");
        faults = drive->GetFaults();
        info = drive->GetServiceInfo();
        ASSERT_TRUE(faults && info);
        play = sim.FindPlay<TarvikFaultPlay>();
        ASSERT_NE(play, nullptr);

        driveNode = AddNode<ZRDriveNodeMgr>(drive.get(), "Axis 1");
        faultsNode = AddNode<FaultsNode>(faults, "Faults", driveNode->GetNode());
        faultsNode->Initialize();
        infoNode = AddNode<InfoNode>(info, "Service Info", driveNode->GetNode());
        infoNode->Initialize();
    }
    void TearDown() override {
        view.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        TarvikDriveFixture::TearDown();
        platform::ui::SetMainWindow(nullptr);
    }

    std::vector<ZRReportView*> Reports() {
        const QList<ZRReportView*> found = main.findChildren<ZRReportView*>();
        return {found.begin(), found.end()};
    }

    platform::ui::MainWindow main;
    ZRFaults* faults = nullptr;
    ZRServiceInfo* info = nullptr;
    TarvikFaultPlay* play = nullptr;
    ZRDriveNodeMgr* driveNode = nullptr;
    FaultsNode* faultsNode = nullptr;
    InfoNode* infoNode = nullptr;
};

TEST_F(FaultsServiceNodes, FaultHistoryShowsEveryEntryNewestFirstInItsOwnWindow) {
    sim.SetValue(kNode, kTimeInService, 0, 0x1234);
    TarvikFaultPlay::Raise(sim, kNode, 34);
    sim.SetValue(kNode, kTimeInService, 0, 37);
    TarvikFaultPlay::Raise(sim, kNode, 4);
    ASSERT_TRUE(Enabled(faultsNode, ID_FAULT_HISTORY));
    ASSERT_TRUE(faultsNode->OnCommand(ID_FAULT_HISTORY));

    std::vector<ZRReportView*> reports = Reports();
    ASSERT_EQ(reports.size(), 1u);
    ZRReportView* report = reports.front();
    EXPECT_EQ(report->GetDocument()->GetTitle(), "Axis 1 - Fault History");
    EXPECT_EQ(report->GetHelpId(), 1108);
    EXPECT_EQ(report->GetFrame()->GetController(), faultsNode);
    // 0x1234 units of ten minutes are 776 hours 40 minutes; empty slots read as fault 0.
    const std::vector<std::string> lines = Lines(report->GetText());
    ASSERT_EQ(lines.size(), size_t(ZRFaults::kHistoryEntries));
    EXPECT_EQ(lines[0], " E04:     6:10\t\tMotor Overtemperature Fault");
    EXPECT_EQ(lines[1], " E34:   776:40\t\tGround Short Error");
    EXPECT_EQ(lines[2], kEmptySlot);
    EXPECT_EQ(lines[19], kEmptySlot);

    // Each call reads afresh into a window of its own.
    TarvikFaultPlay::Raise(sim, kNode, 18);
    faultsNode->DoCommand(ID_FAULT_HISTORY);
    reports = Reports();
    ASSERT_EQ(reports.size(), 2u);
    const auto fresh = std::find_if(reports.begin(), reports.end(), [&](ZRReportView* r) { return r != report; });
    EXPECT_EQ(Lines((*fresh)->GetText())[0], " E18:     6:10\t\tOverspeed Fault");
    EXPECT_EQ(Lines(report->GetText())[0], lines[0]) << "the first window keeps what it showed";
    EXPECT_TRUE(faultsNode->DoCloseWindows());

    // The text itself ends its lines as reports do.
    std::string text = "before\r\n";
    faults->ReadFaultHistory(text);
    EXPECT_EQ(text.rfind("before\r\n E18:     6:10\t\tOverspeed Fault\r\n E04:", 0), 0u) << text;
}

TEST_F(FaultsServiceNodes, AGarbledEntryIsReportedAndTheEntriesBeforeItAreShown) {
    for (int fault : {9, 10, 11})
        TarvikFaultPlay::Raise(sim, kNode, fault);
    play->GarbleEntry(kNode, 2);
    {
        ModalScript modals;
        modals.ExpectMessage("Drive returned wrong number of characters", IDOK);
        faultsNode->DoCommand(ID_FAULT_HISTORY);
    }
    const std::vector<ZRReportView*> reports = Reports();
    ASSERT_EQ(reports.size(), 1u);
    const std::vector<std::string> lines = Lines(reports.front()->GetText());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], " E10:     0:00\t\tBus Overvoltage Fault");

    // Garbled at once: the message, and no empty window.
    faultsNode->DoCloseWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    play->GarbleEntry(kNode, 0);
    {
        ModalScript modals;
        modals.ExpectMessage("Drive returned wrong number of characters", IDOK);
        faultsNode->DoCommand(ID_FAULT_HISTORY);
    }
    EXPECT_TRUE(Reports().empty());
}

TEST_F(FaultsServiceNodes, AHistoryReadThatLosesTheDriveKeepsTheLinesReadBefore) {
    for (int fault : {22, 23})
        TarvikFaultPlay::Raise(sim, kNode, fault);
    sim.PullCable(2);
    {
        ModalScript modals;
        modals.ExpectMessage("Communications have been lost with the drive, Retry?", IDCANCEL);
        modals.Expect(platform::core::ModalKind::MessageBox, "", [](platform::core::ModalRequest&) { return IDOK; });
        faultsNode->DoCommand(ID_FAULT_HISTORY);
    }
    const std::vector<ZRReportView*> reports = Reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(Lines(reports.front()->GetText()).size(), 2u);
}

TEST_F(FaultsServiceNodes, ClearFaultsClearsBothFaultWordsOfTheDrive) {
    TarvikFaultPlay::Raise(sim, kNode, 4);
    TarvikFaultPlay::Raise(sim, kNode, 36);
    EXPECT_TRUE(Read(faults->GetFault(4)));
    EXPECT_TRUE(Read(faults->GetFault(36)));
    EXPECT_FALSE(Read(faults->GetFault(5)));

    EXPECT_EQ(faultsNode->Captions(), (std::vector<std::string>{"Fault History...", "Clear Faults"}));
    ASSERT_TRUE(Enabled(faultsNode, ID_CLEAR_FAULTS));
    ASSERT_TRUE(faultsNode->OnCommand(ID_CLEAR_FAULTS));
    EXPECT_EQ(RanServices("06F1"), 1);
    EXPECT_FALSE(Read(faults->GetFault(4)));
    EXPECT_FALSE(Read(faults->GetFault(36)));
    EXPECT_EQ(sim.Value(kNode, kFaultStatus) | sim.Value(kNode, kFaultStatus2), 0u);
    // Clearing leaves the history as it was.
    EXPECT_EQ(TarvikFaultPlay::History(sim, kNode).size(), 2u);
}

TEST_F(FaultsServiceNodes, OffLineTheCommandsAreDisabledAndTheHistoryIsRefused) {
    device.SetOffLine(true);
    EXPECT_FALSE(Enabled(faultsNode, ID_FAULT_HISTORY));
    EXPECT_FALSE(Enabled(faultsNode, ID_CLEAR_FAULTS));
    {
        ModalScript modals;
        modals.ExpectMessage("No fault history available for off-line drive.", IDOK);
        faultsNode->DoCommand(ID_FAULT_HISTORY);
    }
    EXPECT_TRUE(Reports().empty());
}

TEST_F(FaultsServiceNodes, TheFaultsSheetShowsTheLimitsAndEveryFlagInNumberOrder) {
    struct Case {
        bool sercos;
        std::vector<ZRAttribute*> properties;
    };
    const Case cases[] = {
        {false,
         {faults->GetUserCurrentFault(), faults->GetUserVelocityFault(), faults->GetUserVelocityFaultEnable(),
          faults->GetVelocityErrorFaultLimit(), faults->GetVelocityErrorFaultTime(),
          faults->GetFollowingErrorLimit(), faults->GetFollowingErrorTime()}},
        {true, {faults->GetVelocityErrorFaultLimit(), faults->GetVelocityErrorFaultTime()}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sercos);
        FaultsNode node(faults, nullptr, nullptr, c.sercos);
        node.Initialize();
        EXPECT_EQ(node.GetTitleFormat(), "%s - Faults");
        EXPECT_EQ(node.GetHelpTopic(), 1081u);
        EXPECT_EQ(node.GetPropsHelpTopic(), 1097u);
        EXPECT_EQ(node.Properties().GetName(), "Faults");
        EXPECT_EQ(node.Properties().GetProperties(), c.properties);
        const std::vector<ZRAttribute*>& flags = node.GetStatuses().GetProperties();
        ASSERT_EQ(flags.size(), 40u);
        EXPECT_EQ(flags[0]->GetName(), "1:Non-Volatile Memory Endurance Exceeded");
        EXPECT_EQ(flags[5]->GetName(), "6:SERCOS Hardware Overtravel");
        EXPECT_EQ(flags[37]->GetName(), "39:Self Sensing Startup Failed");
    }
}

TEST_F(FaultsServiceNodes, ServiceInformationShowsTheDriveValues) {
    sim.SetValue(kNode, kTimeInService, 0, 37);
    sim.SetText(kNode, 282, "TVK-010");
    sim.SetText(kNode, 150, "P-4711");
    struct Case {
        ZRAttribute* attribute;
        const char* shown;
    };
    const Case cases[] = {
        {info->GetDriveModel(), "TVK-010"},
        {info->GetPICSNumber(), "P-4711"},
        {info->GetFirmwareVersion(), "307"},
        {info->GetFirmwareBuildNumber(), "1"},
        {info->GetTimeInService(), "6:10"},
    };
    const std::vector<ZRAttribute*>& statuses = infoNode->GetStatuses().GetProperties();
    ASSERT_EQ(statuses.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(statuses[i]->GetName());
        EXPECT_EQ(statuses[i], cases[i].attribute);
        statuses[i]->Refresh(true);
        EXPECT_EQ(statuses[i]->GetAsString().rfind(cases[i].shown, 0), 0u) << statuses[i]->GetAsString();
    }
    EXPECT_EQ(infoNode->GetTitleFormat(), "%s - Service Information");
    // Without the manufacturing switch an on-line drive shows no properties and offers no commands.
    EXPECT_TRUE(infoNode->Properties().GetProperties().empty());
    EXPECT_TRUE(infoNode->Properties().GetGroups().empty());
    EXPECT_TRUE(infoNode->Captions().empty());
}

TEST_F(FaultsServiceNodes, ServiceCommandsResetClockAndHistoryOrAskTheDriveNode) {
    sim.SetValue(kNode, kTimeInService, 0, 500);
    TarvikFaultPlay::Raise(sim, kNode, 19);
    for (unsigned id : {ID_RESET_SERVICE_CLOCK, ID_RESET_FAULT_HISTORY, ID_RESET_DRIVE, ID_RESET_TO_FACTORY_SETTINGS})
        EXPECT_TRUE(Enabled(infoNode, id)) << id;

    infoNode->DoCommand(ID_RESET_SERVICE_CLOCK);
    EXPECT_EQ(RanServices("09B1"), 1);
    info->GetTimeInService()->Refresh(true);
    EXPECT_EQ(info->GetTimeInService()->GetAsString(), "0:00");
    infoNode->DoCommand(ID_RESET_FAULT_HISTORY);
    EXPECT_EQ(RanServices("09D1"), 1);
    EXPECT_TRUE(TarvikFaultPlay::History(sim, kNode).empty());
    infoNode->DoCommand(ID_RESET_SERVICE_EEPROM);
    EXPECT_EQ(RanServices("0051"), 1);

    // The resets of the drive are the drive node's own, with its questions.
    sim.SetValue(kNode, kInputFunctionStates, 0, 0);
    {
        ModalScript modals;
        modals.ExpectMessage("Are you sure you want to RESET the Drive?", IDNO);
        modals.ExpectMessage("reset the drive parameters to factory settings", IDNO);
        modals.ExpectMessage("reset the drive parameters to factory settings", IDNO);
        infoNode->DoCommand(ID_RESET_DRIVE);
        infoNode->DoCommand(ID_RESET_TO_FACTORY_SETTINGS);
        infoNode->DoCommand(ID_FACTORY_RESET);
    }
    EXPECT_EQ(RanServices("06A1") + RanServices("0041"), 0);

    device.SetOffLine(true);
    EXPECT_FALSE(Enabled(infoNode, ID_RESET_SERVICE_CLOCK));
    EXPECT_FALSE(Enabled(infoNode, ID_CALCULATE_COMMAND_OFFSET));
}

} // namespace
