// A Fenwa drive on line as a user walks it: found by a rescan beside a Tarvik drive, its properties
// read from the drive, edits written and stored, refusals told, a lost cable, the reset prompt, the
// velocity control panel, and the picture of its properties for docs/screenshots.
#include "FenwaScan.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/ZRAttributeRow.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZRGroupRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRPropertyGroup.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "platform/core/Directories.h"
#include "platform/ui/CellControl.h"
#include "platform/ui/ChildFrame.h"
#include "quorvance/fenwa/FenwaAnalogOut.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaNodeMgr.h"
#include "quorvance/shell/ZRFamilyRegistry.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <QComboBox>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <optional>

namespace {

using namespace std::chrono_literals;
using platform::core::IDCANCEL;
using platform::core::IDNO;
using platform::core::IDOK;
using platform::core::IDRETRY;
using platform::core::ModalKind;
using platform::core::ModalRequest;

constexpr int kOperationModes = 0x000, kSpeedWindow = 0x1F6, kCurrentBias = 0x196, kUpToSpeed = 0x1F7;

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

class FenwaRoad : public FenwaScan {
protected:
    // What the program sets up at start: its families, the motor catalogue and the row factory.
    void SetUp() override {
        FenwaScan::SetUp();
        std::filesystem::copy(platform::core::InstallDir(), m_Install.Path(),
                              std::filesystem::copy_options::recursive);
        m_InstallEnv.emplace("QUORVANCE_INSTALL_DIR", m_Install.Path().string());
        m_DataEnv.emplace("XDG_DATA_HOME", (m_Config.Path() / "data").string());
        ZRFamilyRegistry::Instance();
        ASSERT_TRUE(ZRGlobalDataMgr::Instance()->Init());
    }
    void TearDown() override {
        m_Node = nullptr;
        FenwaScan::TearDown();
        ZRGlobalDataMgr::DestroyInstance();
    }

