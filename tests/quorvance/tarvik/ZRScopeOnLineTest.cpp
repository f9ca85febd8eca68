// The oscilloscope of an on-line Tarvik drive, run as the user runs it against the simulated drive:
// the node opens the scope window, the channel rows pick the signals from the channel tree, the
// window's buttons arm the trigger, and the idle ticks read and plot each capture.
#include "TarvikDriveFixture.h"

#include "kitbase/model/ZRFloatAttribute.h"
#include "kitbase/model/ZRIdleController.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRAttributeRow.h"
#include "kitbase/ui/ZRChannelSetup.h"
#include "kitbase/ui/ZRGroupRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRScopeServicesView.h"
#include "kitbase/ui/ZRScopeView.h"
#include "kitbase/ui/ZRStaticHeader.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/Modal.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/TreeView.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikStorage.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRNoxelChannelRow.h"
#include "quorvance/tarvik/ZRNoxelDevice.h"
#include "quorvance/tarvik/ZRNoxelScope.h"
#include "quorvance/tarvik/ZRScopeNodeMgr.h"
#include "quorvance/tarvik/ZRTuning.h"
#include "support/ModalScript.h"
#include "support/ui/TreeClicks.h"
#include "support/ui/UiTestApp.h"
#include "tests/support/model/ReasonRecorder.h"
#include "tests/support/wire/FakeClock.h"
#include "tests/support/wire/TarvikDriveSim.h"
#include "tests/support/wire/TarvikScopePlay.h"
#include "wirelink/NoxelComm.h"
#include "wirelink/SerialComm.h"

#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <functional>

namespace {

using platform::core::IDOK;
using platform::core::ModalKind;
using platform::ui::TreeView;
using wiresim::TarvikScopePlay;

constexpr uint8_t kNode = 1;
constexpr uint32_t kStandardProduct = 0x0E; // standard, present, firmware valid
constexpr int kInputSignal = 159;
constexpr int kSamplesPerDivision = 450;
// Signals of the channel tree.
constexpr uint32_t kVelocityFeedback = 22; // 16-bit
constexpr uint32_t kPositionFeedback = 7;  // 32-bit

class ScopeOnLine : public TarvikDriveFixture {
protected:
    void SetUp() override {
        TarvikDriveFixture::SetUp();
        play = sim.FindPlay<TarvikScopePlay>();
        ASSERT_NE(play, nullptr);
        OpenLine(kStandardProduct);
        Build();
    }
    // The drive as identified on the line, with its scope node.
    void Build() {
        drive = std::make_unique<ZRDrive>(tarvik::kStandardDriveType);
        drive->SetProductType(kStandardProduct);
        drive->Init();
        drive->Attach(&device, 1);
        drive->GetName().SetValue("Axis 1");
        scope = drive->GetScope();
        ASSERT_NE(scope, nullptr);

        node = AddNode<ZRScopeNodeMgr>(scope, "Oscilloscope");
        node->Initialize();
    }
    void TearDown() override {
        Drop();
        TarvikDriveFixture::TearDown();
    }

    void Drop() {
        if (node)
            CloseWindow();
        node = nullptr;
        view.reset();
        drive.reset();
    }
    // The drive found again with other firmware.
    void Rebuild(uint32_t firmware) {
        Drop();
        sim.SetValue(kNode, tarvik::param::kFirmwareVersion, 0, firmware >> 8);
        sim.SetValue(kNode, tarvik::param::kFirmwareBuildNumber, 0, firmware & 0xFF);
        Build();
    }

