// An on-line root that finds the drives of a simulated line in a workspace view of its own.
#pragma once

#include "../online/OnLineFixture.h"
#include "TarvikScan.h"

#include "quorvance/tarvik/ZRDriveNodeMgr.h"

#include <memory>
#include <vector>

class TarvikScanFixture : public OnLineFixture {
protected:
    void TearDown() override {
        if (m_View) {
            m_View->OnDestroy();
            m_View.reset();
        }
        OnLineFixture::TearDown();
    }

    // Starts the scan of nodes 1 to last; the test runs the idle ticks.
    void StartScan(wiresim::TarvikDriveSim& line, int last = 1) {
        m_RootItem = StartTarvikScan(*m_Root, m_Link, *m_View, line, last);
    }
    // The nodes found so far, in node order.
    template <class Node = ZRNodeMgr> std::vector<Node*> DriveNodes() {
        return NodesUnder<Node>(*m_View, m_RootItem);
    }
    // The drive node when the scan found exactly one drive, else null.
    ZRDriveNodeMgr* OnlyDrive() {
        const std::vector<ZRDriveNodeMgr*> nodes = DriveNodes<ZRDriveNodeMgr>();
        return nodes.size() == 1 ? nodes[0] : nullptr;
    }
    template <class Node> Node* ChildOf(ZRNodeMgr& parent) { return ChildNodeOf<Node>(*m_View, parent); }

    std::unique_ptr<ZRWorkspaceView> m_View = std::make_unique<ZRWorkspaceView>();
    ZRTreeItem* m_RootItem = nullptr;
};