    // Rescans the line (Tarvik node 1, Fenwa node 2) and opens the Fenwa drive's properties.
    void OpenDrive() {
        ASSERT_NO_FATAL_FAILURE(Scan(2));
        const std::vector<ZRNodeMgr*> nodes = DriveNodes();
        ASSERT_EQ(nodes.size(), 2u);
        m_Node = dynamic_cast<FenwaNodeMgr*>(nodes[1]);
        ASSERT_NE(m_Node, nullptr);
        m_Node->ShowProperties();
        ASSERT_NE(m_Node->GetPropsView(), nullptr);
        platform::ui::ChildFrame::FrameOf(m_Node->GetPropsView())->resize(900, 900);
        QCoreApplication::processEvents();
        Sent();
    }
    ZRPropertiesGrid* Properties() { return m_Node->GetPropsView()->m_pPropertiesGrid; }
    // The text the row's value cell shows (in the properties pane unless another grid is given).
    std::string ValueOf(const std::string& caption, ZRPropertiesGrid* grid = nullptr) {
        grid = grid ? grid : Properties();
        const int row = RowOf(grid, caption);
        if (row == 0)
            return "<no row " + caption + ">";
        platform::ui::CellControl* control = grid->Control(grid->GetControl(row, 2));
        return control ? control->DisplayText(grid->Style(row, 2)) : grid->Value(row, 2);
    }
    bool IsShown(const std::string& caption) {
        const int row = RowOf(Properties(), caption);
        return row > 0 && Properties()->RowHeight(row) > 0;
    }
    // Opens the collapsed group of that caption.
    void OpenGroup(const std::string& caption) {
        for (const auto& row : Properties()->GetRows())
            if (auto* group = dynamic_cast<ZRGroupRow*>(row.get());
                group && Properties()->Value(group->GetRow(), 1) == caption) {
                if (group->IsCollapsed())
                    group->OnClicked(0);
                return;
            }
        ADD_FAILURE() << "no group " << caption;
    }
    // Types the text into the row's value cell and presses Return, as a user does.
    void Type(const std::string& caption, const std::string& text) {
        ZRPropertiesGrid* grid = Properties();
        const int row = RowOf(grid, caption);
        ASSERT_GT(row, 0) << caption;
        grid->window()->activateWindow();
        ASSERT_TRUE(grid->SetCurrentCell(row, 2)) << caption;
        ASSERT_TRUE(grid->ActivateCurrentCell()) << caption;
        QWidget* editor = grid->ActiveEditor();
        ASSERT_NE(editor, nullptr);
        QWidget* keys = editor->focusProxy() ? editor->focusProxy() : editor;
        QTest::keyClick(keys, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(keys, QString::fromStdString(text));
        QTest::keyClick(keys, Qt::Key_Return);
    }
    // Picks the choice of the row's value cell.
    void Choose(const std::string& caption, const std::string& choice) {
        ZRPropertiesGrid* grid = Properties();
        const int row = RowOf(grid, caption);
        ASSERT_GT(row, 0) << caption;
        ASSERT_TRUE(grid->SetCurrentCell(row, 2)) << caption;
        ASSERT_TRUE(grid->ActivateCurrentCell()) << caption;
        auto* combo = qobject_cast<QComboBox*>(grid->ActiveEditor());
        ASSERT_NE(combo, nullptr) << caption;
        const int index = combo->findText(QString::fromStdString(choice));
        ASSERT_GE(index, 0) << choice;
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        ASSERT_TRUE(grid->EndEditing()) << caption;
    }
    // Clicks the command row of that caption in the services pane of the view.
    static void Click(ZRPropertiesView* view, const std::string& caption) {
        ASSERT_NE(view->m_pServicesGrid, nullptr);
        for (const auto& row : view->m_pServicesGrid->GetRows())
            if (auto* command = dynamic_cast<ZRCommandRow*>(row.get());
                command && command->GetCaption() == caption) {
                command->OnClickedButton(1);
                return;
            }
        ADD_FAILURE() << "no command row " << caption;
    }
    // The commands (data included) the Fenwa drive received since the last call.
    std::vector<std::string> Sent() {
        std::vector<std::string> texts;
        const std::vector<wiresim::CommandRequest> requests = fenwa.Requests();
        for (size_t i = m_Seen; i < requests.size(); ++i)
            if (requests[i].node == 2)
                texts.push_back(requests[i].command);
        m_Seen = requests.size();
        return texts;
    }
    // The drive refuses every command that starts with the head, with that status byte.
    void Refuse(const std::string& head, uint8_t status) {
        fenwa.SetHandler(
            [head, status](const wiresim::CommandRequest& r) -> std::optional<wiresim::CommandAnswer> {
                if (r.command.rfind(head, 0) == 0)
                    return wiresim::CommandAnswer::Status(status);
                return std::nullopt;
            });
    }

    FenwaNodeMgr* m_Node = nullptr;

private:
    TempDir m_Config;
    ScopedEnv m_ConfigEnv{"QUORVANCE_CONFIG_DIR", m_Config.Path().string()};
    TempDir m_Install;
    std::optional<ScopedEnv> m_InstallEnv, m_DataEnv;
    size_t m_Seen = 0;
};

TEST_F(FenwaRoad, RescanFindsTheFenwaDriveAndItsPropertiesShowWhatTheDriveHolds) {
    fenwa.SetParameter(2, kCurrentBias, "FFF6");
    fenwa.SetParameter(2, kOperationModes, "0008");
    ASSERT_NO_FATAL_FAILURE(OpenDrive());
    EXPECT_EQ(m_View->ItemText(m_Node->GetNode()), m_Node->GetDrive()->GetName().GetValue());
    EXPECT_EQ(ChildTexts(*m_Node).front(), "Mode Configuration");

    EXPECT_EQ(ValueOf("Initial Current Bias"), "-10");
    EXPECT_EQ(ValueOf("Operation Modes (Main/Override)"), "Preset Velocity/Follower");
    EXPECT_FALSE(IsShown("Speed Window")) << "its group starts collapsed";
    OpenGroup("Speed Functions");
    EXPECT_TRUE(IsShown("Speed Window"));
    EXPECT_EQ(ValueOf("Speed Window"), "10");
    // The status pane shows the drive's status flags, not the parameters of the same name.
    ZRPropertiesGrid* status = m_Node->GetPropsView()->m_pStatusGrid;
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(Captions(status),
              (std::vector<std::string>{"Current Operating Mode", "In Speed Window", "Up to Speed",
                                        "Fault/Warning", "Positive Overtravel", "Negative Overtravel"}));
    std::vector<ZRAttribute*> flags;
    for (const auto& row : status->GetRows())
        if (auto* attributeRow = dynamic_cast<ZRAttributeRow*>(row.get()))
            flags.push_back(attributeRow->GetAttribute());
    ASSERT_EQ(flags.size(), 6u);
    // The mode follows the drive's status word, which the frame's "Enabled" command state reads.
    m_Node->GetDrive()->GetDevice()->IsEnabled();
    EXPECT_EQ(ValueOf("Current Operating Mode", status), "Preset Velocity");
    for (size_t i : {1, 2, 4, 5})
        EXPECT_NE(dynamic_cast<ZRBoolAttribute*>(flags[i]), nullptr) << Captions(status)[i];
    for (ZRPropertyGroup* group : m_Node->GetMonitorTree()->GetGroups())
        if (group->GetName() == "Velocity Signals")
            EXPECT_EQ(group->GetProperties().back(), flags[2]);

    // What the drive changed by itself shows as the window idles.
    fenwa.SetParameter(2, kCurrentBias, "0021");
    ASSERT_TRUE(RunIdleUntil([&] { return ValueOf("Initial Current Bias") == "33"; }, 10s))
        << ValueOf("Initial Current Bias");
}

TEST_F(FenwaRoad, EditsAreWrittenAndStoredAndARefusalTellsThePartsTextAndKeepsTheDrivesValue) {
    ASSERT_NO_FATAL_FAILURE(OpenDrive());
    Type("Initial Current Bias", "-20");
    EXPECT_EQ(fenwa.Parameter(2, kCurrentBias), "FFEC");
    EXPECT_EQ(Sent(), std::vector<std::string>{"CHP196FFFFFFEC"});
    OpenGroup("Speed Functions");
    Type("Speed Window", "25");
    EXPECT_EQ(fenwa.Parameter(2, kSpeedWindow), "0019");
    EXPECT_EQ(ValueOf("Speed Window"), "25");

    // "Save Parameters" writes "Save Powerup" back as a stored write: "STR", then polls until "TOK".
    fenwa.SetBusyPolls(2);
    const int stores = fenwa.Stores(2);
    Click(m_Node->GetPropsView(), "Save Parameters");
    EXPECT_EQ(fenwa.Stores(2), stores + 1);
    const std::vector<std::string> sent = Sent();
    const auto store = std::find(sent.begin(), sent.end(), "STR00D00000001");
    ASSERT_NE(store, sent.end()) << ::testing::PrintToString(sent);
    EXPECT_EQ(std::count(store + 1, sent.end(), "STR"), 3) << "two BSY, then TOK";

    const struct {
        const char* caption;
        const char* typed;
        const char* refused; // the command the drive refuses
        uint8_t status;      // 0: the drive's own refusal
        bool enabled;
        const char* message;
        const char* shown; // what the drive still holds
    } refusals[] = {
        {"Initial Current Bias", "50", "CHP196", wiresim::symbol::RS, false, "Data value out of range",
         "-20"},
        {"Up to Speed", "30", "CHP1F7", wiresim::symbol::US, false, "Command not supported by drive", "20"},
        {"Drive Address", "7", "", 0, true, "Command disabled when drive is enabled.", "1"},
    };
    OpenGroup("Communications");
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.caption);
        if (r.status)
            Refuse(r.refused, r.status);
        fenwa.SetEnabled(2, r.enabled);
        const std::string before = ValueOf(r.caption);
        EXPECT_EQ(before, r.shown);
        {
            ModalScript script;
            script.ExpectMessage(r.message, IDOK);
            Type(r.caption, r.typed);
        }
        fenwa.SetHandler(nullptr);
        EXPECT_EQ(ValueOf(r.caption), r.shown);
    }
    EXPECT_EQ(fenwa.Parameter(2, kUpToSpeed), "0014");
    EXPECT_EQ(fenwa.Parameter(2, 0x00D), "0001");

