#pragma once

#include "kitbase/ui/ZRNodeMgr.h"

#include <list>
#include <memory>
#include <string>

class CSizableChildFrame;
class FenwaFaultDetailView;
class FenwaFaults;
class ZRGridRow;

// The "Faults" node under a Fenwa drive: the fault limits and the capture set-up in its property
// sheet, one flag per fault in its status pane, the fault history in a report window, "Clear
// Faults", and the fault-detail window (one at a time) that uploads and plots the capture.
class FenwaFaultsNodeMgr : public ZRNodeMgr {
public:
    FenwaFaultsNodeMgr(FenwaFaults* faults, ZRTreeItem* item, ZRWorkspaceView* view);
    ~FenwaFaultsNodeMgr() override;
    // The family's maker for the block's type id; null for any other object.
    static std::unique_ptr<ZRNodeMgr> Make(ZRObject* object, ZRTreeItem* item, ZRWorkspaceView* view);

    void Initialize() override;
    void DoCommand(unsigned int id) override;
    bool CloseWindows() override;
    bool IsWindowOpen() override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    FenwaFaults* GetFaults() const { return m_pFaults; }
    FenwaFaultDetailView* GetFaultDetailView() const { return m_pView; }
    CSizableChildFrame* GetFaultDetailFrame() const { return m_pFrame; }

protected:
    const platform::ui::CommandTable* Commands() const override;
    void BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) override;
    ZRModelDoc* BuildPropsDoc() override;
    void DefaultAction() override;
    void Report(std::string& text) override;

private:
    void ShowFaultHistory();
    void OnClearFaults();
    // Opens the fault-detail window and uploads the capture, or brings the open window forward.
    void OpenFaultDetail();
    void OnUpdateOnLine(platform::ui::CommandState& state);
    bool IsOnLine() const;
    std::string DriveName() const;
    void Retitle();

    FenwaFaults* m_pFaults;                 // not owned
    CSizableChildFrame* m_pFrame = nullptr; // the open fault-detail window, held by the main window
    FenwaFaultDetailView* m_pView = nullptr;
};
