#include "quorvance/shell/ZRMainFrame.h"

#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZREyeView.h"
#include "kitbase/ui/ZRNodeMgr.h"
#include "kitbase/ui/ZRProgressMeter.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/Modal.h"
#include "platform/ui/ChildFrame.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DockBar.h"
#include "platform/ui/Guard.h"
#include "platform/ui/HelpRequest.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Text.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/ZRFamilyRegistry.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "quorvance/shell/ZRQuorvanceApp.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProxyStyle>
#include <QStatusBar>
#include <QStyleOption>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#ifndef QT_NO_SESSIONMANAGER
#include <QSessionManager>
#endif

using platform::ui::MenuItem;
using namespace platform::ui::ids;

namespace {

constexpr int kEyeWidth = 100;
constexpr int kMotionBarHeight = 130;
constexpr double kMotionBarShare = 0.3;
constexpr const char* kBarStateValue = "BarState";

struct Button {
    unsigned id; // 0: a separator
    const char* text;
    const char* icon; // its name in the program's icon set
};

struct Bar {
    int id;
    const char* title;
    std::vector<Button> buttons;
};

const std::vector<Bar>& Bars() {
    static const std::vector<Bar> bars = {
        {ID_BAR_FILE,
         "File",
         {{ID_FILE_NEW, "New", "document-new"},
          {ID_FILE_OPEN, "Open", "document-open"},
          {ID_PROJECT_SAVE, "Save", "document-save"},
          {ID_FILE_PRINT, "Print", "document-print"},
          {ID_APP_ABOUT, "About", "help-about"},
          {ID_LOCATE, "Locate", "locate"}}},
        {ID_BAR_EDIT,
         "Edit",
         {{ID_EDIT_CUT, "Cut", "edit-cut"},
          {ID_EDIT_COPY, "Copy", "edit-copy"},
          {ID_EDIT_PASTE, "Paste", "edit-paste"},
          {ID_EDIT_CLEAR, "Delete", "edit-delete"},
          {0, nullptr, nullptr},
          {ID_EDIT_FIND, "Find", "edit-find"},
          {ID_EDIT_FIND_NEXT, "Find Next", "find-next"},
          {0, nullptr, nullptr},
          {ID_EDIT_UNDO, "Undo", "edit-undo"},
          {ID_EDIT_REDO, "Redo", "edit-redo"},
          {0, nullptr, nullptr},
          {ID_BOOKMARK_TOGGLE, "Toggle Bookmark", "bookmark-toggle"},
          {ID_BOOKMARK_NEXT, "Next Bookmark", "bookmark-next"},
          {ID_BOOKMARK_PREVIOUS, "Previous Bookmark", "bookmark-previous"},
          {ID_BOOKMARK_CLEAR, "Clear All Bookmarks", "bookmark-clear"}}},
        {ID_BAR_PROGRAM,
         "Program",
         {{ID_BUILD, "Build", "program-build"},
          {ID_RUN, "Run", "program-run"},
          {ID_STOP, "Stop", "program-stop"},
          {ID_KILL, "Kill", "program-kill"}}},
        {ID_BAR_ENABLE,
         "Enable",
         {{ID_ENABLE_DRIVE, "Enable", "enable-drive"}, {ID_DISABLE_ALL, "Disable All", "disable-all"}}},
    };
    return bars;
}

// The tool-bar button's icon for a command, shown by its menu entries as well; null for none.
QIcon CommandIcon(unsigned id) {
    for (const Bar& bar : Bars())
        for (const Button& button : bar.buttons)
            if (button.id == id)
                return platform::ui::Resources::SetIcon(button.icon);
    return {};
}

// Menu entries of commands that have a tool-bar button show its icon.
void SetMenuIcons(QMenu& menu) {
    for (QAction* action : menu.actions()) {
        if (QMenu* sub = action->menu())
            SetMenuIcons(*sub);
        else if (unsigned id = platform::ui::CommandId(*action))
            action->setIcon(CommandIcon(id));
    }
}

// Whether the frame is a program-editor window; the program editor brings its frame class.
bool IsProgramEditorFrame(platform::ui::ChildFrame*) {
    return false;
}

// A bar's box is ticked while the bar is not hidden.
void ShowBarChecks(platform::ui::Dialog& dialog, const std::vector<QToolBar*>& bars) {
    for (QToolBar* bar : bars)
        dialog.SetCheck(bar->property("barId").toInt(), bar->isHidden() ? 0 : 1);
}

void ApplyBarChecks(platform::ui::Dialog& dialog, const std::vector<QToolBar*>& bars) {
    for (QToolBar* bar : bars)
        bar->setVisible(dialog.GetCheck(bar->property("barId").toInt()) == 1);
}

// The bar list of the tool-bar manager: a box per tool bar and the Customize button.
class BarListDialog : public platform::ui::Dialog {
public:
    BarListDialog(QWidget* parent, std::vector<QToolBar*> bars)
        : Dialog(ID_TOOLBARS, "Toolbars", Controls(), parent), m_Bars(std::move(bars)) {
        SetButtonHandler(ID_BAR_LIST_CUSTOMIZE, [this] { EndDialog(ID_BAR_LIST_CUSTOMIZE); });
    }

