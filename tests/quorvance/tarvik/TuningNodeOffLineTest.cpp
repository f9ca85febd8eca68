// The tuning node of an off-line drive in a project of the running application: its menu, its
// property sheet with and without the "eng" switch, and a tuning window whose gains go with the
// saved project.
#include "../shell/FrameFixture.h"

#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "platform/core/Directories.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "quorvance/shell/ZRNewDriveTypeDlg.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "quorvance/tarvik/ZRTuning.h"
#include "quorvance/tarvik/ZRTuningNodeMgr.h"

#include <QCoreApplication>
#include <QMenu>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using platform::core::IDOK;
using platform::core::ModalKind;

bool Enabled(ZRNodeMgr& node, unsigned id) {
    platform::ui::CommandState state;
    node.OnUpdateCommand(id, state);
    return state.enabled;
}

std::vector<std::string> Captions(ZRPropertiesGrid* grid) {
    std::vector<std::string> captions;
    for (int row = 1; grid && row <= static_cast<int>(grid->GetRows().size()); ++row)
        captions.push_back(grid->Value(row, 1));
    return captions;
}

bool Holds(const std::vector<std::string>& captions, const std::string& caption) {
    return std::find(captions.begin(), captions.end(), caption) != captions.end();
}

// Every command id of a menu and its sub-menus.
std::vector<unsigned> Ids(QMenu* menu) {
    std::vector<unsigned> ids;
    for (QAction* action : menu->actions()) {
        if (action->menu()) {
            std::vector<unsigned> sub = Ids(action->menu());
            ids.insert(ids.end(), sub.begin(), sub.end());
        } else if (!action->isSeparator()) {
            ids.push_back(platform::ui::CommandId(*action));
        }
    }
    return ids;
}

// The grid row whose caption is given, or 0.
int RowOf(ZRPropertiesGrid* grid, const std::string& caption) {
    const std::vector<std::string> captions = Captions(grid);
    const auto found = std::find(captions.begin(), captions.end(), caption);
    return found == captions.end() ? 0 : static_cast<int>(found - captions.begin()) + 1;
}

