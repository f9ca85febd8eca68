#include "FrameFixture.h"

#include "kitbase/model/DBStorage.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZREyeView.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/DockBar.h"
#include "platform/ui/HelpRequest.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Text.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/merrix/MerrixCommands.h"
#include "quorvance/online/OnlineCommands.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/zelna/ZelnaCommands.h"
#include "support/model/FakeStorage.h"
#include "support/model/TestDevice.h"
#include "support/model/TestObjects.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <filesystem>
#include <map>
#include <utility>

using platform::core::IDCANCEL;
using platform::core::IDNO;
using platform::core::IDOK;
using platform::core::IDYES;
using platform::core::ModalKind;
using platform::ui::FromQString;
using namespace platform::ui::ids;

namespace {

std::vector<unsigned> ButtonIds(QToolBar* bar) {
    std::vector<unsigned> ids;
    for (QAction* action : bar->actions())
        ids.push_back(action->isSeparator() ? 0u : platform::ui::CommandId(*action));
    return ids;
}

// A node over an object, as a drive's property window has one.
class PlainNode : public ZRNodeMgr {
public:
    using ZRNodeMgr::ZRNodeMgr;
    void Initialize() override {}
};

class ZRMainFrameTest : public FrameFixture {
protected:
    // Closes the frame, ends the program and starts it again with the start-up dialog cancelled.
    void Restart() {
        ASSERT_TRUE(Frame()->close());
        m_pApp->ExitInstance();
        m_pApp.reset();
        m_pApp = std::make_unique<FrameApp>();
        ModalScript script;
        ExpectStartDialog(script, IDCANCEL);
        ASSERT_TRUE(m_pApp->InitInstance({}));
    }
};

TEST_F(ZRMainFrameTest, IsBuiltWithItsBarsIndicatorAndHiddenMotionLibrary) {
    ASSERT_NO_FATAL_FAILURE(StartFrame());
    ZRMainFrame* frame = Frame();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(App().GetMainFrame(), frame);

    const std::vector<std::pair<int, std::vector<unsigned>>> bars = {
        {ID_BAR_FILE, {ID_FILE_NEW, ID_FILE_OPEN, ID_PROJECT_SAVE, ID_FILE_PRINT, ID_APP_ABOUT, ID_LOCATE}},
        {ID_BAR_EDIT,
         {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR, 0, ID_EDIT_FIND, ID_EDIT_FIND_NEXT, 0,
          ID_EDIT_UNDO, ID_EDIT_REDO, 0, ID_BOOKMARK_TOGGLE, ID_BOOKMARK_NEXT, ID_BOOKMARK_PREVIOUS,
          ID_BOOKMARK_CLEAR}},
        {ID_BAR_PROGRAM, {ID_BUILD, ID_RUN, ID_STOP, ID_KILL}},
        {ID_BAR_ENABLE, {ID_ENABLE_DRIVE, ID_DISABLE_ALL}},
    };
    for (const auto& [id, buttons] : bars) {
        QToolBar* bar = frame->GetToolBar(id);
        ASSERT_NE(bar, nullptr) << id;
        EXPECT_EQ(ButtonIds(bar), buttons) << id;
        EXPECT_EQ(frame->toolBarArea(bar), Qt::TopToolBarArea);
    }

    ZREyeView* eye = frame->GetEye();
    ASSERT_NE(eye, nullptr);
    EXPECT_EQ(eye->parentWidget(), frame->statusBar());
    EXPECT_TRUE(eye->IsTimerRunning());
    EXPECT_EQ(eye->GetScrollStep(), 2);
    EXPECT_EQ(eye->width(), 100);
    ASSERT_NE(frame->GetLinePane(), nullptr);
    EXPECT_EQ(frame->GetLinePane()->text(), QStringLiteral("Ln 1, Col 1"));
    EXPECT_FALSE(frame->GetLinePane()->isEnabled());

    ASSERT_NE(frame->GetMotionBar(), nullptr);
    EXPECT_FALSE(frame->GetMotionBar()->IsBarShown());
    EXPECT_FALSE(IsEnabled(ID_MOTION_LIBRARY));
    // Without a saved layout both windows are docked; the workspace is shown, the output hidden.
    EXPECT_TRUE(App().GetWorkspaceBar()->IsBarShown());
    EXPECT_FALSE(App().GetOutputBar()->IsBarShown());
    EXPECT_EQ(frame->dockWidgetArea(App().GetWorkspaceBar()), Qt::LeftDockWidgetArea);
    EXPECT_EQ(frame->dockWidgetArea(App().GetOutputBar()), Qt::BottomDockWidgetArea);
    EXPECT_TRUE(frame->IsWorkbookModeOn());
    EXPECT_TRUE(frame->IsWorkbookMode());

    // Node managers fill "&Commands" below its first two items.
    QMenu* commands = nullptr;
    for (QAction* top : frame->menuBar()->actions())
        if (top->text() == QStringLiteral("&Commands"))
            commands = top->menu();
    ASSERT_NE(commands, nullptr);
    ASSERT_EQ(commands->actions().size(), 2);
    EXPECT_EQ(platform::ui::CommandId(*commands->actions()[0]), ID_PROPERTIES);
}

TEST_F(ZRMainFrameTest, MenuCommandsReachTheFrameTheApplicationAndHelp) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true));
    std::vector<std::pair<unsigned long, unsigned>> help;
    platform::ui::HelpHandler previous = platform::ui::SetHelpHandler(
        [&help](unsigned long topic, unsigned command) { help.emplace_back(topic, command); });

    MenuAction(ID_WORKBOOK_MODE)->trigger();
    EXPECT_FALSE(Frame()->IsWorkbookMode());
    MenuAction(ID_WORKBOOK_MODE)->trigger();
    EXPECT_TRUE(Frame()->IsWorkbookMode());

    platform::ui::DockBar* workspace = App().GetWorkspaceBar();
    workspace->ShowBar(false);
    MenuAction(ID_SHOW_WORKSPACE)->trigger();
    EXPECT_TRUE(workspace->IsBarShown());

    MenuAction(ID_HELP_CONTENTS)->trigger();
    MenuAction(ID_RELEASE_NOTES)->trigger();
    EXPECT_EQ(help, (std::vector<std::pair<unsigned long, unsigned>>{{0, 3}, {1131, 1}}));

    // Application commands: Insert is offered while a project is open, Close closes it.
    EXPECT_TRUE(IsEnabled(ID_INSERT_PROJECT));
    ModalScript script;
    script.ExpectMessage("Save changes to Unsaved?", IDNO);
    MenuAction(ID_PROJECT_CLOSE)->trigger();
    EXPECT_FALSE(App().IsDatabaseOpen());
    EXPECT_FALSE(IsEnabled(ID_INSERT_PROJECT));
    platform::ui::SetHelpHandler(previous);
}

