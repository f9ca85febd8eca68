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
    static constexpr const char* kBarStateSection = "Toolbar03";

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

    // The layout of the bars under "Toolbar03" in the user settings; the motion library bar starts
    // hidden whatever it says.
    void LoadToolbarState();
    void SaveToolbarState();
    // Button and shortcut states follow the command chain on idle; the tabs get their colours.
    void UpdateCommandStates() override;

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
    const platform::ui::CommandTable* Commands() const override;
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
    // The document area makes a new tab bar each time it turns to tabs.
    QPointer<QTabBar> m_pStyledTabs;
    std::unique_ptr<TabStyle> m_pTabStyle;
};