    // Closing the window makes the drive keep its values for the next power-up.
    fenwa.SetEnabled(2, false);
    const int before = fenwa.Stores(2);
    platform::ui::ChildFrame::FrameOf(m_Node->GetPropsView())->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(m_Node->GetPropsView(), nullptr);
    EXPECT_EQ(fenwa.Stores(2), before + 1);
}

TEST_F(FenwaRoad, ALostCableAsksToRetryRetryGoesOnAndCancelTakesTheDriveOutOfTheTree) {
    ASSERT_NO_FATAL_FAILURE(OpenDrive());
    const std::string question = "Communications have been lost with the drive, Retry?";
    {
        // The cable is back when the user answers Retry: the write goes through.
        ModalScript script;
        script.Expect(ModalKind::MessageBox, question, [&](ModalRequest&) {
            fenwa.PlugCable();
            return IDRETRY;
        });
        fenwa.PullCable();
        Type("Initial Current Bias", "-7");
    }
    EXPECT_EQ(fenwa.Parameter(2, kCurrentBias), "FFF9");
    EXPECT_EQ(ValueOf("Initial Current Bias"), "-7");
    EXPECT_EQ(DriveNodes().size(), 2u);

    ModalScript script;
    script.ExpectMessage(question, IDCANCEL)
        .ExpectMessage("Communications have been lost with node 2", IDOK)
        .ExpectMessage("Removing drive", IDOK);
    fenwa.PullCable();
    Type("Initial Current Bias", "8");
    ASSERT_TRUE(RunIdleUntil([&] { return DriveNodes().size() == 1; }, 20s));
    m_Node = nullptr;
    EXPECT_EQ(m_Root->FindDrive(2), nullptr);
    // The Tarvik drive on the same line stays.
    ASSERT_NE(m_Root->FindDrive(1), nullptr);
    EXPECT_EQ(DriveNodes().front()->GetModel(), m_Root->FindDrive(1));
}

