// The nodes under a Fenwa drive's "Mode Configuration": the tree they make, their menus, titles and
// groups, and the commands they send.
#include "FenwaLine.h"

#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "quorvance/fenwa/FenwaAnalog.h"
#include "quorvance/fenwa/FenwaAnalogNodeMgr.h"
#include "quorvance/fenwa/FenwaCommand.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/fenwa/FenwaDevice.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaFollower.h"
#include "quorvance/fenwa/FenwaFollowerNodeMgr.h"
#include "quorvance/fenwa/FenwaOperMode.h"
#include "quorvance/fenwa/FenwaOperModeNodeMgr.h"
#include "quorvance/fenwa/FenwaPreset.h"
#include "quorvance/fenwa/FenwaPresetNodeMgr.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "tests/quorvance/tarvik/NodeCommands.h"

#include "support/ModalScript.h"
#include "support/ui/UiTestApp.h"

namespace {

using platform::core::IDOK;

// A drive object whose parameter save is only counted.
class CountingDrive : public FenwaDrive {
public:
    void SaveParameters() override { ++saves; }
    int saves = 0;
};

// Opens the protected command rows of a node kind.
template <class Node> struct RowsOf : Node {
    static std::vector<std::string> Captions(Node& node) {
        std::list<std::unique_ptr<ZRGridRow>> rows;
        (node.*(&RowsOf::BuildCommandRows))(rows);
        std::vector<std::string> captions;
        for (const auto& row : rows)
            if (auto* command = dynamic_cast<ZRCommandRow*>(row.get()))
                captions.push_back(command->GetCaption());
        return captions;
    }
};

class FenwaModesNodes : public FenwaLine {
protected:
    void SetUp() override {
        FenwaLine::SetUp();
        TestApp();
        drive.Init();
        drive.GetName().SetValue("Axis F");
        ZRTreeItem* item = view.InsertItem("Mode Configuration", nullptr);
        modes = new FenwaOperModeNodeMgr(drive.GetOperMode(), item, &view);
        view.SetItemData(item, modes);
        modes->Initialize();
    }

    ZRTreeItem* ChildItem(const std::string& text) {
        for (ZRTreeItem* item : view.Children(modes->GetNode()))
            if (view.ItemText(item) == text)
                return item;
        return nullptr;
    }
    template <class Node> Node* NodeOf(const std::string& text) {
        ZRTreeItem* item = ChildItem(text);
        return item ? dynamic_cast<Node*>(view.ItemDataAs<ZRNodeMgr>(item)) : nullptr;
    }