// Every command the menus and tool bars carry.
std::vector<QAction*> CommandActions(ZRMainFrame& frame) {
    std::vector<QAction*> actions;
    for (QAction* action : frame.findChildren<QAction*>())
        if (platform::ui::CommandId(*action) != 0 && !action->menu())
            actions.push_back(action);
    return actions;
}

// Runs the event loop until it has been idle once.
void RunUntilIdle() {
    QEventLoop loop;
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST_F(ZRMainFrameTest, EveryMenuAndToolBarCommandRunsOrIsDisabled) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true));
    const platform::ui::CommandRouter& router = Frame()->Router();
    for (QAction* action : CommandActions(*Frame())) {
        const unsigned id = platform::ui::CommandId(*action);
        bool handled = false;
        for (platform::ui::CommandTarget* target : Frame()->CommandChain())
            handled = handled || target->HasCommand(id);
        router.UpdateAction(*action);
        EXPECT_TRUE(handled || !action->isEnabled()) << FromQString(action->text()) << " " << id;
    }
    // Commands whose code does not exist yet, Disable All with no drive on line, and Close All
    // with no window to close.
    for (unsigned id : {ID_INSERT_MERRIX, ID_INSERT_ZELNA, ID_DISABLE_ALL, ID_CLOSE_ALL})
        EXPECT_FALSE(IsEnabled(id)) << id;
    for (unsigned id :
         {ID_INSERT_PROJECT, ID_INSERT_TARVIK, ID_INSERT_FENWA, ID_RESTORE_MESSAGES, ID_RESCAN, ID_RESCAN_OPTIONS,
          ID_SERIAL_PORT, ID_TARVIK_HOST_COMMANDS, ID_RECOVER_COMMUNICATIONS})
        EXPECT_TRUE(IsEnabled(id)) << id;
}

