// The "Encoders" node of a drive found on a simulated line: its menu and command rows, the five
// encoder diagnostics in the drive's control-panel window, and the tests they start and stop.
#include "EncodersScan.h"
#include "NodeCommands.h"
#include "TarvikScanFixture.h"
#include "quorvance/shell/ZRMasterRowFactory.h"

#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRAttributeHeader.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZRGroupRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "kitbase/ui/ZRStaticHeader.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/ui/CommandIds.h"
#include "quorvance/online/ZROnLineRootMgr.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "quorvance/tarvik/ZREncodersNodeMgrTarvik.h"
#include "quorvance/tarvik/ZREncodersTarvik.h"
#include "tests/support/wire/TarvikDriveSim.h"
#include "tests/support/wire/TarvikEncoderTestPlay.h"

#include <QCoreApplication>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using platform::core::IDOK;
using wiresim::Started;
using wiresim::TarvikDriveSim;
using wiresim::TarvikEncoderTestPlay;
namespace param = tarvik::param;

constexpr int kHostControlMode = 97;
constexpr const char* kRotate = "You must manually rotate the Motor/Encoder now to complete this test.\n"
                                "(But close this message first to allow status to refresh!)";

// The row captions of a grid: an attribute's name, a group's caption, a button's text.
std::vector<std::string> Captions(std::list<std::unique_ptr<ZRGridRow>>& rows) {
    std::vector<std::string> captions;
    for (auto& row : rows) {
        if (auto* group = dynamic_cast<ZRGroupRow*>(row.get()))
            captions.push_back("[" + group->GetStaticHeader()->GetHeaderName() + "]");
        else if (auto* button = dynamic_cast<ZRCommandRow*>(row.get()))
            captions.push_back(button->GetCaption() + " " + std::to_string(button->GetCommand()));
        else if (auto* header = dynamic_cast<ZRAttributeHeader*>(row->GetHeader()))
            captions.push_back(header->GetAttribute()->GetName());
    }
    return captions;
}

// A drive on node 1 of a simulated line, found by a scan, and its "Encoders" node.
class EncodersNode : public TarvikScanFixture {
protected:
    // The program's grid rows, as the global data give them at start-up.
    void SetUp() override {
        TarvikScanFixture::SetUp();
        ZRNodeMgr::SetFactory(ZRMasterRowFactory::Instance());
    }

    void Scan() { ScanEncoders(*m_Root, m_Link, *m_View, line, driveNode, node); }

    // Runs the command and expects exactly these messages, answered with OK.
    void Run(unsigned id, std::vector<std::string> messages = {}) {
        ModalScript script;
        for (const std::string& message : messages)
            script.ExpectMessage(message, IDOK);
        node->DoCommand(id);
    }
    std::string Shown(ZRIndexSelection* selection) {
        selection->Refresh(true);
        return selection->GetAsString();
    }
    void Enable() {
        line.SetValue(1, param::kEnableState, 0, 1);
    }

    Started<TarvikDriveSim> line{std::set<uint8_t>{1}};
    ZRDriveNodeMgr* driveNode = nullptr;
    ZREncodersNodeMgrTarvik* node = nullptr;
};

