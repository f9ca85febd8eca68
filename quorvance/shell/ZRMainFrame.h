#pragma once

#include "platform/ui/MainWindow.h"

#include <QColor>
#include <QPointer>

#include <memory>
#include <string>
#include <vector>

class QLabel;
class QTabBar;
class QMenu;
class QTimer;
class QToolBar;
class ZREyeView;
namespace platform::ui {
class ChildFrame;
class DockBar;
struct MenuItem;
} // namespace platform::ui

// The program's main window: the menus, the four tool bars, the status bar with the activity
// indicator, the docked motion-library bar and the document area in workbook form, whose tabs show
// on-line windows in green. Closing it asks to save the project and keeps the bar layout and the
// window placement in the settings.
class ZRMainFrame : public platform::ui::MainWindow {
public:
    // Commands of the frame.
    enum : unsigned {
        ID_CUSTOMIZE = 200,
        ID_TOOLBARS = 32783,
        ID_WORKBOOK_MODE = 32786,
        ID_HELP_CONTENTS = 32795,
        ID_SHOW_WORKSPACE = 32884,
        ID_INDICATOR_LINE = 32885,
        ID_RELEASE_NOTES = 32935,
        ID_MOTION_LIBRARY = 32943,
        ID_WINDOW_CASCADE = 57650,
        ID_WINDOW_TILE = 57651,
        ID_APP_EXIT = 57665,
        ID_HELP = 57670,
    };
    // Bars, panes and the bar list's Customize answer.
    enum : int {
        IDR_MAINFRAME = 128,
        ID_BAR_FILE = 0xE800,
        ID_BAR_EDIT = 0xE805,
        ID_BAR_PROGRAM = 0xE806,
        ID_BAR_ENABLE = 0xE807,
        ID_STATUS_BAR = 59393,
        ID_INDICATOR_EYE = 61452,
        ID_INDICATOR_CAPS = 59137,
        ID_INDICATOR_NUM = 59138,
        ID_INDICATOR_SCRL = 59139,
        IDD_MOTION_LIBRARY = 302,
        ID_BAR_LIST_CUSTOMIZE = 43099,
        IDD_CUSTOMIZE_COMMANDS = 20509,
    };
    static constexpr const char* kBarStateSection = "Toolbar03";
    static constexpr unsigned long kReleaseNotesTopic = 1131;

    // A frame after its creation steps, or null when they failed.
    static std::unique_ptr<ZRMainFrame> Create();

    explicit ZRMainFrame(QWidget* parent = nullptr);
    ~ZRMainFrame() override;

    // Menus, tool bars, status bar and indicator, motion-library bar, the saved bar layout and
    // workbook mode; -1 when a part cannot be made.
    int OnCreate();
    // The closing steps: the project's windows, the save question, the bar layout and the window
    // placement. False keeps the frame open.
    bool OnClose();

    bool OnCommand(unsigned id) override;
    bool OnUpdateCommand(unsigned id, platform::ui::CommandState& state) override;
    bool HasCommand(unsigned id) const override;

    // The layout of the bars under "Toolbar03" in the user settings; the motion library bar starts
    // hidden whatever it says.
    void LoadToolbarState();
    void SaveToolbarState();
    // Button and menu states follow the command chain.
    void UpdateToolBars();

    void OnShowWorkspace();
    void OnCustomize();
    void OnToolbars();
    void OnWorkbookMode();
    void OnMotionLibrary();

    QToolBar* GetToolBar(int barId) const;
    std::vector<QToolBar*> GetToolBars() const;
    ZREyeView* GetEye() const { return m_pEye; }
    platform::ui::DockBar* GetMotionBar() const { return m_pMotionBar; }
    // The program editor writes its line and column here and enables it.
    QLabel* GetLinePane() const { return m_pLinePane; }
    bool IsWorkbookModeOn() const { return m_bWorkbookMode; }

    // The tab colour of a child frame: green for a window of an on-line drive, else the button face.
    static QColor TabColour(platform::ui::ChildFrame* frame);
    // The menu bar's table.
    static const std::vector<platform::ui::MenuItem>& MainMenu();

protected:
    bool CanClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class TabStyle;

    void CreateMenus();
    void CreateToolBars();
    bool CreateStatusBar();
    bool CreateMotionBar();
    // The document area's tab bar gets the tab colours.
    void StyleTabs();
    // Help on the item of an open menu (F1 while the menu is tracked).
    void WatchMenu(QMenu* menu);

    std::vector<QToolBar*> m_ToolBars;
    QLabel* m_pLinePane = nullptr;
    platform::ui::DockBar* m_pMotionBar = nullptr;
    ZREyeView* m_pEye = nullptr;
    bool m_bWorkbookMode = true;
    QTimer* m_pUpdateTimer = nullptr;
    // The document area makes a new tab bar each time it turns to tabs.
    QPointer<QTabBar> m_pStyledTabs;
    std::unique_ptr<TabStyle> m_pTabStyle;
};
