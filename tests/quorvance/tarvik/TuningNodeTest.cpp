// The tuning node of a drive on a simulated line: its three tuning windows in the drive's host
// control modes, autotune run to its end, gains edited in a window, and a drive lost in the middle
// of autotune.
#include "NodeCommands.h"
#include "TarvikScanFixture.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/ZRGridRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "quorvance/online/ZROnLineRootMgr.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "quorvance/tarvik/ZRTuning.h"
#include "quorvance/tarvik/ZRTuningNodeMgr.h"
#include "tests/support/wire/TarvikAutotunePlay.h"
#include "tests/support/wire/TarvikDriveSim.h"

#include <QApplication>
#include <QPointer>
#include <QTest>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::core::IDYES;
using wiresim::Started;
using wiresim::TarvikAutotunePlay;
using wiresim::TarvikDriveSim;
namespace param = tarvik::param;

constexpr int kHostControlMode = 97;

// Each row's caption (column 1), in order.
template <class Grid> std::vector<std::string> Captions(Grid* grid) {
    std::vector<std::string> captions;
    for (int row = 1; grid && row <= static_cast<int>(grid->GetRows().size()); ++row)
        captions.push_back(grid->Value(row, 1));
    return captions;
}

int RowOf(ZRPropertiesGrid* grid, const std::string& caption) {
    const std::vector<std::string> captions = Captions(grid);
    const auto it = std::find(captions.begin(), captions.end(), caption);
    return it == captions.end() ? 0 : static_cast<int>(it - captions.begin()) + 1;
}

// Answers every message box, Cancel to a question to retry and OK to the rest, and keeps the texts.
class AnswerEveryMessage : public platform::core::ModalHook {
public:
    AnswerEveryMessage() : m_previous(platform::core::SetModalHook(this)) {}
    ~AnswerEveryMessage() override { platform::core::SetModalHook(m_previous); }
    int Run(platform::core::ModalRequest& request) override {
        seen.push_back(request.text);
        return request.text.find("Retry?") != std::string::npos ? IDCANCEL : IDOK;
    }
    std::vector<std::string> seen;

private:
    platform::core::ModalHook* m_previous;
};

// A drive on node 1 of a simulated line, found by a scan, with its tuning node.
class TuningNodeOnLine : public TarvikScanFixture {
protected:
    ZRTuningNodeMgr* Scan(TarvikDriveSim& line) {
        StartScan(line);
        if (!ScanToEnd())
            return nullptr;
        m_Drive = OnlyDrive();
        return m_Drive ? ChildOf<ZRTuningNodeMgr>(*m_Drive) : nullptr;
    }
    ZRPropertiesGrid* Properties() { return m_Drive->GetModeView()->m_pPropertiesGrid; }
    // Re-reads every row of the open window, as the grids' idle ticks do one row at a time.
    void ReadWindow() {
        QPointer<ZRPropertiesView> view = m_Drive ? m_Drive->GetModeView() : nullptr;
        for (int pane = 0; pane < 2 && view; ++pane) {
            ZRPropertiesGrid* grid = pane == 0 ? view->m_pPropertiesGrid : view->m_pStatusGrid;
            if (!grid)
                continue;
            std::vector<ZRGridRow*> rows;
            for (auto& row : grid->GetRows())
                rows.push_back(row.get());
            for (ZRGridRow* row : rows)
                if (view)
                    row->Refresh(false);
        }
    }
    // Without a main window the open window has no size of its own: it gets one, as the program's
    // document area gives it, so that its rows can be seen and re-read.
    void GiveWindowRoom() {
        platform::ui::ChildFrame::FrameOf(m_Drive->GetModeView())->resize(900, 700);
        QCoreApplication::processEvents();
    }

    ZRDriveNodeMgr* m_Drive = nullptr;
};