TEST_F(EncodersNode, OffersTheFiveDiagnosticsOnLineAndProgrammingOnlyWithTheBlobSwitch) {
    ASSERT_NO_FATAL_FAILURE(Scan());
    // The menu holds the five diagnostics, "Program Encoder..." and "Properties...".
    const std::vector<unsigned> menu = MenuIds(*node);
    for (unsigned id : {ID_COMMUTATION_DIAGNOSTICS, ID_MOTOR_FEEDBACK_DIAGNOSTICS, ID_MOTOR_MARKER_DIAGNOSTICS,
                        ID_AUX_FEEDBACK_DIAGNOSTICS, ID_AUX_MARKER_DIAGNOSTICS, ID_PROGRAM_ENCODER, ID_PROPERTIES}) {
        EXPECT_TRUE(std::count(menu.begin(), menu.end(), id)) << id;
        EXPECT_EQ(Enabled(*node, id), id != ID_PROGRAM_ENCODER) << id;
    }

    // The properties window: the node's groups, and its command page with one row a diagnostic.
    node->ShowProperties();
    ZRPropertiesView* props = node->GetPropsView();
    ASSERT_NE(props, nullptr);
    EXPECT_EQ(Caption(props), driveNode->GetDrive()->GetName().GetValue() + " - Encoders");
    ASSERT_NE(props->m_pServicesGrid, nullptr);
    EXPECT_EQ(Captions(props->m_pServicesGrid->GetRows()),
              (std::vector<std::string>{
                  "Commutation Diagnostics... 33093", "Motor Feedback Diagnostics... 33094",
                  "Motor Marker Diagnostics... 33095", "Auxiliary Feedback Diagnostics... 33096",
                  "Auxiliary Marker Diagnostics... 33097"}));
    const std::vector<std::string> shown = Captions(props->m_pPropertiesGrid->GetRows());
    for (const char* name : {"Output Signal", "Divider", "Lines/Revolution", "Encoder Ratio (Load:Motor)"})
        EXPECT_TRUE(std::count(shown.begin(), shown.end(), name)) << name;

    // Off line nothing of the drive's is offered.
    node->GetEncoders()->GetDevice()->SetOffLine(true);
    EXPECT_FALSE(Enabled(*node, ID_COMMUTATION_DIAGNOSTICS));
    EXPECT_FALSE(Enabled(*node, ID_AUX_MARKER_DIAGNOSTICS));
    Run(ID_START_ENCODER_TEST, {"The Drive is Offline."});
    node->GetEncoders()->GetDevice()->SetOffLine(false);
}

TEST_F(EncodersNode, EachDiagnosticOpensTheDrivesWindowInItsModeWithItsRows) {
    struct Case {
        unsigned command;
        long mode;
        const char* title;
        const char* setting;
        unsigned start;
        std::vector<std::string> status;
    };
    const Case cases[] = {
        {ID_COMMUTATION_DIAGNOSTICS, 8, "Commutation Diagnostics", "Test Current", ID_START_COMMUTATION_TEST,
         {"Test Status", "Test Results", "Measured Feedback Resolution", "Expected Feedback Resolution",
          "[Recommended Changes]", "S1 Connection", "S2 Connection", "S3 Connection", "A Connection",
          "B Connection", "U Connection", "V Connection", "W Connection", "Hall Offset"}},
        {ID_MOTOR_FEEDBACK_DIAGNOSTICS, 9, "Motor Feedback Diagnostics", "Test Distance", ID_START_ENCODER_TEST,
         {"Test Status", "Test Results", "Position - Motor Feedback", "A", "B"}},
        {ID_MOTOR_MARKER_DIAGNOSTICS, 10, "Motor Marker Diagnostics", "Test Distance", ID_START_ENCODER_TEST,
         {"Test Status", "Test Results", "Position - Motor Feedback", "Marker Position", "A", "B", "Z"}},
        {ID_AUX_FEEDBACK_DIAGNOSTICS, 11, "Auxiliary Feedback Diagnostics", "Test Distance", ID_START_ENCODER_TEST,
         {"Test Status", "Test Results", "Position - Auxiliary", "A", "B"}},
        {ID_AUX_MARKER_DIAGNOSTICS, 12, "Auxiliary Marker Diagnostics", "Test Distance", ID_START_ENCODER_TEST,
         {"Test Status", "Test Results", "Position - Auxiliary", "Marker Position", "A", "B", "Z"}},
    };
    ASSERT_NO_FATAL_FAILURE(Scan());
    ZREncodersTarvik* encoders = node->GetEncoders();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        {
            // The window of the diagnostic before asks to be closed.
            ModalScript script;
            if (driveNode->GetModeView())
                script.ExpectMessage("The associated window must be closed to continue.", platform::core::IDYES);
            node->DoCommand(c.command);
        }
        ZRPropertiesView* view = driveNode->GetModeView();
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(driveNode->GetMode(), c.mode);
        EXPECT_EQ(line.Value(1, kHostControlMode), static_cast<uint32_t>(c.mode));
        EXPECT_EQ(Caption(view), driveNode->GetDrive()->GetName().GetValue() + " - " + c.title);
        EXPECT_EQ(Captions(view->m_pPropertiesGrid->GetRows()), std::vector<std::string>{c.setting});
        EXPECT_EQ(Captions(view->m_pServicesGrid->GetRows()),
                  (std::vector<std::string>{"Start Test " + std::to_string(c.start),
                                            "Stop Test " + std::to_string(ID_STOP_ENCODER_TEST)}));
        EXPECT_EQ(Captions(view->m_pStatusGrid->GetRows()), c.status);
        // The window's close is the drive node's.
        EXPECT_EQ(platform::ui::ChildFrame::FrameOf(view), driveNode->GetModeFrame());

        // Asked again, the open window only comes forward.
        node->DoCommand(c.command);
        EXPECT_EQ(driveNode->GetModeView(), view);

        // The test runs while the drive is in the window's mode; the commutation test enables the
        // drive first.
        if (c.mode == 8)
            Run(c.start);
        else
            Run(c.start, {kRotate});
        EXPECT_EQ(line.Value(1, TarvikEncoderTestPlay::kTestControl), 1u);
        EXPECT_EQ(Shown(encoders->GetTestStatus()), "Test in progress...");
        EXPECT_EQ(line.Value(1, param::kEnableState), c.mode == 8 ? 1u : 0u);
        Run(ID_STOP_ENCODER_TEST);
        EXPECT_EQ(Shown(encoders->GetTestStatus()), "Idle");
        EXPECT_EQ(Shown(encoders->GetTestResults()), "Test aborted by user");
        // Disabled again, as the window's "Disable Drive" does.
        node->GetEncoders()->GetDevice()->Disable();
    }

    // The user's close ends the mode, as for every window of the drive node.
    {
        ModalScript script;
        script.ExpectMessage("The drive will be software disabled.", IDOK);
        platform::ui::ChildFrame::FrameOf(driveNode->GetModeView())->close();
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(driveNode->GetModeView(), nullptr);
    EXPECT_EQ(line.Value(1, kHostControlMode), 0u);
}