    // Shows or hides the bars as their boxes say.
    void Apply() { ApplyBarChecks(*this, m_Bars); }

protected:
    bool OnInitDialog() override {
        ShowBarChecks(*this, m_Bars);
        return Dialog::OnInitDialog();
    }

private:
    static std::vector<platform::ui::ControlSpec> Controls() {
        using platform::ui::ControlSpec;
        std::vector<ControlSpec> controls;
        for (const Bar& bar : Bars())
            controls.push_back(ControlSpec::Check(bar.id, bar.title));
        controls.push_back(ControlSpec::DefaultButton(platform::core::IDOK, "OK"));
        controls.push_back(ControlSpec::Button(platform::core::IDCANCEL, "Cancel"));
        controls.push_back(ControlSpec::Button(ID_BAR_LIST_CUSTOMIZE, "Customize..."));
        return controls;
    }

    std::vector<QToolBar*> m_Bars;
};

// The Customize sheet: the tool bars shown and, on the command page, the buttons of each group.
class CustomizeDialog : public platform::ui::Dialog {
public:
    enum : int { IDC_GROUPS = 1001, IDC_BUTTONS = 1002, IDC_BARS_LABEL = 1003, IDC_COMMAND_LABEL = 1004 };

    CustomizeDialog(QWidget* parent, std::vector<QToolBar*> bars)
        : Dialog(ID_CUSTOMIZE, "Customize", Controls(), parent), m_Bars(std::move(bars)) {}

    void Apply() { ApplyBarChecks(*this, m_Bars); }

protected:
    bool OnInitDialog() override {
        ShowBarChecks(*this, m_Bars);
        std::vector<std::string> groups;
        for (const Bar& bar : Bars())
            groups.push_back(bar.title);
        SetItems(IDC_GROUPS, groups);
        SetSelection(IDC_GROUPS, 0);
        ShowGroup(0);
        return Dialog::OnInitDialog();
    }
    void OnControlChanged(int id) override {
        if (id == IDC_GROUPS)
            ShowGroup(GetSelection(IDC_GROUPS));
    }

private:
    void ShowGroup(int index) {
        std::vector<std::string> texts;
        if (index >= 0 && size_t(index) < Bars().size())
            for (const Button& button : Bars()[size_t(index)].buttons)
                texts.push_back(button.id ? button.text : "----");
        SetItems(IDC_BUTTONS, texts);
    }
    static std::vector<platform::ui::ControlSpec> Controls() {
        using platform::ui::ControlSpec;
        std::vector<ControlSpec> controls;
        controls.push_back(ControlSpec::Static(IDC_BARS_LABEL, "Toolbars:"));
        for (const Bar& bar : Bars())
            controls.push_back(ControlSpec::Check(bar.id, bar.title));
        controls.push_back(ControlSpec::Static(IDC_COMMAND_LABEL, "Command"));
        controls.push_back(ControlSpec::List(IDC_GROUPS));
        controls.push_back(ControlSpec::List(IDC_BUTTONS));
        controls.push_back(ControlSpec::DefaultButton(platform::core::IDOK, "OK"));
        controls.push_back(ControlSpec::Button(platform::core::IDCANCEL, "Cancel"));
        return controls;
    }