class TuningNodeOffLine : public FrameFixture {
protected:
    void SetUp() override {
        const std::filesystem::path catalogue =
            std::filesystem::path(platform::core::InstallDir()) / "Motors.mdb";
        FrameFixture::SetUp();
        std::filesystem::copy_file(catalogue, Install() / "Motors.mdb",
                                   std::filesystem::copy_options::overwrite_existing);
        WriteSettings("[Tip Of Day]\nShowAtStartup=0\n[Message1]\nShowMessage=0\n");
    }
    // A drive added to the project the way Insert > Tarvik Drive adds one, with its node and its
    // tuning node.
    void Insert() {
        {
            ModalScript script;
            script.Expect(ModalKind::Dialog, "Select New Drive",
                          platform::ui::PressDialogButton(IDOK, [](platform::ui::Dialog& d) {
                              d.SetSelection(ZRNewDriveTypeDlg::IDC_DRIVE_MODEL, 13);
                          }));
            MenuAction(ID_INSERT_TARVIK)->trigger();
        }
        ASSERT_NO_FATAL_FAILURE(FindDrive());
    }
    // The project's one drive, its node and its tuning node.
    void FindDrive() {
        m_pDrive = dynamic_cast<ZRDrive*>(OnlyOffLineChild());
        ASSERT_NE(m_pDrive, nullptr);
        m_pDriveNode = dynamic_cast<ZRDriveNodeMgr*>(NodeUnder(Shell().Root()->GetNode(), m_pDrive));
        ASSERT_NE(m_pDriveNode, nullptr);
        m_pTuningNode =
            dynamic_cast<ZRTuningNodeMgr*>(NodeUnder(m_pDriveNode->GetNode(), m_pDrive->GetTuning()));
        ASSERT_NE(m_pTuningNode, nullptr);
    }
    // Types the text into the value cell of the row and presses Return, as a user does.
    static void Type(ZRPropertiesGrid* grid, int row, const std::string& text) {
        grid->window()->activateWindow();
        ASSERT_TRUE(grid->SetCurrentCell(row, 2));
        ASSERT_TRUE(grid->ActivateCurrentCell());
        QWidget* editor = grid->ActiveEditor();
        ASSERT_NE(editor, nullptr);
        QWidget* keys = editor->focusProxy() ? editor->focusProxy() : editor;
        QTest::keyClick(keys, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(keys, QString::fromStdString(text));
        QTest::keyClick(keys, Qt::Key_Return);
    }
    void CloseModeWindow() {
        ZRPropertiesView* view = m_pDriveNode->GetModeView();
        ASSERT_NE(view, nullptr);
        {
            // An off-line drive's window just closes.
            ModalScript script;
            platform::ui::ChildFrame::FrameOf(view)->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        EXPECT_EQ(m_pDriveNode->GetModeView(), nullptr);
    }
    // Save As under the name, close the project and open the saved file again.
    void SaveCloseReopen(const std::string& name) {
        {
            ModalScript script;
            script.ExpectFile(ModalKind::SaveFile, WorkFile(name), IDOK);
            ASSERT_TRUE(App().SaveAsDatabase());
        }
        ASSERT_TRUE(App().CloseDatabase());
        {
            ModalScript script;
            script.ExpectFile(ModalKind::OpenFile, WorkFile(name + ".qdb"), IDOK);
            App().OpenDatabase();
        }
        ASSERT_NO_FATAL_FAILURE(FindDrive());
    }

    ZRDrive* m_pDrive = nullptr;
    ZRDriveNodeMgr* m_pDriveNode = nullptr;
    ZRTuningNodeMgr* m_pTuningNode = nullptr;
};

TEST_F(TuningNodeOffLine, MenuHoldsTheWindowsGreyedAndTheSheetHidesTheCurrentGains) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    ASSERT_NO_FATAL_FAILURE(Insert());
    ZRTuningNodeMgr& node = *m_pTuningNode;
    std::unique_ptr<QMenu> holder;
    QMenu* menu = node.CreateContextMenu(holder);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Ids(menu), (std::vector<unsigned>{ID_PROPERTIES, ID_AUTOTUNE_WINDOW, ID_MANUAL_VELOCITY_TUNE,
                                                ID_MANUAL_POSITION_TUNE}));
    for (unsigned id : {ID_AUTOTUNE_WINDOW, ID_MANUAL_VELOCITY_TUNE, ID_MANUAL_POSITION_TUNE, ID_START_TUNING,
                        ID_STOP_TUNING, ID_TUNING_NOT_IMPLEMENTED})
        EXPECT_FALSE(Enabled(node, id)) << id;
    EXPECT_TRUE(Enabled(node, ID_START_AUTOTUNE));

    node.ShowProperties();
    ZRPropertiesView* sheet = node.GetPropsView();
    ASSERT_NE(sheet, nullptr);
    const std::vector<std::string> captions = Captions(sheet->m_pPropertiesGrid);
    for (const char* group : {"Velocity Regulator Gains", "Position Regulator Gains", "Low Pass Filter"})
        EXPECT_TRUE(Holds(captions, group)) << group;
    EXPECT_FALSE(Holds(captions, "Current Regulator Gains"));
    EXPECT_FALSE(Holds(captions, "Operating Mode"));
}

// Off line the window has nothing to run and nothing live to show; the gains typed into it are
// the project's and come back with it. A reopened project reads its values when they are shown,
// so the block is read here as a row reads it.
TEST_F(TuningNodeOffLine, WindowGainsAreSavedWithTheProject) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    ASSERT_NO_FATAL_FAILURE(Insert());
    m_pTuningNode->DoCommand(ID_MANUAL_POSITION_TUNE);
    ZRPropertiesView* view = m_pDriveNode->GetModeView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(!view->m_pServicesGrid || view->m_pServicesGrid->GetRows().empty());
    EXPECT_TRUE(!view->m_pStatusGrid || view->m_pStatusGrid->GetRows().empty());

    const int kp = RowOf(view->m_pPropertiesGrid, "Kp");
    ASSERT_NE(kp, 0);
    ASSERT_NO_FATAL_FAILURE(Type(view->m_pPropertiesGrid, kp, "6"));
    EXPECT_EQ(m_pDrive->GetTuning()->GetKp()->GetInternalValue(), 768u);
    ASSERT_NO_FATAL_FAILURE(CloseModeWindow());

    ASSERT_NO_FATAL_FAILURE(SaveCloseReopen("tuning"));
    ZRUlongAttribute* reopened = m_pDrive->GetTuning()->GetKp();
    reopened->Refresh(false);
    EXPECT_EQ(reopened->GetInternalValue(), 768u);
    EXPECT_EQ(reopened->GetAsString(), "6.00");
    m_pTuningNode->DoCommand(ID_MANUAL_POSITION_TUNE);
    view = m_pDriveNode->GetModeView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->m_pPropertiesGrid->Value(RowOf(view->m_pPropertiesGrid, "Kp"), 2), "6.00");
}

