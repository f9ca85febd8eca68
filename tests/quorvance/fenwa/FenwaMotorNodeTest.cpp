// The "Motor" node of a Fenwa drive: its menu, groups and command rows, the motor list of its model
// row, and "Refresh Data".
#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "kitbase/ui/ZRStringChoiceRow.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/Directories.h"
#include "platform/ui/Grid.h"
#include "platform/ui/Menu.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaMotor.h"
#include "quorvance/fenwa/FenwaMotorNodeMgr.h"
#include "quorvance/shell/ZRFamilyRegistry.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "support/ModalScript.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"
#include "support/model/FakeStorage.h"
#include "support/model/TestDevice.h"
#include "support/ui/UiTestApp.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace {

class FenwaMotorNode : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        std::filesystem::copy(platform::core::InstallDir(), install.Path(),
                              std::filesystem::copy_options::recursive);
        installEnv.emplace("QUORVANCE_INSTALL_DIR", install.Path().string());
        dataEnv.emplace("XDG_DATA_HOME", (config.Path() / "data").string());
        ASSERT_TRUE(ZRGlobalDataMgr::Instance()->Init());
        drive = std::make_unique<FenwaDrive>();
        drive->Init();
        drive->GetName().SetValue("Axis 1");
        motor = drive->GetMotor();
        motor->Attach(&device, 1);
        view = std::make_unique<ZRWorkspaceView>();
        ZRTreeItem* item = view->InsertItem("Motor", nullptr);
        ZRNodeMaker make = ZRFamilyRegistry::Instance().FindNode(fenwa::kMotorType);
        ASSERT_NE(make, nullptr);
        auto made = make(motor, item, view.get());
        node = dynamic_cast<FenwaMotorNodeMgr*>(made.release());
        ASSERT_NE(node, nullptr);
        view->SetItemData(item, node);
        node->Initialize();
    }
    void TearDown() override {
        if (node)
            node->CloseWindows();
        view.reset();
        drive.reset();
        ZRGlobalDataMgr::DestroyInstance();
    }

    TempDir config;
    ScopedEnv configEnv{"QUORVANCE_CONFIG_DIR", config.Path().string()};
    TempDir install;
    std::optional<ScopedEnv> installEnv, dataEnv;
    FakeStorage storage;
    TestDevice device{&storage, true};
    std::unique_ptr<FenwaDrive> drive;
    FenwaMotor* motor = nullptr;
    std::unique_ptr<ZRWorkspaceView> view;
    FenwaMotorNodeMgr* node = nullptr;
};

std::vector<std::string> Names(ZRPropertyGroup& group) {
    std::vector<std::string> names;
    for (ZRAttribute* a : group.GetProperties())
        names.push_back(a->GetName());
    return names;
}

TEST_F(FenwaMotorNode, MenuGroupsAndCommandRows) {
    EXPECT_EQ(node->GetTitleFormat(), "%s - Motor");
    EXPECT_EQ(node->GetHelpTopic(), 1159u);
    EXPECT_EQ(node->GetPropsHelpTopic(), 1160u);

    const std::vector<platform::ui::MenuItem>* menu = platform::ui::FindMenu(IDR_FENWA_NODE_MENU);
    ASSERT_NE(menu, nullptr);
    ASSERT_GT(menu->size(), size_t(kFenwaMotorMenu));
    const platform::ui::MenuItem& popup = menu->at(kFenwaMotorMenu);
    EXPECT_EQ(popup.text, "Motor");
    ASSERT_EQ(popup.items.size(), 2u);
    EXPECT_EQ(popup.items[0].id, ID_PROPERTIES);
    ASSERT_EQ(popup.items[1].items.size(), 1u);
    EXPECT_EQ(popup.items[1].items[0].id, ID_REFRESH_MOTOR_DATA);

    EXPECT_EQ(Names(node->GetProperties()),
              (std::vector<std::string>{"Auto Motor Iden", "Motor Model", "Inertia Ratio"}));
    std::vector<std::string> groups;
    for (ZRPropertyGroup* group : node->GetStatuses().GetGroups())
        groups.push_back(group->GetName() + ":" + std::to_string(group->GetProperties().size()));
    EXPECT_EQ(groups, (std::vector<std::string>{"General:9", "Electrical:3", "Ratings:4", "Feedback:6",
                                                "Thermal:6"}));

    node->ShowProperties();
    ZRPropertiesView* window = node->GetPropsView();
    ASSERT_NE(window, nullptr);
    std::vector<std::string> commands;
    for (const auto& row : window->m_pServicesGrid->GetRows())
        if (auto* command = dynamic_cast<ZRCommandRow*>(row.get()))
            commands.push_back(command->GetCaption());
    EXPECT_EQ(commands, (std::vector<std::string>{"Refresh Data", "Save Parameters"}));

    // The model row offers the catalogue's motors a Fenwa drive runs.
    ZRStringChoiceRow* modelRow = nullptr;
    for (const auto& row : window->m_pPropertiesGrid->GetRows())
        if (auto* choice = dynamic_cast<ZRStringChoiceRow*>(row.get()))
            modelRow = choice;
    ASSERT_NE(modelRow, nullptr);
    const std::string choices = modelRow->GetGrid()->Style(modelRow->GetRow(), 2).choices;
    for (const char* offered : {"QV-R 40-1 A", "KVR 0401A", "QV-L 25-1 A"})
        EXPECT_NE(choices.find(offered), std::string::npos) << offered;
    // Sine/cosine encoder, induction, saturating flux, trapezoidal commutation.
    for (const char* absent : {"QV-R 60-2 B", "QV-I 90-4", "QV-R 80-2 A", "QV-T 60-2 A"})
        EXPECT_EQ(choices.find(absent), std::string::npos) << absent;
}

TEST_F(FenwaMotorNode, RefreshDataCopiesTheCatalogueAgainUnlessTheDriveIdentifies) {
    motor->GetMotorModel()->SetAsString("KVR 0401A"); // SA35: identification stays on
    motor->GetResistance()->SetInternalValue(100);
    {
        ModalScript script;
        script.ExpectMessage("Refresh is not valid when Auto Motor Identification is enabled",
                             platform::core::IDOK);
        ASSERT_TRUE(node->OnCommand(ID_REFRESH_MOTOR_DATA));
    }
    EXPECT_EQ(motor->GetResistance()->GetInternalValue(), 100u);

    motor->GetAutoMotorIden()->SetValue(false);
    {
        ModalScript script;
        script.ExpectMessage("has an intelligent encoder", platform::core::IDOK);
        node->DoCommand(ID_REFRESH_MOTOR_DATA);
    }
    EXPECT_EQ(motor->GetResistance()->GetInternalValue(), 742u); // 2.9 ohms
    EXPECT_TRUE(motor->GetAutoMotorIden()->GetValue());

    // Off line the drive has nothing to save: nothing happens.
    node->DoCommand(ID_DISPLAY_ROWS);
}

} // namespace
