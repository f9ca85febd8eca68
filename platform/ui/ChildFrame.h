// A child frame of the main window's document area. It holds a view, belongs to an owner (the
// controller of what it shows, not owned), asks before the user closes it, and routes commands:
// first its active view, then the frame itself, then the owner for the ids the owner takes.
#pragma once

#include "platform/ui/Command.h"

#include <QMdiSubWindow>
#include <QPointer>

#include <memory>
#include <vector>

namespace platform::ui {

class View;

class ChildFrame : public QMdiSubWindow, public CommandTarget {
public:
    // Show commands of ActivateFrame, with their classic numbers.
    enum : int {
        ShowKeep = -1,
        ShowHide = 0,
        ShowNormal = 1,
        ShowMinimized = 2,
        ShowMaximized = 3,
        ShowRestore = 9
    };

    // A frame is deleted once it has closed.
    explicit ChildFrame(QWidget* parent = nullptr);
    ~ChildFrame() override;

    // The frame takes the widget; its first view (the widget or a descendant) becomes active.
    void SetView(QWidget* view);
    View* ActiveView() const;
    // Notifies the old view (activate false) and the new one (activate true) when notify is set.
    void SetActiveView(View* view, bool notify = true);
    // OnInitialUpdate to every view in the frame, outer ones first.
    void SendInitialUpdate();
    // The frame that holds the widget, or null.
    static ChildFrame* FrameOf(QWidget* widget);

    void SetOwner(CommandTarget* owner);
    CommandTarget* Owner() const { return m_owner; }
    // The ids passed to the owner when neither the view nor the frame handles them.
    std::vector<unsigned>& RoutedCommands() { return m_routed; }
    const std::vector<unsigned>& RoutedCommands() const { return m_routed; }
    // Whether the owner gets the id; derived frames add ids of their own.
    virtual bool RoutesToOwner(unsigned id) const;
    // The targets a command meets while this frame is active.
    std::vector<CommandTarget*> CommandChain();

    // Shows the frame in the given state and makes it the active one.
    virtual void ActivateFrame(int show = ShowKeep);
    // Limits the user's resizing; -1 leaves that direction free.
    void SetMinTrackSize(int width, int height);
    int MinTrackWidth() const { return m_minWidth; }
    int MinTrackHeight() const { return m_minHeight; }

    // Closes and deletes the frame without asking CanClose (its document is going away).
    void Destroy();

protected:
    // Asked before the frame closes at the user's request; false keeps it open.
    virtual bool CanClose();
    // The frame became the active child frame, or stopped being it.
    virtual void OnFrameActivated(bool active);

    void closeEvent(QCloseEvent* event) override;

private:
    class OwnerGate;
    void StateChanged(Qt::WindowStates oldState, Qt::WindowStates newState);

    CommandTarget* m_owner = nullptr;
    std::vector<unsigned> m_routed;
    std::unique_ptr<OwnerGate> m_gate;
    QPointer<QWidget> m_activeView; // the widget of the active view
    int m_minWidth = -1;
    int m_minHeight = -1;
    bool m_destroying = false;
};

} // namespace platform::ui
