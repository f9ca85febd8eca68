#pragma once

#include "kitbase/ui/ZRNodeMgr.h"

#include <memory>

class FenwaDrive;
class FenwaJog;
class QObject;

// The node of one Fenwa drive, on line or off line: its block nodes, its property, status and
// command rows, its monitor tree, the drive's menu commands, what may be pasted or dropped onto
// it, and its velocity control panel. While the panel is open on an on-line drive a jog thread
// (FenwaJog) sends "JOG" every 450 ms; closing the panel, or the node's cleanup, stops it with JOG0
// and "SVROF" and waits for it. A failure of the jog thread ends the jogging and is told here, on
// the user-interface thread.
class FenwaNodeMgr : public ZRNodeMgr {
public:
    // The jog state: 0 stopped, 1 hold ("0"), 2 forward ("+"), 3 reverse ("-").
    enum JogState : int { JogStopped = 0, JogHold = 1, JogForward = 2, JogReverse = 3 };

    FenwaNodeMgr(FenwaDrive* drive, ZRTreeItem* item, ZRWorkspaceView* view);
    // Stops the jog thread.
    ~FenwaNodeMgr() override;

    // The node of a Fenwa drive, null for any other object.
    static std::unique_ptr<ZRNodeMgr> Make(ZRObject* object, ZRTreeItem* item, ZRWorkspaceView* view);

    bool CanClose(CSizableChildFrame* frame) override;
    void CanDrop(ZRTreeItem* dragged, ZRTreeItem*& dropItem, bool& copyPlain, bool& copyWithCtrl) override;
    void Cleanup() override;
    void DoCommand(unsigned int id) override;
    void DragCopy(ZRTreeItem* dragged) override;
    // Built on first use and kept; named after the drive on every call.
    ZRPropertyGroup* GetMonitorTree() override;
    void Initialize() override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    // Opens the velocity control panel, or brings the open one up; on line it starts the jog thread.
    void OpenVelocityPanel();
    void OnResetToFactorySettings();

    FenwaDrive* GetDrive() const { return m_pDrive; }
    int GetJogState() const;
    bool IsJogging() const;
    CSizableChildFrame* GetPanelFrame() const { return m_pPanelFrame; }
    ZRPropertiesView* GetPanelView() const { return m_pPanelView; }

protected:
    const platform::ui::CommandTable* Commands() const override;
    void BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) override;
    ZRModelDoc* BuildPropsDoc() override;
    void DefaultAction() override;

private:
    bool IsOnLine() const;
    void AddBlockNodes();
    void BuildPropertyGroups();
    void SetJogState(int state);
    void StartJog();
    // Ends the jogging and waits for the thread; with report, tells the user what failed.
    void StopJog(bool report);
    void OnJogFailed();
    void ForgetPanel();

    void OnUpdateOnLine(platform::ui::CommandState& state);
    void OnUpdateOffLine(platform::ui::CommandState& state);
    void OnUpdatePaste(platform::ui::CommandState& state);
    void OnCopy();
    void OnCut();
    void OnDelete();
    void OnPaste();
    void OnExport();
    void OnCopyToOffline();
    void OnDriveReport();

    FenwaDrive* m_pDrive;
    int m_JogState = JogStopped;
    CSizableChildFrame* m_pPanelFrame = nullptr;
    ZRPropertiesView* m_pPanelView = nullptr;
    std::unique_ptr<FenwaJog> m_pJog;
    // Where the jog thread's failure is posted; it lives on the user-interface thread.
    std::unique_ptr<QObject> m_pPost;
};