    std::vector<QToolBar*> m_Bars;
};

// Keeps the global data's help topic on a dialog's own while it is up.
class HelpOverride {
public:
    explicit HelpOverride(unsigned long topic) {
        if (ZRGlobalDataMgr* data = ZRGlobalDataMgr::m_pInstance)
            data->m_HelpTopicOverride = topic;
    }
    ~HelpOverride() {
        if (ZRGlobalDataMgr* data = ZRGlobalDataMgr::m_pInstance)
            data->m_HelpTopicOverride = 0;
    }
    HelpOverride(const HelpOverride&) = delete;
    HelpOverride& operator=(const HelpOverride&) = delete;
};

// The menu text "&Open...\tCtrl+O": the key after the tab becomes the item's shortcut.
void ApplyShortcuts(QMenu& menu) {
    for (QAction* action : menu.actions()) {
        if (QMenu* sub = action->menu()) {
            ApplyShortcuts(*sub);
            continue;
        }
        const QString text = action->text();
        const qsizetype tab = text.indexOf(QLatin1Char('\t'));
        if (tab < 0)
            continue;
        action->setText(text.left(tab));
        action->setShortcut(QKeySequence(text.mid(tab + 1)));
    }
}

} // namespace

// Paints the tab of an on-line window green.
class ZRMainFrame::TabStyle : public QProxyStyle {
public:
    explicit TabStyle(ZRMainFrame* frame) : m_pFrame(frame) {}

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (element == CE_TabBarTabShape) {
            if (auto* tabs = qobject_cast<const QTabBar*>(widget)) {
                int index = tabs->tabAt(option->rect.center());
                const QList<QMdiSubWindow*> windows = m_pFrame->DocumentArea()->subWindowList();
                if (index >= 0 && index < windows.size()) {
                    QColor colour = TabColour(dynamic_cast<platform::ui::ChildFrame*>(windows[index]));
                    if (colour == QColor(0, 255, 0)) {
                        painter->fillRect(option->rect, colour);
                        return;
                    }
                }
            }
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }

private:
    ZRMainFrame* m_pFrame;
};

std::unique_ptr<ZRMainFrame> ZRMainFrame::Create() {
    auto frame = std::make_unique<ZRMainFrame>();
    if (frame->OnCreate() == -1)
        return nullptr;
    return frame;
}

ZRMainFrame::ZRMainFrame(QWidget* parent) : MainWindow(parent) {
    setObjectName(QStringLiteral("MainFrame"));
}

ZRMainFrame::~ZRMainFrame() {
    if (m_pStyledTabs)
        m_pStyledTabs->setStyle(nullptr);
    ZRProgressMeter::RemoveHost();
}

// ---- Creation

int ZRMainFrame::OnCreate() {
    CreateMenus();
    CreateToolBars();
    if (!CreateStatusBar())
        return -1;
    setDockNestingEnabled(true);
    if (!CreateMotionBar())
        return -1;
    ZRProgressMeter::InstallHost();

    LoadToolbarState();
    m_bWorkbookMode = true;
    SetWorkbookMode(true);
    StyleTabs();

#ifndef QT_NO_SESSIONMANAGER
    // The session ends: the same steps as closing the frame.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (!platform::ui::GuardResult("end session", false, [this] { return OnClose(); }))
            manager.cancel();
    });
#endif
    return 0;
}