TEST_F(TuningNodeOnLine, AutotuneRunsToItsEndAndTheNewGainsShowInItsWindow) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    TarvikAutotunePlay* play = line.FindPlay<TarvikAutotunePlay>();
    ASSERT_NE(play, nullptr);
    ZRTuningNodeMgr* node = Scan(line);
    ASSERT_NE(node, nullptr);
    ZRTuning* tuning = node->GetTuning();

    node->DoCommand(ID_AUTOTUNE_WINDOW);
    ZRPropertiesView* view = m_Drive->GetModeView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(line.Value(1, kHostControlMode), 4u);
    // Asking again brings up the same window.
    node->DoCommand(ID_AUTOTUNE_WINDOW);
    EXPECT_EQ(m_Drive->GetModeView(), view);

    GiveWindowRoom();
    node->DoCommand(ID_START_AUTOTUNE);
    EXPECT_TRUE(play->IsRunning(1));
    EXPECT_EQ(line.Value(1, param::kEnableState), 1u);
    // The window's rows re-read the drive as the program idles, until the run has ended.
    ASSERT_TRUE(RunIdleUntil([&] {
        ReadWindow();
        return tuning->GetAutotuneComplete()->GetValue() && Properties()->Value(RowOf(Properties(), "P"), 2) == "420";
    }));
    EXPECT_EQ(Properties()->Value(RowOf(Properties(), "I"), 2), "95");
    EXPECT_FALSE(tuning->GetAutotuneFailed()->GetValue());
    EXPECT_EQ(line.Value(1, param::kEnableState), 0u);
    EXPECT_EQ(play->Runs(1), 1);
}

// "Stop Autotune" disables the drive in the middle of the run, which then ends as failed.
TEST_F(TuningNodeOnLine, StoppedAutotuneEndsAsFailedAndKeepsTheGains) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    TarvikAutotunePlay* play = line.FindPlay<TarvikAutotunePlay>();
    play->SetRunReads(1000);
    ZRTuningNodeMgr* node = Scan(line);
    ASSERT_NE(node, nullptr);
    node->DoCommand(ID_AUTOTUNE_WINDOW);
    GiveWindowRoom();
    node->DoCommand(ID_START_AUTOTUNE);
    ASSERT_TRUE(play->IsRunning(1));
    node->DoCommand(ID_STOP_TUNING);
    EXPECT_FALSE(play->IsRunning(1));
    ZRTuning* tuning = node->GetTuning();
    ASSERT_TRUE(RunIdleUntil([&] {
        ReadWindow();
        return tuning->GetAutotuneFailed()->GetValue();
    }));
    EXPECT_FALSE(tuning->GetAutotuneComplete()->GetValue());
    EXPECT_EQ(line.Value(1, 31), 200u);
}

TEST_F(TuningNodeOnLine, AutotuneNeedsTheEnableInputWhileManualTuningOnlyWarns) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    line.SetValue(1, param::kInputFunctionStates, 0, 0);
    ZRTuningNodeMgr* node = Scan(line);
    ASSERT_NE(node, nullptr);
    node->DoCommand(ID_AUTOTUNE_WINDOW);
    {
        ModalScript script;
        script.ExpectMessage("Drive enable input must be active to start autotuning.", IDOK);
        node->DoCommand(ID_START_AUTOTUNE);
    }
    EXPECT_TRUE(line.Services(1).empty());
    EXPECT_EQ(line.Value(1, param::kEnableState), 0u);

    {
        ModalScript script;
        script.ExpectMessage("The drive is currently in Autotuning mode.", IDYES);
        node->DoCommand(ID_MANUAL_VELOCITY_TUNE);
    }
    EXPECT_EQ(line.Value(1, kHostControlMode), 5u);
    {
        ModalScript script;
        script.ExpectMessage("The Enable input is not active.", IDOK);
        node->DoCommand(ID_START_TUNING);
    }
    EXPECT_EQ(line.Value(1, param::kEnableState), 0u) << "the drive waits for its input";
    line.SetValue(1, param::kInputFunctionStates, 0, 0x80000000u);
    node->DoCommand(ID_START_TUNING);
    EXPECT_EQ(line.Value(1, param::kEnableState), 1u);
    node->DoCommand(ID_STOP_TUNING);
    EXPECT_EQ(line.Value(1, param::kEnableState), 0u);
}