    CountingDrive drive;
    ZRWorkspaceView view;
    FenwaOperModeNodeMgr* modes = nullptr;
};

TEST_F(FenwaModesNodes, ModeConfigurationHoldsAnalogPresetAndFollower) {
    EXPECT_EQ(modes->GetTitleFormat(), "%s - Mode Configuration");
    EXPECT_EQ(modes->GetTitleName(), &drive.GetName());
    EXPECT_EQ(modes->GetHelpTopic(), 1163u);
    EXPECT_FALSE(modes->HasCommand(ID_PROPERTIES)) << "a folder without a property sheet";

    struct Child {
        const char* text;
        int image;
        ZRObject* block;
    };
    FenwaOperMode* block = drive.GetOperMode();
    const Child children[] = {{"Analog", ZRImages::kAnalog, block->GetAnalog()},
                              {"Preset", ZRImages::kPreset, block->GetPreset()},
                              {"Follower", ZRImages::kFollower, block->GetFollower()}};
    std::vector<std::string> texts;
    for (ZRTreeItem* item : view.Children(modes->GetNode()))
        texts.push_back(view.ItemText(item));
    EXPECT_EQ(texts, (std::vector<std::string>{"Analog", "Preset", "Follower"}));
    for (const Child& c : children) {
        ZRTreeItem* item = ChildItem(c.text);
        ASSERT_NE(item, nullptr) << c.text;
        EXPECT_EQ(view.ItemImage(item), c.image) << c.text;
        EXPECT_EQ(view.ItemDataAs<ZRNodeMgr>(item)->GetModel(), c.block) << c.text;
    }
    ASSERT_NE(NodeOf<FenwaAnalogNodeMgr>("Analog"), nullptr);
    ASSERT_NE(NodeOf<FenwaPresetNodeMgr>("Preset"), nullptr);
    ASSERT_NE(NodeOf<FenwaFollowerNodeMgr>("Follower"), nullptr);

    std::string report;
    modes->DoReport(report);
    EXPECT_EQ(report.rfind("Mode Configuration\r\n", 0), 0u) << report;
}

TEST_F(FenwaModesNodes, BlockNodesShowTheirGroupsTitlesAndMenus) {
    FenwaPresetNodeMgr* preset = NodeOf<FenwaPresetNodeMgr>("Preset");
    ASSERT_NE(preset, nullptr);
    EXPECT_EQ(preset->GetTitleFormat(), "%s - Preset");
    EXPECT_EQ(preset->GetTitleName(), &drive.GetName());
    EXPECT_EQ(preset->GetHelpTopic(), 1164u);
    EXPECT_EQ(preset->GetPropsHelpTopic(), 1165u);
    EXPECT_EQ(MenuIds(*preset), (std::vector<unsigned>{ID_PROPERTIES}));
    std::unique_ptr<QMenu> holder;
    ASSERT_NE(preset->CreateContextMenu(holder), nullptr);
    EXPECT_EQ(RowsOf<FenwaPresetNodeMgr>::Captions(*preset), (std::vector<std::string>{"Save Parameters"}));

    FenwaFollowerNodeMgr* follower = NodeOf<FenwaFollowerNodeMgr>("Follower");
    ASSERT_NE(follower, nullptr);
    EXPECT_EQ(follower->GetTitleFormat(), "%s - Follower");
    EXPECT_EQ(follower->GetHelpTopic(), 1157u);
    EXPECT_EQ(follower->GetPropsHelpTopic(), 1158u);
    EXPECT_EQ(MenuIds(*follower), (std::vector<unsigned>{ID_PROPERTIES}));
    EXPECT_EQ(RowsOf<FenwaFollowerNodeMgr>::Captions(*follower),
              (std::vector<std::string>{"Save Parameters"}));

    FenwaAnalogNodeMgr* analog = NodeOf<FenwaAnalogNodeMgr>("Analog");
    ASSERT_NE(analog, nullptr);
    EXPECT_EQ(analog->GetTitleFormat(), "%s - Analog");
    EXPECT_EQ(analog->GetHelpTopic(), 1144u);
    EXPECT_EQ(MenuIds(*analog),
              (std::vector<unsigned>{ID_PROPERTIES, ID_REMOVE_VELOCITY_OFFSET, ID_REMOVE_CURRENT_OFFSET,
                                     ID_INCREASE_VELOCITY_OFFSET, ID_DECREASE_VELOCITY_OFFSET,
                                     ID_INCREASE_CURRENT_OFFSET, ID_DECREASE_CURRENT_OFFSET}));
    EXPECT_EQ(RowsOf<FenwaAnalogNodeMgr>::Captions(*analog),
              (std::vector<std::string>{"Remove Velocity Input Offset", "Remove Current Input Offset",
                                        "Increase Velocity Input Offset", "Decrease Velocity Input Offset",
                                        "Increase Current Input Offset", "Decrease Current Input Offset",
                                        "Save Parameters"}));
    // Off line the offset commands are not offered.
    EXPECT_FALSE(Enabled(*analog, ID_REMOVE_CURRENT_OFFSET));
    EXPECT_FALSE(Enabled(*analog, ID_DECREASE_CURRENT_OFFSET));
}

TEST_F(FenwaModesNodes, SaveParametersFromEveryBlockNodeReachesTheDrive) {
    for (const char* text : {"Analog", "Preset", "Follower"}) {
        ZRNodeMgr* node = view.ItemDataAs<ZRNodeMgr>(ChildItem(text));
        ASSERT_NE(node, nullptr) << text;
        const int before = drive.saves;
        node->DoCommand(ID_FENWA_SAVE_PARAMETERS);
        EXPECT_EQ(drive.saves, before + 1) << text;
        node->DoCommand(ID_PROPERTIES + 1000);
        EXPECT_EQ(drive.saves, before + 1) << text << ": other ids do nothing";
    }
}

TEST_F(FenwaModesNodes, OffsetCommandsRunTheAnalogBlocksCommandsAndAPairRunsInFull) {
    // The block's eight drive commands in their order; this drive takes "TAT" and refuses "TMN".
    FenwaAnalog* block = drive.GetOperMode()->GetAnalog();
    FenwaDevice device;
    device.SetStorage(storage.get());
    device.SetOffLine(false);
    block->SetDevice(&device);
    sim.SetHandler([](const wiresim::CommandRequest& r) -> std::optional<wiresim::CommandAnswer> {
        if (r.command.rfind("TMN", 0) == 0)
            return wiresim::CommandAnswer::Status(wiresim::symbol::US);
        return std::nullopt;
    });
    sim.SetLongCommand("TAT", 0);
    FenwaAnalogNodeMgr* analog = NodeOf<FenwaAnalogNodeMgr>("Analog");
    ASSERT_NE(analog, nullptr);
    EXPECT_TRUE(Enabled(*analog, ID_REMOVE_CURRENT_OFFSET));

    Sent();
    // From the context menu and from the command row alike.
    EXPECT_TRUE(analog->OnCommand(ID_REMOVE_CURRENT_OFFSET));
    analog->DoCommand(ID_REMOVE_CURRENT_OFFSET);
    std::vector<std::string> sent = Sent();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "TAT04"), 2) << testing::PrintToString(sent);

    {
        ModalScript script;
        script.ExpectMessage("not supported", IDOK);
        script.ExpectMessage("not supported", IDOK);
        analog->DoCommand(ID_INCREASE_VELOCITY_OFFSET);
    }
    sent = Sent();
    EXPECT_EQ(sent, (std::vector<std::string>{"TMN02", "TMN03"}));
    sim.SetHandler(nullptr);
    block->SetDevice(nullptr);
}

} // namespace
