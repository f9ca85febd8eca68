#pragma once

#include "kitbase/ui/ZRNodeMgr.h"

class ZRDrive;

// The node of one Tarvik drive, on line or off line: its property sheet (the drive-wide
// parameters in groups), status and command rows, its monitor child node, the drive commands that
// need no window of their own, and what may be pasted or dropped onto it.
class ZRDriveNodeMgr : public ZRNodeMgr {
public:
    static constexpr unsigned ID_INDEXING_PANEL = 32825;
    static constexpr unsigned ID_CURRENT_PANEL = 32842;
    static constexpr unsigned ID_VELOCITY_PANEL = 32843;
    static constexpr unsigned ID_RESET_DRIVE = 32844;
    static constexpr unsigned ID_FACTORY_RESET = 32845;
    static constexpr unsigned ID_CLEAR_FAULTS = 32855;
    static constexpr unsigned ID_SET_TO_ZERO = 32857;
    static constexpr unsigned ID_DEFINE_HOME = 32890;
    static constexpr unsigned ID_EXPORT = 32779;
    static constexpr unsigned ID_COPY_TO_OFFLINE = 32946;

    ZRDriveNodeMgr(ZRDrive* drive, ZRTreeItem* item, ZRWorkspaceView* view);
    ~ZRDriveNodeMgr() override;

    void Initialize() override;
    void CanDrop(ZRTreeItem* dragged, ZRTreeItem*& dropItem, bool& copyPlain, bool& copyWithCtrl) override;
    void DoCommand(unsigned int id) override;
    void DragCopy(ZRTreeItem* dragged) override;
    // The drive's monitor groups, built once (ZRDriveNodeMgrMonitor.cpp).
    ZRPropertyGroup* GetMonitorTree() override;
    bool Overwrite(ZRObject* source) override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    // Only an on-line drive takes another drive's values, and only one of its own type, product
    // type and drive size.
    virtual bool IsCompatible(ZRObject* object);
    // What the drive's command table enables for the control-panel and drive commands; false for
    // every other id.
    bool IsCommandEnabled(unsigned int id);

    ZRDrive* GetDrive() const { return m_pDrive; }

protected:
    const platform::ui::CommandTable* Commands() const override;
    void BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) override;
    ZRModelDoc* BuildPropsDoc() override;
    void DefaultAction() override;

private:
    bool IsOnLine() const;
    bool IsIndexing() const;
    void OnUpdateOnLine(platform::ui::CommandState& state);
    void OnUpdatePaste(platform::ui::CommandState& state);
    void OnPaste();
    void OnCopy();
    void OnExport();
    void OnCopyToOffline();
    void BuildPropertyGroups();
    void BuildStatusGroup();
    void AddMonitorNode();

    ZRDrive* m_pDrive;
};
