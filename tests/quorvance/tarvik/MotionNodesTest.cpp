// The nodes of the operation modes and of the preset and follower blocks, as they appear under a
// drive of an open project: their child items, menus, titles and property windows.
#include "TarvikFrameFixture.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRGearAttribute.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRAttributeRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Text.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/ZRFamilyRegistry.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRFollower.h"
#include "quorvance/tarvik/ZRFollowerNodeMgr.h"
#include "quorvance/tarvik/ZROperMode.h"
#include "quorvance/tarvik/ZROperModeNodeMgr.h"
#include "quorvance/tarvik/ZRPreset.h"
#include "quorvance/tarvik/ZRPresetNodeMgr.h"

#include <QPoint>

namespace {

using namespace tarvik;

class MotionNodes : public TarvikFrameFixture {
protected:
    void SetUp() override {
        TarvikFrameFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    }

    ZRWorkspaceView& Tree() { return *Shell().GetWorkspaceView(); }

    ZRTreeItem* ChildItem(ZRTreeItem* parent, const std::string& text) {
        for (ZRTreeItem* item : Tree().Children(parent))
            if (Tree().ItemText(item) == text)
                return item;
        return nullptr;
    }

    template <class Node> Node* NodeOf(ZRTreeItem* item) {
        return item ? dynamic_cast<Node*>(Tree().ItemDataAs<ZRNodeMgr>(item)) : nullptr;
    }

    // The drive's "Mode Configuration" node, made by the drive's node.
    ZROperModeNodeMgr* ModesNode(ZRDrive* drive) {
        ZRNodeMgr* driveNode = NodeUnder(Shell().GetOffLineItem(), drive);
        return driveNode ? NodeOf<ZROperModeNodeMgr>(ChildItem(driveNode->GetNode(), "Mode Configuration")) : nullptr;
    }

