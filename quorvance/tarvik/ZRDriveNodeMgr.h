#pragma once

#include "kitbase/ui/ZRNodeMgr.h"

#include <string>

class ZRDrive;

// The node of one Tarvik drive, on line or off line: its child block nodes, its property sheet (the
// drive-wide parameters in groups), status and command rows, its monitor tree, the drive commands
// of its menu, what may be pasted or dropped onto it, and the drive's single control-panel window.
// While that window is open the drive runs in the window's host control mode; the tuning, encoders
// and indexing nodes borrow the window through OpenModeWindow / CloseModeWindow / ActivateModeWindow.
class ZRDriveNodeMgr : public ZRNodeMgr {
public:
    // Host control modes ("Host Control Mode" option values) of the node's own panels.
    static constexpr long kModeNormal = 0;
    static constexpr long kModeVelocityPanel = 1;
    static constexpr long kModeCurrentPanel = 2;
    static constexpr long kModeIndexingPanel = 3;

    ZRDriveNodeMgr(ZRDrive* drive, ZRTreeItem* item, ZRWorkspaceView* view);
    // Stops observing "Host Control Mode" while the drive is still there.
    ~ZRDriveNodeMgr() override;

    // Always true; closing the open control panel of an on-line drive first disables the drive and
    // returns it to mode 0.
    bool CanClose(CSizableChildFrame* frame) override;
    void CanDrop(ZRTreeItem* dragged, ZRTreeItem*& dropItem, bool& copyPlain, bool& copyWithCtrl) override;
    void DoCommand(unsigned int id) override;
    void DragCopy(ZRTreeItem* dragged) override;
    // The drive's monitor groups, built once (ZRDriveNodeMgrMonitor.cpp).
    ZRPropertyGroup* GetMonitorTree() override;
    void Initialize() override;
    bool Overwrite(ZRObject* source) override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    // Only an on-line drive takes another drive's values, and only one of its own type, product
    // type and drive size.
    virtual bool IsCompatible(ZRObject* object);

    // When the open control panel has this mode: brings it up with the focus and answers true.
    bool ActivateModeWindow(long mode);
    // Closes the open control panel after asking; false only when the user declines.
    bool CloseModeWindow();
    // Opens a control-panel window for the mode (caption: the drive's name, " - ", title) with the
    // controller as the frame's controller, and switches the drive into the mode; null when the
    // user declines closing the open window or disabling the enabled drive.
    ZRPropertiesView* OpenModeWindow(long mode, std::string title, unsigned short icon, ZRNodeMgr* controller);
    // What the drive's command table enables for the control-panel and drive commands; false for
    // every other id.
    bool IsCommandEnabled(unsigned int id);

    ZRDrive* GetDrive() const { return m_pDrive; }
    long GetMode() const { return m_Mode; }
    CSizableChildFrame* GetModeFrame() const { return m_pModeFrame; }
    ZRPropertiesView* GetModeView() const { return m_pModeView; }

protected:
    const platform::ui::CommandTable* Commands() const override;
    void BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) override;
    ZRModelDoc* BuildPropsDoc() override;
    void DefaultAction() override;

private:
    bool IsOnLine() const;
    bool IsIndexing() const;
    void OnUpdateOnLine(platform::ui::CommandState& state);
    void OnUpdateOffLine(platform::ui::CommandState& state);
    void OnUpdateIndexing(platform::ui::CommandState& state);
    void OnUpdatePaste(platform::ui::CommandState& state);
    void OnPaste();
    void OnCopy();
    void OnCut();
    void OnDelete();
    void OnExport();
    void OnCopyToOffline();
    void OnDriveReport();
    void OnFactoryReset();
    void OnDisableDrive();
    // "Sercos Activation...": has the main window turn SERCOS on, or off for a SERCOS drive.
    void OnSercosActivation();
    // Opens the node's own control panel of the mode (velocity, current or indexing).
    void OpenControlPanel(long mode);
    void ForgetModeWindow();
    // Closes the open panel's frame without the questions and the disabling of a user's close.
    void CloseModeFrame();
    void WriteHostMode(long mode);
    void HostModeChanged(int reason);
    void SelectMenu();
    void AddBlockNodes();
    void BuildPropertyGroups();
    void BuildStatusGroup();

    ZRDrive* m_pDrive;
    long m_Mode = kModeNormal;
    CSizableChildFrame* m_pModeFrame = nullptr;
    ZRPropertiesView* m_pModeView = nullptr;
};
