// Fenwa drives on a simulated line, found by a scan of the on-line root under an "On-Line Drives"
// item of a workspace view of the test's own.
#pragma once

#include "../online/OnLineFixture.h"

#include "kitbase/ui/ZRWorkspaceView.h"
#include "quorvance/online/ZROnLineRootMgr.h"
#include "tests/support/wire/FakeClock.h"
#include "tests/support/wire/MixedLineSim.h"

#include <memory>
#include <set>
#include <vector>

class FenwaScan : public OnLineFixture {
protected:
    void TearDown() override {
        if (m_View) {
            m_View->OnDestroy();
            m_View.reset();
        }
        OnLineFixture::TearDown();
    }

    // Scans the Tarvik and Fenwa nodes 1 to last of the line to the end.
    void Scan(int last) {
        m_RootItem = m_View->InsertItem("On-Line Drives");
        auto* rootNode = new ZROnLineRootMgr(m_RootItem, m_Root.get(), m_View.get());
        m_View->SetItemData(m_RootItem, rootNode);
        rootNode->Initialize();
        ZRScanSettings& scan = m_Root->GetScanSettings();
        scan.scanFenwa = 1;
        scan.fenwaFrom = scan.tarvikFrom = 1;
        scan.fenwaTo = scan.tarvikTo = last;
        m_Link.port = line.Path();
        m_Root->Refresh();
        ASSERT_TRUE(ScanToEnd());
    }
    // The nodes under "On-Line Drives", in order.
    std::vector<ZRNodeMgr*> DriveNodes() {
        std::vector<ZRNodeMgr*> nodes;
        for (ZRTreeItem* item : m_View->Children(m_RootItem))
            nodes.push_back(m_View->NodeOf(item));
        return nodes;
    }
    std::vector<std::string> ChildTexts(ZRNodeMgr& node) {
        std::vector<std::string> texts;
        for (ZRTreeItem* item : m_View->Children(node.GetNode()))
            texts.push_back(m_View->ItemText(item));
        return texts;
    }

    // Tarvik drive at node 1, Fenwa drive at node 2.
    wiresim::Started<wiresim::MixedLineSim> line{std::set<uint8_t>{1}, std::set<uint8_t>{2}};
    wiresim::FenwaDriveSim& fenwa = line.Fenwa();
    // Silent probes last seconds of the link's clock: let them pass twenty times as fast.
    FakeClock fast{20};
    std::unique_ptr<ZRWorkspaceView> m_View = std::make_unique<ZRWorkspaceView>();
    ZRTreeItem* m_RootItem = nullptr;
};
