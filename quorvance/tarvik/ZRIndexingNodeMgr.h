#pragma once

#include "quorvance/tarvik/TarvikBlockNodeMgr.h"

class ZRDrive;
class ZRDriveNodeMgr;
class ZRIndexing;

// The "Indexing" node of the indexing drive: the 64-index table as collapsed groups that load when
// first opened, the indexing status, and the commands that the drive's indexing control panel
// offers as rows (start an index, start and stop homing), each checked against the drive's state.
class ZRIndexingNodeMgr : public TarvikBlockNodeMgr {
public:
    ZRIndexingNodeMgr(ZRIndexing* indexing, ZRTreeItem* item, ZRWorkspaceView* view);

    void Initialize() override;
    void DoCommand(unsigned int id) override;

    ZRIndexing* GetIndexing() const { return m_pIndexing; }

protected:
    const platform::ui::CommandTable* Commands() const override;
    void BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) override;

private:
    // The drive's node: two tree levels up, above the operation-modes node.
    ZRDriveNodeMgr* DriveNode() const;
    ZRDrive* Drive() const;
    void OnUpdateIndexingPanel(platform::ui::CommandState& state);
    void StartIndex();
    // Start and stop homing share their checks; only the text for an inactive enable input differs.
    void RunHomingCommand(bool start);

    ZRIndexing* m_pIndexing;
};
