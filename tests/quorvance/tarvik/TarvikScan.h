// Drives on a simulated line found the way the user finds them: a scan of the on-line root under an
// "On-Line Drives" item of a workspace view.
#pragma once

#include "kitbase/ui/ZRWorkspaceView.h"
#include "quorvance/online/ZROnLine.h"
#include "quorvance/online/ZROnLineRootMgr.h"
#include "tests/support/wire/TarvikDriveSim.h"

#include <vector>

// Puts the root under a new "On-Line Drives" item of the view and starts its scan of nodes 1 to last
// of the line; idle ticks run the scan. Answers the item.
inline ZRTreeItem* StartTarvikScan(ZROnLine& root, ZRLinkSettings& link, ZRWorkspaceView& view,
                                   wiresim::TarvikDriveSim& line, int last = 1) {
    ZRTreeItem* rootItem = view.InsertItem("On-Line Drives");
    auto* rootNode = new ZROnLineRootMgr(rootItem, &root, &view);
    view.SetItemData(rootItem, rootNode);
    rootNode->Initialize();
    link.port = line.Path();
    root.GetScanSettings().tarvikFrom = 1;
    root.GetScanSettings().tarvikTo = last;
    root.Refresh();
    return rootItem;
}

// The nodes of the item's children in order, each as Node (null when of another kind).
template <class Node = ZRNodeMgr> std::vector<Node*> NodesUnder(ZRWorkspaceView& view, ZRTreeItem* item) {
    std::vector<Node*> nodes;
    for (ZRTreeItem* child : view.Children(item))
        nodes.push_back(dynamic_cast<Node*>(view.NodeOf(child)));
    return nodes;
}

// The first child node of the parent that is a Node; null without one.
template <class Node> Node* ChildNodeOf(ZRWorkspaceView& view, ZRNodeMgr& parent) {
    for (ZRTreeItem* item : view.Children(parent.GetNode()))
        if (auto* node = dynamic_cast<Node*>(view.NodeOf(item)))
            return node;
    return nullptr;
}