    ZRScopeView* Open() {
        node->DefaultAction();
        return node->GetScopeView();
    }
    // The window's row showing the attribute.
    template <class Row> Row* RowOf(ZRAttribute* attribute) {
        for (auto& row : node->GetScopeView()->GetPropertyGrid()->GetRows())
            if (auto* r = dynamic_cast<Row*>(row.get()); r && r->GetAttribute() == attribute)
                return r;
        return nullptr;
    }
    // Picks the signal at the path of the channel tree through the row's chooser.
    void Choose(ZRNoxelChannelRow* row, std::initializer_list<const char*> path) {
        ModalScript script;
        script.Expect(ModalKind::Dialog, "Channel Setup",
                      platform::ui::PressDialogButton(IDOK, [&](platform::ui::Dialog& d) {
                          d.show();
                          ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
                          TreeView& t = *static_cast<ZRChannelSetup&>(d).GetTree();
                          platform::ui::TreeViewItem* item = TreeItemAt(t, path);
                          ASSERT_NE(item, nullptr);
                          for (auto* up = t.ParentItem(item); up; up = t.ParentItem(up))
                              t.Expand(up, platform::ui::TreeExpand::Expand);
                          ClickTreeBox(t, item);
                      }));
        row->OnClickedButton(2);
    }
    void Click(unsigned id) {
        auto* button = dynamic_cast<QPushButton*>(node->GetScopeView()->GetScopeServicesView()->Item(int(id)));
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Idle ticks, as the program runs them, until done or a bound.
    bool TickUntil(const std::function<bool()>& done, int ticks = 50) {
        for (int i = 0; i < ticks; ++i) {
            if (done())
                return true;
            ZRIdleController::Instance()->DoIdle();
        }
        return false;
    }
    int Arms() { return play->Arms(kNode); }
    // The window goes once its frame's deferred deletion has run.
    void CloseWindow() {
        node->CloseWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TarvikScopePlay* play = nullptr;
    ZRNoxelScope* scope = nullptr;
    ZRScopeNodeMgr* node = nullptr;
};

TEST_F(ScopeOnLine, ChannelsSetUpFromTheTreeAreArmedReadAndPlottedOnce) {
    ZRScopeView* view = Open();
    ASSERT_NE(view, nullptr);
    Choose(RowOf<ZRNoxelChannelRow>(scope->GetInputSignal(0)), {"Channel Options", "Velocity Signals",
                                                                "Velocity Feedback"});
    Choose(RowOf<ZRNoxelChannelRow>(scope->GetInputSignal(1)), {"Channel Options", "Position Signals",
                                                                "Position Feedback"});
    EXPECT_EQ(sim.Value(kNode, kInputSignal, 0), kVelocityFeedback);
    EXPECT_EQ(sim.Value(kNode, kInputSignal, 1), kPositionFeedback);
    EXPECT_EQ(RowOf<ZRNoxelChannelRow>(scope->GetInputSignal(0))->OptionText(), "Velocity Feedback");

    Click(IDC_ARM_TRIGGER);
    ASSERT_TRUE(TickUntil([&] { return scope->ChannelValid(0) && scope->ChannelValid(1); }));
    EXPECT_EQ(play->Captures(kNode), 1);
    // Both widths decode with their sign: the sine's lower half, the ramp's start below zero.
    const auto& sine = scope->GetChannelDataAttribute(0)->GetSamples();
    const auto& ramp = scope->GetChannelDataAttribute(1)->GetSamples();
    for (int i = 0; i < TarvikScopePlay::kSamples; ++i) {
        ASSERT_EQ(sine[size_t(i)], TarvikScopePlay::Sample(1, 0, i, true)) << i;
        ASSERT_EQ(ramp[size_t(i)], TarvikScopePlay::Sample(1, 1, i, false)) << i;
    }
    EXPECT_LT(*std::min_element(sine.begin(), sine.end()), -10000);
    EXPECT_LT(ramp[0], 0);
    // Plotted under the signals' names; the unused channels have no label.
    ZRScopeServicesView* services = view->GetScopeServicesView();
    EXPECT_NE(services->GetLabelText(0).find("Velocity Feedback"), std::string::npos) << services->GetLabelText(0);
    EXPECT_NE(services->GetLabelText(1).find("Position Feedback"), std::string::npos);
    EXPECT_FALSE(services->IsLabelShown(2));

    // A single capture: more ticks neither arm nor read again.
    TickUntil([] { return false; }, 10);
    EXPECT_EQ(Arms(), 1);
    EXPECT_EQ(play->Captures(kNode), 1);
}

TEST_F(ScopeOnLine, RunContinuousRearmsUntilStoppedAndTheArmedCaptureStillComesIn) {
    Open();
    scope->GetInputSignal(0)->SetValue(kVelocityFeedback);
    Click(IDC_RUN_CONTINUOUS);
    ASSERT_TRUE(TickUntil([&] { return play->Captures(kNode) >= 3; }));
    EXPECT_TRUE(scope->GetRunContinuous());
    // Each capture read is the drive's latest one.
    TickUntil([&] { return scope->ChannelValid(0); });
    Click(IDC_STOP_TRIGGERING);
    const int armed = Arms();
    TickUntil([] { return false; }, 20);
    EXPECT_EQ(Arms(), armed);
    EXPECT_EQ(play->Captures(kNode), armed);
    const auto& samples = scope->GetChannelDataAttribute(0)->GetSamples();
    EXPECT_EQ(samples[0], TarvikScopePlay::Sample(armed, 0, 0, true));
}

TEST_F(ScopeOnLine, ArmingWithoutAnySignalSendsNothing) {
    Open();
    Click(IDC_ARM_TRIGGER);
    Click(IDC_RUN_CONTINUOUS);
    EXPECT_EQ(Arms(), 0);
}

TEST_F(ScopeOnLine, AFailedStatusPollAfterACaptureIsNotReadyNotTheOldCapture) {
    scope->GetInputSignal(0)->SetValue(kVelocityFeedback);
    scope->ArmTrigger();
    ASSERT_TRUE(TickUntil([&] { return scope->IsDataReady(); }));
    ASSERT_TRUE(scope->ReadChannel(0));
    // The next arming's first poll is refused: the drive's idle status of the last capture must
    // not pass for this one.
    scope->ArmTrigger();
    sim.Refuse(kNode, wiresim::TarvikDriveSim::kInvalidState, 1, 165);
    {
        ModalScript script;
        script.ExpectMessage("Trigger Status", platform::core::IDYES);
        EXPECT_FALSE(scope->IsDataReady());
    }
    EXPECT_TRUE(TickUntil([&] { return scope->IsDataReady(); }));
    EXPECT_EQ(play->Captures(kNode), 2);
}

TEST_F(ScopeOnLine, ARefusedArmingLeavesNothingArmedAndNeverReplotsTheLastCapture) {
    Open();
    scope->GetInputSignal(0)->SetValue(kVelocityFeedback);
    Click(IDC_ARM_TRIGGER);
    ASSERT_TRUE(TickUntil([&] { return scope->ChannelValid(0); }));
    ReasonRecorder reads(*scope->GetChannelDataAttribute(0));
    // Refused once by itself, once as the start of a continuous run.
    for (unsigned button : {IDC_ARM_TRIGGER, IDC_RUN_CONTINUOUS}) {
        sim.Refuse(kNode, wiresim::TarvikDriveSim::kInvalidState, 1, 164);
        {
            ModalScript script;
            script.ExpectMessage("", IDOK);
            Click(button);
        }
        EXPECT_EQ(scope->GetTriggerStatus()->GetAsString(), "Idle") << button;
        EXPECT_FALSE(scope->IsDataReady()) << button;
        TickUntil([] { return false; }, 10);
        EXPECT_EQ(reads.Count(ZRUpdate::ValueChanged), 0) << button;
    }
    EXPECT_EQ(Arms(), 1);
    EXPECT_EQ(play->Captures(kNode), 1);
    // The next arming the drive takes brings a new capture in.
    scope->SetRunContinuous(false);
    Click(IDC_ARM_TRIGGER);
    ASSERT_TRUE(TickUntil([&] { return reads.Count(ZRUpdate::ValueChanged) > 0; }));
    EXPECT_EQ(play->Captures(kNode), 2);
}

TEST_F(ScopeOnLine, WindowRowsFollowTheFirmware) {
    struct Case {
        uint32_t firmware;
        bool scale;     // channel "Scale" and "Offset"
        bool scaleType; // channel "Scale Type", "Samples per division" and "Kaff"
        bool triggerPosition;
    };
    const Case cases[] = {
        {0x10C17, false, false, false},
        {0x10C18, true, false, false},
        {0x12006, true, true, false},
        {0x12007, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.firmware);
        Rebuild(c.firmware);
        std::vector<std::string> expected;
        for (char channel : {'A', 'B', 'C', 'D'}) {
            expected.push_back(std::string("[Channel ") + channel + "]");
            expected.push_back("Input Signal");
            if (c.scaleType)
                expected.push_back("Scale Type");
            if (c.scale)
                expected.insert(expected.end(), {"Scale", "Offset"});
        }
        expected.insert(expected.end(), {"[Sweep Parameters]", "Sample Period"});
        if (c.scaleType)
            expected.push_back("Samples per division");
        expected.insert(expected.end(), {"Trigger Source", "Trigger Mode", "Trigger Threshold"});
        if (c.triggerPosition)
            expected.push_back("Trigger Position");
        expected.insert(expected.end(), {"Trigger Status", "[Velocity Regulator Gains]", "P", "I", "D",
                                         "[Position Regulator Gains]", "Kp", "Kd", "Kvff", "Ki", "Ki Zone"});
        if (c.scaleType)
            expected.push_back("Kaff");
        expected.insert(expected.end(), {"[Low Pass Filter]", "Enable", "Bandwidth"});

        // The rows every firmware has never ask whether the drive supports them.
        ZRTuning* tuning = drive->GetTuning();
        for (ZRAttribute* always :
             std::initializer_list<ZRAttribute*>{scope->GetSamplePeriod(), scope->GetTriggerThreshold(),
                                                 tuning->GetP(), tuning->GetKiZone(), tuning->GetBandwidth()})
            always->SetSupported(false);
        ZRScopeView* view = Open();
        ASSERT_NE(view, nullptr);
        std::vector<std::string> shown;
        for (auto& row : view->GetPropertyGrid()->GetRows()) {
            if (auto* group = dynamic_cast<ZRGroupRow*>(row.get()))
                shown.push_back("[" + group->GetStaticHeader()->GetHeaderName() + "]");
            else if (auto* attributeRow = dynamic_cast<ZRAttributeRow*>(row.get()))
                shown.push_back(attributeRow->GetAttribute()->GetName());
        }
        EXPECT_EQ(shown, expected);
    }
}

TEST_F(ScopeOnLine, ChannelScalesFollowTheDisplayedUnits) {
    scope->GetInputSignal(0)->SetValue(kPositionFeedback);
    scope->ArmTrigger();
    ASSERT_TRUE(TickUntil([&] { return scope->IsDataReady(); }));
    ASSERT_TRUE(scope->ReadChannel(0));
    std::vector<float> counts;
    scope->GetChannelData(0, counts);
    EXPECT_EQ(scope->GetChannelUnits(0), "Counts");

    ReasonRecorder replot(*scope);
    drive->GetPositionLabel()->SetValue("mm");
    drive->GetPositionScaleAttribute()->SetValue(8.0F);
    drive->GetDisplayedUnits()->SetAsString("User");
    EXPECT_GT(replot.Count(ZRUpdate::ValueChanged), 0);
    EXPECT_EQ(scope->GetChannelUnits(0), "mm");
    std::vector<float> user;
    scope->GetChannelData(0, user);
    ASSERT_EQ(user.size(), counts.size());
    for (size_t i = 0; i < user.size(); ++i)
        ASSERT_FLOAT_EQ(user[i], counts[i] / 8.0F) << i;
}

TEST_F(ScopeOnLine, WindowOpensOnceWithChannelAAndSweepOpenAndFixesAZeroTimeBase) {
    sim.SetValue(kNode, kSamplesPerDivision, 0, 0);
    ZRScopeView* view = Open();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(sim.Value(kNode, kSamplesPerDivision), 32u);
    std::vector<std::pair<std::string, bool>> groups;
    for (auto& row : view->GetPropertyGrid()->GetRows())
        if (auto* g = dynamic_cast<ZRGroupRow*>(row.get()))
            groups.emplace_back(g->GetStaticHeader()->GetHeaderName(), g->IsCollapsed());
    const std::vector<std::pair<std::string, bool>> expected{
        {"Channel A", false}, {"Channel B", true}, {"Channel C", true}, {"Channel D", true},
        {"Sweep Parameters", false}, {"Velocity Regulator Gains", true}, {"Position Regulator Gains", true},
        {"Low Pass Filter", true}};
    EXPECT_EQ(groups, expected);
    EXPECT_FALSE(view->GetScopeServicesView()->Item(IDC_SNAPSHOT)->isVisibleTo(view));
    CSizableChildFrame* frame = node->GetScopeFrame();
    EXPECT_EQ(frame->windowTitle().toStdString(), "Axis 1 - Oscilloscope");
    drive->GetName().SetValue("Axis 2");
    EXPECT_EQ(frame->windowTitle().toStdString(), "Axis 2 - Oscilloscope");

    // A second open brings the same window back, restored.
    frame->showMinimized();
    node->DefaultAction();
    EXPECT_EQ(node->GetScopeView(), view);
    EXPECT_FALSE(frame->isMinimized());

    // Closed by the workspace: the node forgets it.
    CloseWindow();
    EXPECT_EQ(node->GetScopeView(), nullptr);
    EXPECT_EQ(node->GetScopeFrame(), nullptr);
}

TEST_F(ScopeOnLine, CaptureCommandsNeedTheDriveOnLine) {
    for (unsigned id : {IDC_ARM_TRIGGER, IDC_RUN_CONTINUOUS, IDC_STOP_TRIGGERING}) {
        platform::ui::CommandState state;
        ASSERT_TRUE(node->OnUpdateCommand(id, state));
        EXPECT_TRUE(state.enabled) << id;
        device.SetOffLine(true);
        ASSERT_TRUE(node->OnUpdateCommand(id, state));
        EXPECT_FALSE(state.enabled) << id;
        device.SetOffLine(false);
    }
}

} // namespace
