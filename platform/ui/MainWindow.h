// The main window: a document area of child frames (shown as tabs in workbook mode), docking bars
// whose layout is saved as text, and the command chain that starts at the window the user works in.
#pragma once

#include "platform/ui/Command.h"

#include <QMainWindow>

#include <string>
#include <vector>

class QMdiArea;

namespace platform::ui {

class ChildFrame;
class DockBar;

class MainWindow : public QMainWindow, public CommandTarget {
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    QMdiArea* DocumentArea() const { return m_area; }
    // The area takes the frame and shows it.
    void AddChildFrame(ChildFrame* frame);
    ChildFrame* ActiveChildFrame() const;
    std::vector<ChildFrame*> ChildFrames() const;

    // Workbook mode shows every child frame as a tab.
    void SetWorkbookMode(bool on);
    bool IsWorkbookMode() const;

    void AddDockBar(DockBar* bar, Qt::DockWidgetArea area);
    // The layout and shown state of the bars and tool bars, as text for the settings.
    std::string SaveBarState(int version = 0) const;
    // False, changing nothing, for text that is not a bar state of this version.
    bool LoadBarState(const std::string& state, int version = 0);

    // The view with the focus when it is outside the child frames (a docked view), else the active
    // child frame's chain; then this window; then the targets given here (the application).
    virtual std::vector<CommandTarget*> CommandChain();
    void SetCommandTargets(std::vector<CommandTarget*> targets) { m_targets = std::move(targets); }
    const CommandRouter& Router() const { return m_router; }
    // Brings the states of the commands the user can reach without opening a menu up to date: the
    // buttons of the shown tool bars and the actions with a shortcut. The application calls it on
    // idle; menus update as they open.
    virtual void UpdateCommandStates();

protected:
    // Asked before the window closes; false keeps it open.
    virtual bool CanClose();
    void closeEvent(QCloseEvent* event) override;

private:
    QMdiArea* m_area;
    std::vector<CommandTarget*> m_targets;
    CommandRouter m_router;
};

} // namespace platform::ui