// The ids of a menu's items, 0 for a separator.
std::vector<unsigned> ItemIds(const std::vector<platform::ui::MenuItem>& items) {
    std::vector<unsigned> ids;
    for (const platform::ui::MenuItem& item : items)
        ids.push_back(item.id);
    return ids;
}

TEST_F(ZRMainFrameTest, FamiliesListTheirInsertAndToolsItems) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    std::map<std::string, std::vector<unsigned>> menus;
    for (const platform::ui::MenuItem& menu : ZRMainFrame::MainMenu())
        menus[menu.text] = ItemIds(menu.items);
    EXPECT_EQ(menus["&Insert"], (std::vector<unsigned>{ID_INSERT_PROJECT, 0, ID_INSERT_TARVIK,
                                                       ID_INSERT_MERRIX, ID_INSERT_FENWA, ID_INSERT_ZELNA}));
    const std::vector<unsigned>& tools = menus["&Tools"];
    const std::vector<unsigned> hostCommands{
        0, ID_TARVIK_HOST_COMMANDS, ID_FENWA_HOST_COMMANDS, ID_ZELNA_HOST_COMMANDS, 0, ID_DISABLE_ALL};
    EXPECT_NE(std::search(tools.begin(), tools.end(), hostCommands.begin(), hostCommands.end()), tools.end());

    // The off-line root's pop-up lists the families in its own order.
    const std::vector<platform::ui::MenuItem>* rootMenu = platform::ui::FindMenu(IDR_OFFLINE_ROOT_MENU);
    ASSERT_NE(rootMenu, nullptr);
    EXPECT_EQ(ItemIds(rootMenu->at(1).items),
              (std::vector<unsigned>{ID_EDIT_PASTE, 0, ID_INSERT_ZELNA, ID_INSERT_FENWA, ID_INSERT_TARVIK,
                                     ID_INSERT_MERRIX, ID_INSERT_PROJECT, 0, ID_PROJECT_SAVE_AS, ID_IMPORT}));
}

TEST_F(ZRMainFrameTest, ShortcutsAndButtonsFollowTheStateWithoutOpeningAMenu) {
    ASSERT_NO_FATAL_FAILURE(StartFrame());
    QAction* save = MenuAction(ID_PROJECT_SAVE);
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    QAction* saveButton = nullptr;
    for (QAction* action : Frame()->GetToolBar(ID_BAR_FILE)->actions())
        if (platform::ui::CommandId(*action) == ID_PROJECT_SAVE)
            saveButton = action;
    ASSERT_NE(saveButton, nullptr);
    RunUntilIdle();
    EXPECT_FALSE(save->isEnabled());
    EXPECT_FALSE(saveButton->isEnabled());

    App().NewDatabase();
    RunUntilIdle();
    EXPECT_TRUE(save->isEnabled());
    EXPECT_TRUE(saveButton->isEnabled());
}

TEST_F(ZRMainFrameTest, BarListShowsChosenBarsAndOpensCustomize) {
    ASSERT_NO_FATAL_FAILURE(StartFrame());
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Toolbars", [](platform::core::ModalRequest& r) {
        auto* dialog = static_cast<platform::ui::Dialog*>(r.dialog);
        EXPECT_EQ(dialog->GetCheck(ID_BAR_EDIT), 1);
        EXPECT_EQ(ZRGlobalDataMgr::m_pInstance->m_HelpTopicOverride, ID_TOOLBARS);
        dialog->SetCheck(ID_BAR_EDIT, 0);
        dialog->ClickButton(IDOK);
        return dialog->Result();
    });
    MenuAction(ID_TOOLBARS)->trigger();
    EXPECT_TRUE(Frame()->GetToolBar(ID_BAR_EDIT)->isHidden());
    EXPECT_FALSE(Frame()->GetToolBar(ID_BAR_FILE)->isHidden());

    script.Expect(ModalKind::Dialog, "Toolbars", [](platform::core::ModalRequest& r) {
        auto* dialog = static_cast<platform::ui::Dialog*>(r.dialog);
        dialog->ClickButton(ID_BAR_LIST_CUSTOMIZE);
        return dialog->Result();
    });
    script.Expect(ModalKind::Dialog, "Customize", [](platform::core::ModalRequest& r) {
        auto* dialog = static_cast<platform::ui::Dialog*>(r.dialog);
        EXPECT_EQ(ZRGlobalDataMgr::m_pInstance->m_HelpTopicOverride, ID_CUSTOMIZE);
        EXPECT_EQ(dialog->GetItems(1001), (std::vector<std::string>{"File", "Edit", "Program", "Enable"}));
        EXPECT_EQ(dialog->GetItems(1002).size(), 6u);
        dialog->SetCheck(ID_BAR_EDIT, 1);
        dialog->ClickButton(IDOK);
        return dialog->Result();
    });
    MenuAction(ID_TOOLBARS)->trigger();
    EXPECT_FALSE(Frame()->GetToolBar(ID_BAR_EDIT)->isHidden());
    EXPECT_EQ(ZRGlobalDataMgr::m_pInstance->m_HelpTopicOverride, 0u);
}

