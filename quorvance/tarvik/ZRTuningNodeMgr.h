#pragma once

#include "quorvance/tarvik/TarvikBlockNodeMgr.h"

class ZRDrive;
class ZRDriveNodeMgr;
class ZRTuning;

// The "Tuning" node below a drive: the regulator gains and loop values in its property sheet, and
// the drive's three tuning windows (autotune, manual velocity and manual position step). Each window
// is the drive node's control-panel window in the matching host control mode; closing it is the
// drive node's decision.
class ZRTuningNodeMgr : public TarvikBlockNodeMgr {
public:
    // Host control modes of the three windows.
    static constexpr long kModeAutotune = 4;
    static constexpr long kModeManualVelocity = 5;
    static constexpr long kModeManualPosition = 6;

    ZRTuningNodeMgr(ZRTuning* tuning, ZRTreeItem* item, ZRWorkspaceView* view);

    bool CanClose(CSizableChildFrame* frame) override;
    void DoCommand(unsigned int id) override;
    void Initialize() override;

    ZRTuning* GetTuning() const { return m_pTuning; }

protected:
    const platform::ui::CommandTable* Commands() const override;
    void BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) override;

private:
    // The drive's node: the parent item's manager.
    ZRDriveNodeMgr* DriveNode() const;
    ZRDrive* Drive() const;
    void OnUpdateOnLine(platform::ui::CommandState& state);
    void OpenWindow(long mode);
    void StartAutotune();
    void StartTuning();
    void StopTuning();

    ZRTuning* m_pTuning;
};
