// A drive on a simulated line found the way the user finds it, and its "Encoders" node.
#pragma once

#include "TarvikScan.h"

#include "kitbase/model/ZRIdleController.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "quorvance/tarvik/ZREncodersNodeMgrTarvik.h"
#include "tests/support/wire/TarvikDriveSim.h"

#include <gtest/gtest.h>

#include <vector>

// Scans node 1 of the line under an "On-Line Drives" item of the view: the drive's node and its
// "Encoders" node.
inline void ScanEncoders(ZROnLine& root, ZRLinkSettings& link, ZRWorkspaceView& view, wiresim::TarvikDriveSim& line,
                  ZRDriveNodeMgr*& driveNode, ZREncodersNodeMgrTarvik*& node) {
    ZRTreeItem* rootItem = StartTarvikScan(root, link, view, line);
    // One idle tick scans the node; a slow answer may take a few more.
    for (int tick = 0; tick < 20 && view.Children(rootItem).empty(); ++tick)
        ZRIdleController::Instance()->DoIdle();
    std::vector<ZRTreeItem*> drives = view.Children(rootItem);
    ASSERT_EQ(drives.size(), 1u);
    driveNode = dynamic_cast<ZRDriveNodeMgr*>(view.NodeOf(drives[0]));
    ASSERT_NE(driveNode, nullptr);
    node = ChildNodeOf<ZREncodersNodeMgrTarvik>(view, *driveNode);
    ASSERT_NE(node, nullptr);
    ASSERT_EQ(node->GetEncoders(), driveNode->GetDrive()->GetEncoders());
}