TEST_F(FenwaRoad, ASwitchToOrFromDualCurrentControlAsksOnceForAReset) {
    ASSERT_NO_FATAL_FAILURE(OpenDrive());
    const std::string prompt = "The drive must be reset to make your change take effect. Reset drive now?";
    const auto idle = [&] { RunIdleUntil([] { return false; }, 300ms); };
    // Other edits ask nothing (a modal the script does not expect fails the test).
    {
        ModalScript none;
        Choose("Operation Modes (Main/Override)", "Follower/None");
        Type("Initial Current Bias", "3");
        idle();
    }
    EXPECT_EQ(fenwa.Parameter(2, kOperationModes), "0001");

    // However many changes come before the idle tick, one question.
    {
        ModalScript script;
        script.ExpectMessage(prompt, IDNO);
        Choose("Operation Modes (Main/Override)", "Dual Current Control/None");
        Type("Initial Current Bias", "4");
        Choose("Operation Modes (Main/Override)", "Analog Velocity Input/None");
        idle();
        idle();
    }
    std::vector<std::string> sent = Sent();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "HWR"), 0);

    // Yes resets the drive after storing its parameters.
    {
        ModalScript script;
        script.ExpectMessage(prompt, platform::core::IDYES);
        Choose("Operation Modes (Main/Override)", "Dual Current Control/None");
        idle();
    }
    EXPECT_EQ(fenwa.Parameter(2, kOperationModes), "000B");
    sent = Sent();
    const auto store = std::find(sent.begin(), sent.end(), "STR00D00000001");
    EXPECT_NE(store, sent.end());
    EXPECT_NE(std::find(store, sent.end(), "HWR"), sent.end());
}