// What the user answers to "Save changes to %s?" and to the Save As dialog that Yes leads to.
struct CloseCase {
    const char* name;
    int answer;
    int saveAsButton; // 0: no Save As dialog
    bool closes;
};
// Names the case in the test listing and CTest's test names, which would otherwise show raw bytes.
void PrintTo(const CloseCase& c, std::ostream* out) {
    *out << c.name;
}

class CloseTest : public FrameFixture, public testing::WithParamInterface<CloseCase> {};

TEST_P(CloseTest, AsksToSaveAModifiedProject) {
    const CloseCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartFrame(true));
    App().GetProjectStorage()->SetModified(true);
    const std::string path = WorkFile("kept.qdb");
    {
        ModalScript script;
        script.ExpectMessage("Save changes to Unsaved?", c.answer);
        if (c.saveAsButton)
            script.ExpectFile(ModalKind::SaveFile, c.saveAsButton == IDOK ? path : std::string(),
                              c.saveAsButton);
        EXPECT_EQ(Frame()->close(), c.closes);
    }
    EXPECT_EQ(Frame()->isVisible(), !c.closes);
    EXPECT_TRUE(App().IsDatabaseOpen());
    EXPECT_EQ(std::filesystem::exists(path), c.saveAsButton == IDOK);
    // Modified until the save went through.
    EXPECT_EQ(App().GetProjectStorage()->IsModified(), c.saveAsButton != IDOK);
    // A frame that closes keeps its layout and placement; a cancelled close saves nothing.
    const std::string settings = ReadSettings();
    EXPECT_EQ(settings.find("[Toolbar03]") != std::string::npos, c.closes);
    EXPECT_EQ(settings.find("rcNormalPosition.left") != std::string::npos, c.closes);
}

INSTANTIATE_TEST_SUITE_P(Answers, CloseTest,
                         testing::Values(CloseCase{"No", IDNO, 0, true},
                                         CloseCase{"Cancel", IDCANCEL, 0, false},
                                         CloseCase{"YesSaved", IDYES, IDOK, true},
                                         CloseCase{"YesSaveAsCancelled", IDYES, IDCANCEL, false}),
                         [](const testing::TestParamInfo<CloseCase>& info) { return info.param.name; });

TEST_F(ZRMainFrameTest, AFailedSaveAfterYesKeepsTheFrameAndTheChanges) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true));
    const std::string path = WorkFile("plant.qdb");
    {
        ModalScript script;
        script.ExpectFile(ModalKind::SaveFile, path, IDOK);
        ASSERT_TRUE(App().SaveAsDatabase());
    }
    std::filesystem::permissions(path,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    App().GetProjectStorage()->SetModified(true);
    {
        ModalScript script;
        script.ExpectMessage("Save changes to plant.qdb?", IDYES);
        script.ExpectMessage("read-only", IDOK);
        EXPECT_FALSE(Frame()->close());
    }
    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_TRUE(App().GetProjectStorage()->IsModified());
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

TEST_F(ZRMainFrameTest, ClosesWithoutAskingUnlessTheProjectWindowsRefuse) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true));
    App().GetProjectStorage()->SetModified(true);
    App().RootMgr()->m_bCanClose = false;
    EXPECT_FALSE(Frame()->close());
    EXPECT_EQ(ReadSettings().find("[Toolbar03]"), std::string::npos);

    App().RootMgr()->m_bCanClose = true;
    App().GetProjectStorage()->SetModified(false);
    EXPECT_TRUE(Frame()->close());
}