namespace {
// The items of a shell menu with the families' items of that menu between head and tail.
std::vector<MenuItem> WithFamilyItems(std::vector<MenuItem> head, ZRFamilyMenu menu,
                                      std::initializer_list<MenuItem> tail) {
    for (const ZRMenuEntry& entry : ZRFamilyRegistry::Instance().MenuEntries(menu))
        head.emplace_back(entry.id, entry.text);
    head.insert(head.end(), tail);
    return head;
}
} // namespace

const std::vector<MenuItem>& ZRMainFrame::MainMenu() {
    static const std::vector<MenuItem> menu = {
        {"&File",
         {{ID_FILE_NEW, "&New\tCtrl+N"},
          {ID_FILE_OPEN, "&Open...\tCtrl+O"},
          {ID_PROJECT_CLOSE, "&Close"},
          MenuItem::Separator(),
          {ID_PROJECT_SAVE, "&Save\tCtrl+S"},
          {ID_PROJECT_SAVE_AS, "Save &As..."},
          MenuItem::Separator(),
          {ID_FILE_PRINT, "&Print...\tCtrl+P"},
          {ID_FILE_PRINT_PREVIEW, "Print Pre&view"},
          {ID_FILE_PRINT_SETUP, "P&rint Setup..."},
          MenuItem::Separator(),
          {ID_FILE_MRU_FIRST, "Recent File"},
          {ID_FILE_MRU_FIRST + 1, "Recent File 2"},
          {ID_FILE_MRU_FIRST + 2, "Recent File 3"},
          {ID_FILE_MRU_FIRST + 3, "Recent File 4"},
          MenuItem::Separator(),
          {ID_APP_EXIT, "E&xit"}}},
        {"&Edit",
         {{ID_EDIT_UNDO, "&Undo\tCtrl+Z"},
          {ID_EDIT_REDO, "&Redo\tCtrl+Y"},
          MenuItem::Separator(),
          {ID_EDIT_CUT, "Cu&t\tCtrl+X"},
          {ID_EDIT_COPY, "&Copy\tCtrl+C"},
          {ID_EDIT_PASTE, "&Paste\tCtrl+V"},
          {ID_EDIT_CLEAR, "&Delete\tDel"},
          MenuItem::Separator(),
          {ID_EDIT_FIND, "&Find...\tCtrl+F"},
          {ID_EDIT_FIND_NEXT, "Find &Next\tF3"},
          MenuItem::Separator(),
          {ID_BOOKMARK_TOGGLE, "Toggle &Bookmark"},
          {ID_BOOKMARK_NEXT, "Ne&xt Bookmark"},
          {ID_BOOKMARK_PREVIOUS, "P&revious Bookmark"},
          {ID_BOOKMARK_CLEAR, "C&lear All Bookmarks"}}},
        {"&View",
         {{ID_TOOLBARS, "&Toolbars..."},
          {ID_CUSTOMIZE, "C&ustomize..."},
          MenuItem::Separator(),
          {ID_VIEW_WORKSPACE, "&Workspace"},
          {ID_VIEW_OUTPUT, "&Output"},
          {ID_MOTION_LIBRARY, "&Motion Library"},
          MenuItem::Separator(),
          {ID_WORKBOOK_MODE, "Work&book Mode"}}},
        {"&Insert",
         WithFamilyItems({{ID_INSERT_PROJECT, "&Project"}, MenuItem::Separator()}, ZRFamilyMenu::Insert, {})},
        {"&Tools", WithFamilyItems({{ID_RESCAN, "&Rescan"},
                                    {ID_RESCAN_OPTIONS, "Rescan &Options..."},
                                    MenuItem::Separator(),
                                    {ID_SERIAL_PORT, "&Serial Port..."},
                                    {ID_RECOVER_COMMUNICATIONS, "Re&cover Communications..."},
                                    {ID_UPGRADE_FIRMWARE, "&Upgrade Firmware..."},
                                    MenuItem::Separator()},
                                   ZRFamilyMenu::Tools,
                                   {MenuItem::Separator(),
                                    {ID_DISABLE_ALL, "&Disable All"},
                                    MenuItem::Separator(),
                                    {ID_RESTORE_MESSAGES, "Restore all hidden &messages"}})},
        {"&Program", {{ID_BUILD, "&Build"}, {ID_RUN, "&Run"}, {ID_STOP, "&Stop"}, {ID_KILL, "&Kill"}}},
        {"&Commands", {{ID_PROPERTIES, "&Properties..."}, MenuItem::Separator()}},
        {"&Window",
         {{ID_SHOW_WORKSPACE, "&Workspace\tF7"},
          {ID_LOCATE, "&Locate"},
          MenuItem::Separator(),
          {ID_WINDOW_CASCADE, "&Cascade"},
          {ID_WINDOW_TILE, "&Tile"},
          {ID_CLOSE_ALL, "Close &All"}}},
        {"&Help",
         {{ID_HELP_CONTENTS, "&Contents and Index"},
          {ID_RELEASE_NOTES, "&Release Notes"},
          {ID_TIP_OF_THE_DAY, "&Tip of the Day..."},
          {ID_SELF_TEST, "T&est"},
          MenuItem::Separator(),
          {ID_APP_ABOUT, "&About Quorvance..."}}},
    };
    return menu;
}