    // The texts of the node's context menu.
    static std::vector<std::string> MenuTexts(ZRNodeMgr& node) {
        std::unique_ptr<QMenu> holder;
        QMenu* menu = node.CreateContextMenu(holder);
        std::vector<std::string> texts;
        if (menu)
            for (QAction* action : menu->actions())
                texts.push_back(platform::ui::FromQString(action->text()));
        return texts;
    }
};

TEST_F(MotionNodes, ModeConfigurationHoldsANodePerRegisteredBlock) {
    struct Child {
        int32_t type;
        const char* text;
        int image;
    };
    const Child all[] = {{kAnalogInType, "Analog", ZRImages::kAnalog},
                         {kPresetType, "Preset", ZRImages::kPreset},
                         {kFollowerType, "Follower", ZRImages::kFollower},
                         {kIndexingType, "Indexing", ZRImages::kIndexing},
                         {kHomingType, "Homing", ZRImages::kHoming}};
    for (int32_t type : {kStandardDriveType, kIndexingDriveType}) {
        SCOPED_TRACE(type);
        ZRDrive* drive = AddDrive(type, type == kStandardDriveType ? "Axis S" : "Axis I");
        ZROperModeNodeMgr* modes = ModesNode(drive);
        ASSERT_NE(modes, nullptr);
        EXPECT_EQ(modes->GetTitleFormat(), "%s - Mode Configuration");
        EXPECT_EQ(modes->GetTitleName(), &drive->GetName());
        EXPECT_EQ(modes->GetHelpTopic(), 1067u);
        // A folder: no menu, no property sheet.
        EXPECT_TRUE(MenuTexts(*modes).empty());
        EXPECT_FALSE(modes->HasCommand(ID_PROPERTIES));

        std::vector<std::string> expected, texts;
        for (const Child& c : all)
            if (drive->GetOperMode()->GetChild(c.type) && ZRFamilyRegistry::Instance().FindNode(c.type))
                expected.push_back(c.text);
        for (ZRTreeItem* item : Tree().Children(modes->GetNode())) {
            texts.push_back(Tree().ItemText(item));
            for (const Child& c : all)
                if (Tree().ItemText(item) == c.text) {
                    EXPECT_EQ(Tree().ItemImage(item), c.image) << c.text;
                    EXPECT_EQ(Tree().ItemDataAs<ZRNodeMgr>(item)->GetModel(), drive->GetOperMode()->GetChild(c.type));
                }
        }
        EXPECT_EQ(texts, expected);
        EXPECT_NE(NodeOf<ZRPresetNodeMgr>(ChildItem(modes->GetNode(), "Preset")), nullptr);
        EXPECT_NE(NodeOf<ZRFollowerNodeMgr>(ChildItem(modes->GetNode(), "Follower")), nullptr);

        // The folder's report line, then the blocks' own reports, indented.
        std::string report;
        modes->DoReport(report);
        EXPECT_EQ(report.rfind("Mode Configuration\r\n", 0), 0u) << report;
        EXPECT_NE(report.find("\r\n   Preset\r\n"), std::string::npos) << report;
    }
}

TEST_F(MotionNodes, PresetGroupsShowPositionPresetsOnlyOnTheIndexingDrive) {
    const std::vector<std::string> common{"Preset Velocities", "Preset Velocity Input Limits", "Preset Currents"};
    for (int32_t type : {kStandardDriveType, kIndexingDriveType}) {
        SCOPED_TRACE(type);
        ZRDrive* drive = AddDrive(type, "Axis");
        auto* node = NodeOf<ZRPresetNodeMgr>(ChildItem(ModesNode(drive)->GetNode(), "Preset"));
        ASSERT_NE(node, nullptr);
        node->ShowProperties();
        ZRPropertiesView* view = node->GetPropsView();
        ASSERT_NE(view, nullptr);
        std::vector<ZRAttribute*> shown;
        for (const auto& row : view->m_pPropertiesGrid->GetRows())
            if (auto* attributeRow = dynamic_cast<ZRAttributeRow*>(row.get()))
                shown.push_back(attributeRow->GetAttribute());
        ZRPreset* preset = drive->GetOperMode()->GetPreset();
        auto has = [&](ZRAttribute* a) { return std::find(shown.begin(), shown.end(), a) != shown.end(); };
        EXPECT_TRUE(has(preset->GetPresetVelocity(7)));
        EXPECT_TRUE(has(preset->GetPresetCurrent(0)));
        EXPECT_TRUE(has(preset->GetAccelDecelLimits()));
        EXPECT_EQ(has(preset->GetPosition(3)), type == kIndexingDriveType);
        EXPECT_EQ(has(preset->GetDeceleration(7)), type == kIndexingDriveType);
        EXPECT_FALSE(has(preset->GetPresetSelectLine(0)));
        node->CloseWindows();
        // The report names each group of the window.
        std::string report;
        node->DoReport(report);
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(report.find("Preset Position " + std::to_string(i) + " Setup") != std::string::npos,
                      type == kIndexingDriveType);
        for (const std::string& group : common)
            EXPECT_NE(report.find(group), std::string::npos) << group;
    }
}

TEST_F(MotionNodes, BlockNodesOpenTheirPropertiesFromMenuAndDoubleClick) {
    ZRDrive* drive = AddDrive(kIndexingDriveType, "Axis");
    ZROperModeNodeMgr* modes = ModesNode(drive);
    ASSERT_NE(modes, nullptr);
    struct Case {
        const char* text;
        int subMenu;
        unsigned long help, propsHelp;
        const char* title;
    };
    const Case cases[] = {
        {"Preset", 5, 1069, 1085, "%s - Preset"},
        {"Follower", 6, 1070, 1086, "%s - Follower"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ZRNodeMgr* node = Tree().ItemDataAs<ZRNodeMgr>(ChildItem(modes->GetNode(), c.text));
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(node->GetTitleFormat(), c.title);
        EXPECT_EQ(node->GetTitleName(), &drive->GetName());
        EXPECT_EQ(node->GetHelpTopic(), c.help);
        EXPECT_EQ(node->GetPropsHelpTopic(), c.propsHelp);
        EXPECT_EQ(MenuTexts(*node), std::vector<std::string>{"Properties..."});
        // The menu is the block's own entry of the shared node menu, beside the off-line root's.
        const auto* menu = platform::ui::FindMenu(IDR_OFFLINE_ROOT_MENU);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->at(size_t(c.subMenu)).text, c.text);
        EXPECT_EQ(menu->at(1).text, "OffLineDB");

        ASSERT_TRUE(node->OnCommand(ID_PROPERTIES));
        ASSERT_NE(node->GetPropsView(), nullptr);
        EXPECT_TRUE(node->GetPropsFrame()->isVisible());
        node->CloseWindows();
        EXPECT_EQ(node->GetPropsView(), nullptr);
        node->OnLButtonDblClk(0, QPoint());
        EXPECT_NE(node->GetPropsView(), nullptr);
        node->CloseWindows();
    }
    // The follower shows the slew limit first, then its ratios as master:follower.
    auto* follower = NodeOf<ZRFollowerNodeMgr>(ChildItem(modes->GetNode(), "Follower"));
    follower->ShowProperties();
    std::vector<ZRAttribute*> shown;
    for (const auto& row : follower->GetPropsView()->m_pPropertiesGrid->GetRows())
        if (auto* attributeRow = dynamic_cast<ZRAttributeRow*>(row.get()))
            shown.push_back(attributeRow->GetAttribute());
    ZRFollower* block = drive->GetOperMode()->GetFollower();
    ASSERT_EQ(shown.size(), 10u);
    EXPECT_EQ(shown[0], block->GetSlewLimitEnable());
    EXPECT_EQ(shown[1], block->GetSlewLimit());
    EXPECT_EQ(shown[9], block->GetPreset(7));
    EXPECT_EQ(block->GetPreset(7)->GetAsString(), "1:1");
    follower->CloseWindows();
}

} // namespace