// The jog commands the drive at node 2 took, in order (the jog thread sends them).
class JogCounter {
public:
    explicit JogCounter(wiresim::FenwaDriveSim& sim) {
        sim.SetHandler([this](const wiresim::CommandRequest& r) -> std::optional<wiresim::CommandAnswer> {
            if (r.node == 2 && (r.command.rfind("JOG", 0) == 0 || r.command == "SVROF")) {
                std::lock_guard lock(m_Lock);
                m_Sent.push_back(r.command);
            }
            return std::nullopt;
        });
    }
    std::vector<std::string> Sent() const {
        std::lock_guard lock(m_Lock);
        return m_Sent;
    }
    long Count(const std::string& command) const {
        const std::vector<std::string> sent = Sent();
        return std::count(sent.begin(), sent.end(), command);
    }

private:
    mutable std::mutex m_Lock;
    std::vector<std::string> m_Sent;
};

TEST_F(FenwaRoad, TheVelocityPanelJogsByItsRowsAndClosingEndsWithJog0AndServoOff) {
    ASSERT_NO_FATAL_FAILURE(OpenDrive());
    JogCounter jog(fenwa);
    fenwa.SetEnabled(2, true);
    Click(m_Node->GetPropsView(), "Velocity Control Panel...");
    ZRPropertiesView* panel = m_Node->GetPanelView();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(Captions(panel->m_pPropertiesGrid), std::vector<std::string>{"Velocity Command"});
    EXPECT_EQ(panel->m_pStatusGrid, nullptr);
    ASSERT_TRUE(m_Node->IsJogging());

    const auto until = [&](const std::string& command, long count) {
        return RunEventsUntil([&] { return jog.Count(command) >= count; }, 10s);
    };
    ASSERT_TRUE(until("JOG0", 2));
    Click(panel, "Jog Forward");
    ASSERT_TRUE(until("JOG+", 3));
    Click(panel, "Jog Reverse");
    ASSERT_TRUE(until("JOG-", 2));
    const long holds = jog.Count("JOG0");
    Click(panel, "Stop");
    ASSERT_TRUE(until("JOG0", holds + 2));
    EXPECT_EQ(fenwa.Jog(2), "0");

    // Each direction was held until the next click: no stray commands in between.
    std::vector<std::string> sent = jog.Sent();
    const auto forward = std::find(sent.begin(), sent.end(), "JOG+");
    const auto reverse = std::find(sent.begin(), sent.end(), "JOG-");
    ASSERT_LT(forward, reverse);
    EXPECT_TRUE(std::all_of(forward, reverse, [](const std::string& c) { return c == "JOG+"; }));

    const size_t before = jog.Sent().size();
    platform::ui::ChildFrame::FrameOf(panel)->close();
    // The close waited for the thread: its last words are on the wire.
    EXPECT_FALSE(m_Node->IsJogging());
    EXPECT_EQ(m_Node->GetPanelView(), nullptr);
    sent = jog.Sent();
    ASSERT_GE(sent.size(), before + 2);
    EXPECT_EQ(sent[sent.size() - 2], "JOG0");
    EXPECT_EQ(sent.back(), "SVROF");
    EXPECT_FALSE(fenwa.Enabled(2));
    RunEventsUntil([] { return false; }, 600ms);
    EXPECT_EQ(jog.Sent().size(), sent.size());
}

TEST_F(FenwaRoad, AnAnalogOutputsScaleTakesTheScaleAndUnitsOfItsSignal) {
    ASSERT_NO_FATAL_FAILURE(OpenDrive());
    FenwaAnalogOut* outputs = m_Node->GetDrive()->GetAnalogOut();
    ASSERT_NE(outputs->GetChannelOptionList(), nullptr);
    const struct {
        uint32_t signal;
        const char* units;
        bool scaled;
    } cases[] = {{8, "Degrees/Volt", true}, {5, "Counts/Volt", false}, {11, "Volts/Volt", false}};
    for (const auto& s : cases) {
        outputs->GetSignal(2)->SetValue(static_cast<double>(s.signal));
        EXPECT_EQ(outputs->GetScale(2)->GetUnits(), s.units) << s.signal;
        EXPECT_EQ(outputs->GetScale(2)->GetScaleObject() != nullptr, s.scaled) << s.signal;
    }
    EXPECT_EQ(fenwa.Parameter(2, 0x201), "000B");
}

} // namespace