void ZRMainFrame::CreateMenus() {
    platform::ui::FillMenuBar(*menuBar(), MainMenu());
    for (QAction* top : menuBar()->actions()) {
        QMenu* menu = top->menu();
        if (!menu)
            continue;
        ApplyShortcuts(*menu);
        SetMenuIcons(*menu);
        Router().Attach(*menu);
        WatchMenu(menu);
    }
}

void ZRMainFrame::WatchMenu(QMenu* menu) {
    menu->installEventFilter(this);
    for (QAction* action : menu->actions())
        if (QMenu* sub = action->menu())
            WatchMenu(sub);
}

void ZRMainFrame::CreateToolBars() {
    for (const Bar& bar : Bars()) {
        auto* toolBar = new QToolBar(QString::fromLatin1(bar.title), this);
        // The saved layout knows each bar by its name.
        toolBar->setObjectName(QString::fromLatin1(bar.title));
        toolBar->setProperty("barId", bar.id);
        toolBar->setAllowedAreas(Qt::AllToolBarAreas);
        toolBar->setIconSize(QSize(16, 16));
        for (const Button& button : bar.buttons) {
            if (!button.id) {
                toolBar->addSeparator();
                continue;
            }
            QAction* action = toolBar->addAction(platform::ui::Resources::SetIcon(button.icon),
                                                 QString::fromLatin1(button.text));
            platform::ui::SetCommandId(*action, button.id);
            Router().AttachAction(*action);
        }
        addToolBar(Qt::TopToolBarArea, toolBar);
        m_ToolBars.push_back(toolBar);
    }
}

bool ZRMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    if (!bar)
        return false;
    bar->setObjectName(QStringLiteral("StatusBar"));
    m_pEye = new ZREyeView;
    if (!m_pEye->Create(QRect(0, 0, kEyeWidth, bar->sizeHint().height()), bar,
                        ZREyeView::StyleChild | ZREyeView::StyleVisible, 0xFFFF)) {
        delete m_pEye;
        m_pEye = nullptr;
        return false;
    }
    m_pEye->setFixedWidth(kEyeWidth);
    m_pEye->SetScrollStep(2);
    const QPalette palette = bar->palette();
    auto bgr = [](const QColor& c) {
        return static_cast<unsigned long>(c.red()) | (static_cast<unsigned long>(c.green()) << 8) |
               (static_cast<unsigned long>(c.blue()) << 16);
    };
    m_pEye->SetColors(bgr(palette.color(QPalette::WindowText)), bgr(palette.color(QPalette::Window)));
    const QFont font = this->font();
    m_pEye->SetFont(&font, false);
    bar->addPermanentWidget(m_pEye);
    m_pEye->Start();

    m_pLinePane = new QLabel(QStringLiteral("Ln 1, Col 1"));
    m_pLinePane->setEnabled(false);
    bar->addPermanentWidget(m_pLinePane);
    for (const char* key : {"CAP", "NUM", "SCRL"}) {
        auto* pane = new QLabel(QString::fromLatin1(key));
        pane->setEnabled(false);
        bar->addPermanentWidget(pane);
    }
    return true;
}

