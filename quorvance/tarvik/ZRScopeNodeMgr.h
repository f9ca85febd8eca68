#pragma once

#include "kitbase/ui/ZRNodeMgr.h"

#include <list>
#include <memory>

class CSizableChildFrame;
class ZRGridRow;
class ZRNoxelScope;
class ZRScopeView;

// The "Oscilloscope" node under a Tarvik drive: one scope window at a time, whose grid holds the
// channel and sweep settings next to the drive's regulator gains and low-pass filter, so the user
// can tune while watching the signals. The node and the window's buttons carry the capture
// commands, which need a drive on line.
class ZRScopeNodeMgr : public ZRNodeMgr {
public:
    ZRScopeNodeMgr(ZRNoxelScope* scope, ZRTreeItem* item, ZRWorkspaceView* view);
    ~ZRScopeNodeMgr() override;

    static std::unique_ptr<ZRNodeMgr> Make(ZRObject* object, ZRTreeItem* item, ZRWorkspaceView* view);

    void Initialize() override;
    // The capture commands; any other id does nothing.
    void DoCommand(unsigned int id) override;
    bool CloseWindows() override;
    bool IsWindowOpen() override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    ZRScopeView* GetScopeView() const { return m_pView; }
    CSizableChildFrame* GetScopeFrame() const { return m_pFrame; }

    // Opens the scope window, or brings the open one to the front.
    void DefaultAction() override;

protected:
    const platform::ui::CommandTable* Commands() const override;

private:
    void OnUpdateOnLine(platform::ui::CommandState& state);
    void OnProperties();
    // The grid's groups: the four channels, the sweep, then the drive's gains and filter.
    void BuildRows(std::list<std::unique_ptr<ZRGridRow>>& rows);
    void Retitle();

    ZRNoxelScope* m_pScope;             // not owned
    CSizableChildFrame* m_pFrame = nullptr; // the open window's frame, held by the main window
    ZRScopeView* m_pView = nullptr;
};