const std::string kWarning = "WARNING -- Excessive tuning step profile values may cause uncontrolled motion.";

struct WindowCase {
    uint32_t mode;
    const char* title;
    unsigned long help;
    std::vector<std::string> properties;
    std::vector<std::string> commands;
    size_t statuses;
};

const WindowCase kWindows[] = {
    {4, "Autotuning", 1102,
     {"Autotune Settings", "Motor Direction", "Maximum Distance", "Step Current", "Velocity Regulator Gains", "P", "I",
      "D"},
     {"Start Autotune", "Stop Autotune", "Clear Faults"}, 3},
    {5, "Manual Velocity Tuning", 1103,
     {"Manual Velocity Tuning Settings", "Motor Direction", "Velocity", "Time", "Velocity Regulator Gains", "P", "I",
      "D", "Low Pass Filter", "Enable", "Bandwidth", kWarning},
     {"Start Tuning", "Stop Tuning", "Clear Faults"}, 1},
    {6, "Manual Position Tuning", 1104,
     {"Manual Position Tuning Settings", "Motor Direction", "Distance", "Time", "Position Regulator Gains", "Kp", "Kd",
      "Kvff", "Ki", "Ki Zone", "Velocity Regulator Gains", "P", "I", "D", kWarning},
     {"Start Tuning", "Stop Tuning", "Clear Faults"}, 1},
};

class TuningWindowBack : public TuningNodeOnLine, public testing::WithParamInterface<WindowCase> {};