// The other windows that edit a drive's stored values off line: what is typed comes back with the
// reopened project, in the same window.
TEST_F(TuningNodeOffLine, EveryWindowsTypedValueIsSavedWithTheProject) {
    struct Case {
        unsigned command;
        bool driveNode; // the drive node's own panel, else a tuning window
        const char* caption;
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {
        {ID_AUTOTUNE_WINDOW, false, "Step Current", "25", "25"},
        {ID_AUTOTUNE_WINDOW, false, "P", "321", "321"},
        {ID_MANUAL_VELOCITY_TUNE, false, "Bandwidth", "200", "200"},
        {ID_MANUAL_VELOCITY_TUNE, false, "Time", "750", "750"},
        {ID_MANUAL_POSITION_TUNE, false, "Distance", "900", "900"},
        {ID_VELOCITY_PANEL, true, "Acceleration", "20000", "20000"},
    };
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    ASSERT_NO_FATAL_FAILURE(Insert());
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        const auto open = [&] {
            ZRNodeMgr* node = c.driveNode ? static_cast<ZRNodeMgr*>(m_pDriveNode) : m_pTuningNode;
            node->DoCommand(c.command);
            ZRPropertiesView* view = m_pDriveNode->GetModeView();
            return view ? view->m_pPropertiesGrid : nullptr;
        };
        ZRPropertiesGrid* grid = open();
        ASSERT_NE(grid, nullptr);
        const int row = RowOf(grid, c.caption);
        ASSERT_NE(row, 0);
        ASSERT_NO_FATAL_FAILURE(Type(grid, row, c.typed));
        EXPECT_EQ(grid->Value(row, 2), c.shown);
        ASSERT_NO_FATAL_FAILURE(CloseModeWindow());

        ASSERT_NO_FATAL_FAILURE(SaveCloseReopen("window" + std::to_string(++n)));
        grid = open();
        ASSERT_NE(grid, nullptr);
        EXPECT_EQ(grid->Value(RowOf(grid, c.caption), 2), c.shown);
        ASSERT_NO_FATAL_FAILURE(CloseModeWindow());
    }
}

// The program started for real, with and without the switch.
using TuningNodeApp = AppFixture;

TEST_F(TuningNodeApp, CurrentRegulatorGainsComeOnlyWithTheEngineeringSwitch) {
    for (bool engineering : {false, true}) {
        SCOPED_TRACE(engineering);
        {
            ModalScript script;
            ExpectStartDialog(script, platform::core::IDCANCEL);
            ASSERT_TRUE(Start(engineering ? std::vector<std::string>{"-eng"} : std::vector<std::string>{}));
        }
        {
            auto drive = std::make_unique<ZRDrive>(tarvik::kStandardDriveType);
            drive->Init();
            ZRTuningNodeMgr node(drive->GetTuning(), nullptr, nullptr);
            node.Initialize();
            node.ShowProperties();
            ASSERT_NE(node.GetPropsView(), nullptr);
            const std::vector<std::string> captions = Captions(node.GetPropsView()->m_pPropertiesGrid);
            EXPECT_EQ(Holds(captions, "Current Regulator Gains"), engineering);
            EXPECT_EQ(Holds(captions, "Kpd"), engineering);
            node.CloseWindows();
        }
        App().ExitInstance();
        m_pApp.reset();
        ZRGlobalDataMgr::DestroyInstance();
    }
}

} // namespace