TEST_F(ZRMainFrameTest, PlacementAndBarLayoutComeBackAtTheNextStart) {
    ASSERT_NO_FATAL_FAILURE(StartFrame());
    const QRect placed(40, 50, 600, 400);
    Frame()->setGeometry(placed);
    Frame()->GetToolBar(ID_BAR_EDIT)->hide();
    App().GetOutputBar()->ShowBar(false);
    App().GetWorkspaceBar()->ShowBar(false);
    // The layout is back as start-up returns, before any event has run.
    ASSERT_NO_FATAL_FAILURE(Restart());
    EXPECT_EQ(Frame()->geometry(), placed);
    EXPECT_TRUE(Frame()->GetToolBar(ID_BAR_EDIT)->isHidden());
    EXPECT_FALSE(Frame()->GetToolBar(ID_BAR_FILE)->isHidden());
    EXPECT_FALSE(App().GetOutputBar()->IsBarShown());
    EXPECT_FALSE(App().GetWorkspaceBar()->IsBarShown());
    EXPECT_FALSE(Frame()->GetMotionBar()->IsBarShown());
}

TEST_F(ZRMainFrameTest, OutputBarIsHiddenAfterAFreshStartAndASavedLayoutShowsIt) {
    ASSERT_NO_FATAL_FAILURE(StartFrame());
    EXPECT_FALSE(App().GetOutputBar()->IsBarShown());
    App().GetOutputBar()->ShowBar(true);
    // The user showed it: the saved layout brings it back.
    ASSERT_NO_FATAL_FAILURE(Restart());
    EXPECT_TRUE(App().GetOutputBar()->IsBarShown());
}

TEST_F(ZRMainFrameTest, TabsOfOnLineWindowsAreGreen) {
    FakeStorage storage;
    TestObject object;
    object.Init();
    const QColor face = QApplication::palette().color(QPalette::Button);
    for (bool offLine : {false, true}) {
        TestDevice device(&storage, offLine);
        object.SetDevice(&device);
        PlainNode node(nullptr, &object, nullptr);
        CSizableChildFrame frame;
        frame.SetController(&node);
        EXPECT_EQ(ZRMainFrame::TabColour(&frame), offLine ? face : QColor(0, 255, 0)) << offLine;
        frame.SetController(nullptr);
        EXPECT_EQ(ZRMainFrame::TabColour(&frame), face);
    }
    object.SetDevice(nullptr);
}

// Not a check: with QUORVANCE_SCREENSHOT naming a PNG file, under an X server (xvfb-run with
// QT_QPA_PLATFORM=xcb), the real program is started on a saved project and the screen is grabbed.
TEST_F(ZRMainFrameTest, ScreenshotOfTheRunningProgram) {
    const char* target = std::getenv("QUORVANCE_SCREENSHOT");
    if (!target || QGuiApplication::platformName() != QStringLiteral("xcb"))
        GTEST_SKIP() << "set QUORVANCE_SCREENSHOT and run under an X server";
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    const std::string project = WorkFile("Demo.qdb");
    {
        ModalScript script;
        script.ExpectFile(ModalKind::SaveFile, project, IDOK);
        ASSERT_TRUE(App().SaveAsDatabase());
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    Frame()->setGeometry(screen->geometry());
    ASSERT_TRUE(Frame()->close());
    m_pApp->ExitInstance();
    m_pApp.reset();

    QProcess program;
    program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/quorvance"),
                  {QString::fromStdString(project)});
    ASSERT_TRUE(program.waitForStarted());
    QTest::qWait(4000);
    EXPECT_EQ(program.state(), QProcess::Running) << program.readAllStandardError().toStdString();
    const QPixmap shot = screen->grabWindow(0);
    program.kill();
    program.waitForFinished();
    EXPECT_TRUE(shot.save(QString::fromLocal8Bit(target)));
}

} // namespace