bool ZRMainFrame::CreateMotionBar() {
    // The motion commands come with the program editor; until then the bar is empty.
    m_pMotionBar = new platform::ui::DockBar("Motion Library", "Motion Library", this);
    m_pMotionBar->setProperty("barId", IDD_MOTION_LIBRARY);
    m_pMotionBar->setWidget(new QWidget);
    AddDockBar(m_pMotionBar, Qt::RightDockWidgetArea);
    resizeDocks({m_pMotionBar}, {std::max(1, static_cast<int>(width() * kMotionBarShare))}, Qt::Horizontal);
    resizeDocks({m_pMotionBar}, {kMotionBarHeight}, Qt::Vertical);
    return true;
}

void ZRMainFrame::StyleTabs() {
    QTabBar* tabs = DocumentArea()->findChild<QTabBar*>();
    if (!tabs || tabs == m_pStyledTabs)
        return;
    if (!m_pTabStyle)
        m_pTabStyle = std::make_unique<TabStyle>(this);
    tabs->setStyle(m_pTabStyle.get());
    m_pStyledTabs = tabs;
}

// ---- Bar state

void ZRMainFrame::LoadToolbarState() {
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::m_pInstance;
    std::string state;
    if (data && data->OpenUserSection(kBarStateSection, false, false) &&
        data->GetUserKey().GetStringValue(kBarStateValue, state))
        LoadBarState(state);
    // The motion library bar waits for a program window whatever the saved layout says.
    if (m_pMotionBar)
        m_pMotionBar->ShowBar(false);
}

void ZRMainFrame::SaveToolbarState() {
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::m_pInstance;
    if (!data || !data->OpenUserSection(kBarStateSection, true, true))
        return;
    data->GetUserKey().SetStringValue(kBarStateValue, SaveBarState());
}

// ---- Closing

bool ZRMainFrame::CanClose() {
    return OnClose();
}

bool ZRMainFrame::OnClose() {
    ZRQuorvanceApp* app = ZRQuorvanceApp::Instance();
    if (app && app->IsDatabaseOpen()) {
        ZRNodeMgr* root = app->GetOffLineNodeMgr();
        if (root && !root->DoCloseWindows())
            return false;
        // A Yes whose save failed or was cancelled keeps the frame: the changes exist nowhere else.
        if (!app->SaveModifiedProject())
            return false;
    }
    // The on-line root offers to disable software-enabled drives once the on-line drives exist.
    SaveToolbarState();
    if (app)
        app->SaveWindowPlacement();
    return true;
}

// ---- Commands

const platform::ui::CommandTable* ZRMainFrame::Commands() const {
    using Row = platform::ui::CommandRow<ZRMainFrame>;
    using State = platform::ui::CommandState;
    static const auto cascade = [](const ZRMainFrame& frame, State& state) {
        state.enabled = !frame.m_bWorkbookMode && !frame.ChildFrames().empty();
    };
    static const platform::ui::CommandTable table{
        Row(ID_SHOW_WORKSPACE, &ZRMainFrame::OnShowWorkspace),
        Row(ID_HELP_CONTENTS, [](ZRMainFrame&) { platform::ui::ShowHelp(0, platform::ui::HELP_CONTENTS); }),
        Row(ID_RELEASE_NOTES,
            [](ZRMainFrame&) { platform::ui::ShowHelp(kHelpTopicReleaseNotes, platform::ui::HELP_CONTEXT); }),
        Row(ID_CUSTOMIZE, &ZRMainFrame::OnCustomize),
        Row(ID_TOOLBARS, &ZRMainFrame::OnToolbars),
        Row(ID_WORKBOOK_MODE, &ZRMainFrame::OnWorkbookMode,
            [](const ZRMainFrame& frame, State& state) { state.checked = frame.m_bWorkbookMode; }),
        Row(ID_MOTION_LIBRARY, &ZRMainFrame::OnMotionLibrary,
            [](const ZRMainFrame& frame, State& state) {
                state.enabled = IsProgramEditorFrame(frame.ActiveChildFrame());
                state.checked = frame.m_pMotionBar && frame.m_pMotionBar->IsBarShown();
            }),
        Row(ID_INDICATOR_LINE, nullptr, [](ZRMainFrame&, State& state) { state.enabled = false; }),
        Row(
            ID_WINDOW_CASCADE, [](ZRMainFrame& frame) { frame.DocumentArea()->cascadeSubWindows(); },
            cascade),
        Row(
            ID_WINDOW_TILE, [](ZRMainFrame& frame) { frame.DocumentArea()->tileSubWindows(); }, cascade),
        // Later: the menu that sent it is still on the stack.
        Row(ID_APP_EXIT,
            [](ZRMainFrame& frame) { QTimer::singleShot(0, &frame, [&frame] { frame.close(); }); }),
    };
    return &table;
}