// A drive already in a tuning mode when the tree is built gets that window at once.
TEST_P(TuningWindowBack, DriveFoundInATuningModeGetsThatWindowBack) {
    const WindowCase& c = GetParam();
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    line.SetValue(1, kHostControlMode, 0, c.mode);
    ZRTuningNodeMgr* node = Scan(line);
    ASSERT_NE(node, nullptr);
    ZRPropertiesView* view = m_Drive->GetModeView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(m_Drive->GetMode(), static_cast<long>(c.mode));
    EXPECT_EQ(Caption(view), std::string("Drive 1 - ") + c.title);
    EXPECT_EQ(m_Drive->GetModeFrame()->GetHelpTopic(), c.help);
    EXPECT_EQ(Captions(view->m_pPropertiesGrid), c.properties);
    EXPECT_EQ(Captions(view->m_pServicesGrid), c.commands);
    EXPECT_EQ(view->m_pStatusGrid->GetRows().size(), c.statuses);
    // Closing it is the drive node's: the drive is disabled and back in mode 0.
    {
        ModalScript script;
        script.ExpectMessage("The drive will be software disabled.", IDOK);
        platform::ui::ChildFrame::FrameOf(view)->close();
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(m_Drive->GetModeView(), nullptr);
    EXPECT_EQ(line.Value(1, kHostControlMode), 0u);
}

INSTANTIATE_TEST_SUITE_P(Modes, TuningWindowBack, testing::ValuesIn(kWindows),
                         [](const testing::TestParamInfo<WindowCase>& info) {
                             return "Mode" + std::to_string(info.param.mode);
                         });

TEST_F(TuningNodeOnLine, GainsTypedInTheWindowReachTheDriveAndTheDrivesOwnShowUp) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    ZRTuningNodeMgr* node = Scan(line);
    ASSERT_NE(node, nullptr);
    node->DoCommand(ID_MANUAL_POSITION_TUNE);
    ASSERT_NE(m_Drive->GetModeView(), nullptr);
    GiveWindowRoom();
    ZRPropertiesGrid* grid = Properties();
    grid->window()->activateWindow();

    // Kp shows in 1/128: 5.5 is 704 on the drive.
    const int kp = RowOf(grid, "Kp");
    ASSERT_GT(kp, 0);
    ASSERT_TRUE(grid->SetCurrentCell(kp, 2));
    ASSERT_TRUE(grid->ActivateCurrentCell());
    QWidget* editor = grid->ActiveEditor();
    ASSERT_NE(editor, nullptr);
    QWidget* keys = editor->focusProxy() ? editor->focusProxy() : editor;
    QTest::keyClick(keys, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(keys, "5.5");
    QTest::keyClick(keys, Qt::Key_Return);
    EXPECT_EQ(line.Value(1, param::kKp), 704u);
    EXPECT_EQ(grid->Value(kp, 2), "5.50");

    // A gain the drive changed by itself shows as the window idles.
    line.SetValue(1, param::kP, 0, 333);
    ASSERT_TRUE(RunIdleUntil([&] {
        ReadWindow();
        return grid->Value(RowOf(grid, "P"), 2) == "333";
    }));
    EXPECT_EQ(node->GetTuning()->GetP()->GetInternalValue(), 333u);
}

TEST_F(TuningNodeOnLine, CommandsNeedTheDriveOnLineAndStartAutotuneAlwaysAnswers) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    ZRTuningNodeMgr* node = Scan(line);
    ASSERT_NE(node, nullptr);
    const unsigned guarded[] = {ID_AUTOTUNE_WINDOW, ID_MANUAL_VELOCITY_TUNE, ID_MANUAL_POSITION_TUNE,
                                ID_START_TUNING,    ID_STOP_TUNING,          ID_TUNING_NOT_IMPLEMENTED};
    for (unsigned id : guarded)
        EXPECT_TRUE(Enabled(*node, id)) << id;
    {
        ModalScript script;
        script.ExpectMessage("Not Implemented", IDOK);
        node->DoCommand(ID_TUNING_NOT_IMPLEMENTED);
    }
    // Off line every one of them is greyed; starting autotune has no rule of its own.
    m_Drive->GetDrive()->GetDevice()->SetOffLine(true);
    for (unsigned id : guarded)
        EXPECT_FALSE(Enabled(*node, id)) << id;
    EXPECT_TRUE(Enabled(*node, ID_START_AUTOTUNE));
    {
        ModalScript script;
        script.ExpectMessage("The Drive is Offline.", IDOK);
        node->DoCommand(ID_STOP_TUNING);
    }
    m_Drive->GetDrive()->GetDevice()->SetOffLine(false);
}

// The link goes in the middle of a run: the window's reads fail, the user gives up the drive, and
// the drive leaves the tree with its window; nothing keeps waiting for the run's end.
TEST_F(TuningNodeOnLine, DriveThatStopsAnsweringDuringAutotuneLeavesWithItsWindow) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    TarvikAutotunePlay* play = line.FindPlay<TarvikAutotunePlay>();
    play->SetRunReads(1000);
    ZRTuningNodeMgr* node = Scan(line);
    ASSERT_NE(node, nullptr);
    node->DoCommand(ID_AUTOTUNE_WINDOW);
    QPointer<ZRPropertiesView> view = m_Drive->GetModeView();
    ASSERT_FALSE(view.isNull());
    GiveWindowRoom();
    node->DoCommand(ID_START_AUTOTUNE);
    ASSERT_TRUE(play->IsRunning(1));

    AnswerEveryMessage answers;
    line.PullCable();
    ASSERT_TRUE(RunIdleUntil([&] {
        if (!m_Root->GetChildren().empty() && !view.isNull())
            ReadWindow();
        return m_Root->GetChildren().empty();
    }));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(answers.seen.empty());
    EXPECT_EQ(answers.seen.front(), "Communications have been lost with the drive, Retry?");
    EXPECT_TRUE(view.isNull());
}

} // namespace