TEST_F(EncodersNode, ADriveFoundInADiagnosticsModeGetsItsWindowBack) {
    line.SetValue(1, kHostControlMode, 0, 11);
    ASSERT_NO_FATAL_FAILURE(Scan());
    ZRPropertiesView* view = driveNode->GetModeView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(driveNode->GetMode(), 11);
    EXPECT_EQ(Caption(view), driveNode->GetDrive()->GetName().GetValue() + " - Auxiliary Feedback Diagnostics");
    EXPECT_EQ(Captions(view->m_pPropertiesGrid->GetRows()), std::vector<std::string>{"Test Distance"});
    EXPECT_EQ(driveNode->GetModeFrame()->GetHelpTopic(), 1129u);
}

TEST_F(EncodersNode, AStartTheDriveRefusesSaysSoAndAsksNothingMore) {
    ASSERT_NO_FATAL_FAILURE(Scan());
    // Outside a diagnostics mode the drive takes no test.
    {
        ModalScript script;
        script.ExpectMessage("Invalid Drive State", IDOK);
        node->DoCommand(ID_START_ENCODER_TEST);
    }
    EXPECT_EQ(line.Value(1, TarvikEncoderTestPlay::kTestControl), 0u);

    // A commutation test whose drive stays disabled (its enable input is off) is not started.
    Run(ID_COMMUTATION_DIAGNOSTICS);
    line.SetValue(1, param::kInputFunctionStates, 0, 0);
    line.Refuse(1, TarvikDriveSim::kInvalidState, 1, param::kEnableState);
    {
        ModalScript script;
        script.ExpectMessage("The Enable input is not active.", IDOK);
        script.ExpectMessage("Invalid Drive State", IDOK);
        node->DoCommand(ID_START_COMMUTATION_TEST);
    }
    EXPECT_EQ(line.Value(1, TarvikEncoderTestPlay::kTestControl), 0u);
    EXPECT_EQ(Shown(node->GetEncoders()->GetTestStatus()), "Idle");
}

TEST_F(EncodersNode, FirmwareWithoutTheEncoderTestsOffersNoDiagnostics) {
    line.SetValue(1, param::kFirmwareVersion, 0, 0x109); // 1.9
    ASSERT_NO_FATAL_FAILURE(Scan());
    EXPECT_FALSE(node->GetEncoders()->GetEncoderTestControl()->IsSupported());
    for (unsigned id = ID_COMMUTATION_DIAGNOSTICS; id <= ID_AUX_MARKER_DIAGNOSTICS; ++id)
        EXPECT_FALSE(Enabled(*node, id)) << id;
    node->ShowProperties();
    ASSERT_NE(node->GetPropsView(), nullptr);
    EXPECT_EQ(node->GetPropsView()->m_pServicesGrid, nullptr);
}

} // namespace