void ZRMainFrame::UpdateCommandStates() {
    MainWindow::UpdateCommandStates();
    StyleTabs();
}

void ZRMainFrame::OnShowWorkspace() {
    ZRQuorvanceApp* app = ZRQuorvanceApp::Instance();
    ZRWorkspaceView* view = app ? app->GetWorkspaceView() : nullptr;
    if (!view)
        return;
    if (platform::ui::DockBar* bar = app->GetWorkspaceBar()) {
        if (!view->isVisible())
            bar->ShowBar(true);
        bar->ActivateBar();
    } else {
        view->setFocus();
    }
}

void ZRMainFrame::OnCustomize() {
    HelpOverride help(ID_CUSTOMIZE);
    CustomizeDialog dialog(this, m_ToolBars);
    if (dialog.DoModal() == platform::core::IDOK)
        dialog.Apply();
}

void ZRMainFrame::OnToolbars() {
    int result = 0;
    {
        HelpOverride help(ID_TOOLBARS);
        BarListDialog dialog(this, m_ToolBars);
        result = dialog.DoModal();
        if (result == platform::core::IDOK)
            dialog.Apply();
    }
    if (result == ID_BAR_LIST_CUSTOMIZE)
        OnCustomize();
}

void ZRMainFrame::OnWorkbookMode() {
    m_bWorkbookMode = !m_bWorkbookMode;
    SetWorkbookMode(m_bWorkbookMode);
    StyleTabs();
}

void ZRMainFrame::OnMotionLibrary() {
    if (!m_pMotionBar)
        return;
    m_pMotionBar->ShowBar(!m_pMotionBar->IsBarShown());
}

QToolBar* ZRMainFrame::GetToolBar(int barId) const {
    for (QToolBar* bar : m_ToolBars)
        if (bar->property("barId").toInt() == barId)
            return bar;
    return nullptr;
}

std::vector<QToolBar*> ZRMainFrame::GetToolBars() const {
    return m_ToolBars;
}

QColor ZRMainFrame::TabColour(platform::ui::ChildFrame* frame) {
    if (auto* sizable = dynamic_cast<CSizableChildFrame*>(frame)) {
        ZRNodeMgr* controller = sizable->GetController();
        ZRObject* object = controller ? controller->GetModel() : nullptr;
        ZRDevice* device = object ? object->GetDevice() : nullptr;
        if (device && !device->IsOffLine())
            return QColor(0, 255, 0);
    }
    return QApplication::palette().color(QPalette::Button);
}

bool ZRMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        if (auto* menu = qobject_cast<QMenu*>(watched)) {
            QAction* action = menu->activeAction();
            unsigned id = action ? platform::ui::CommandId(*action) : 0;
            if (id) {
                platform::ui::Guard("menu help",
                                    [id] { platform::ui::ShowHelp(id, platform::ui::HELP_CONTEXT); });
                return true;
            }
        }
    }
    return MainWindow::eventFilter(watched, event);
}
