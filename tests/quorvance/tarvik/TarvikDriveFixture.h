// A drive of the test's own on the simulated line (its blocks on a copy of the motor catalogue, as in
// TarvikBlockFixture), with a test application and a workspace tree for its nodes.
#pragma once

#include "TarvikBlockFixture.h"
#include "TarvikLine.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/ui/ZRNodeMgr.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/ui/Command.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "support/ui/UiTestApp.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TarvikDriveFixture : public TarvikBlockFixture, public TarvikLine {
protected:
    void SetUp() override {
        TarvikBlockFixture::SetUp();
        TestApp();
    }
    void TearDown() override {
        view.reset();
        drive.reset();
        CloseLine();
        TarvikBlockFixture::TearDown();
    }

    // Opens the line and attaches a new drive of the type to it; a product word given is the
    // simulated drive's and the new drive's.
    void AttachDrive(int32_t type, std::optional<uint32_t> product = {}) {
        OpenLine(product);
        drive = std::make_unique<ZRDrive>(type);
        if (product)
            drive->SetProductType(*product);
        drive->Init();
        drive->Attach(&device, 1);
    }
    // A node for the model on a new item of the tree under the parent (at the top without one), which
    // holds it; not yet set up.
    template <class Node, class Model>
    Node* AddNode(Model* model, const char* text, ZRTreeItem* parent = nullptr) {
        if (!view)
            view = std::make_unique<ZRWorkspaceView>();
        ZRTreeItem* item = view->InsertItem(text, parent);
        auto* node = new Node(model, item, view.get());
        view->SetItemData(item, node);
        return node;
    }

    // Whether the node's command is enabled; the node must know the command.
    static bool Enabled(ZRNodeMgr* node, unsigned id) {
        platform::ui::CommandState state;
        EXPECT_TRUE(node->OnUpdateCommand(id, state));
        return state.enabled;
    }
    // The flag as the drive holds it now.
    static bool Read(ZRBoolAttribute* flag) {
        flag->Refresh(true);
        return flag->GetValue();
    }
    // How often the drive ran the service request.
    int RanServices(const std::string& text) {
        const std::vector<std::string> ran = sim.Services(kLineNode);
        return static_cast<int>(std::count(ran.begin(), ran.end(), text));
    }

    std::unique_ptr<ZRDrive> drive;
    std::unique_ptr<ZRWorkspaceView> view;
};
