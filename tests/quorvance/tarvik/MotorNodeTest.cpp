// The "Motor" node of a simulated drive, found by a scan: its window offers the catalogue's motors
// and a pick writes the motor's data to the drive; "Refresh Data" and the diagnostics, which the
// encoders node runs.
#include "TarvikScanFixture.h"

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
#include "platform/ui/Grid.h"
#include "platform/ui/Menu.h"
#include "quorvance/online/ZROnLineRootMgr.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "quorvance/tarvik/ZREncodersTarvik.h"
#include "quorvance/tarvik/ZRMotorNodeMgrTarvik.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"
#include "tests/support/wire/TarvikDriveSim.h"

#include <memory>

namespace {

using wiresim::Started;
using wiresim::TarvikDriveSim;

constexpr const char* kNoSmartEncoder =
    "The motor selected does not have an intelligent encoder. Auto Motor Iden will be disabled.";

// Stands in for the encoders node: takes the diagnostics commands the motor node hands on.
class EncodersStandIn : public ZRNodeMgr {
public:
    using ZRNodeMgr::ZRNodeMgr;
    void Initialize() override {}
    void DoCommand(unsigned int id) override { ran.push_back(id); }
    std::vector<unsigned> ran;
};

class MotorNode : public TarvikScanFixture {
protected:
    void SetUp() override {
        TarvikScanFixture::SetUp();
        ASSERT_TRUE(ZRGlobalDataMgr::Instance()->Init());
    }
    void TearDown() override {
        TarvikScanFixture::TearDown();
        ZRGlobalDataMgr::DestroyInstance();
    }
    // The drive on the line, its node with its block nodes, and its motor node.
    ZRMotorNodeMgrTarvik* Scan(TarvikDriveSim& line) {
        StartScan(line);
        ZRIdleController::Instance()->DoIdle();
        driveNode = OnlyDrive();
        return driveNode ? ChildOf<ZRMotorNodeMgrTarvik>(*driveNode) : nullptr;
    }
    // The commands the node shows as rows in its window, by text.
    static std::vector<std::string> CommandRows(ZRMotorNodeMgrTarvik& node) {
        node.ShowProperties();
        std::vector<std::string> texts;
        if (ZRPropertiesView* view = node.GetPropsView(); view && view->m_pServicesGrid)
            for (const auto& row : view->m_pServicesGrid->GetRows())
                if (auto* command = dynamic_cast<ZRCommandRow*>(row.get()))
                    texts.push_back(command->GetCaption());
        node.CloseWindows();
        return texts;
    }

    TempDir configDir;
    ScopedEnv config{"QUORVANCE_CONFIG_DIR", configDir.Path().string()};
    ZRDriveNodeMgr* driveNode = nullptr;
};

TEST_F(MotorNode, TheWindowOffersTheCatalogueAndAPickWritesTheMotorToTheDrive) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    ZRMotorNodeMgrTarvik* node = Scan(line);
    ASSERT_NE(node, nullptr);
    ZRMotorTarvik* motor = node->GetMotor();
    EXPECT_EQ(node->GetTitleFormat(), "%s - Motor");
    EXPECT_EQ(node->GetHelpTopic(), 1073u);
    EXPECT_EQ(node->GetPropsHelpTopic(), 1089u);

    node->ShowProperties();
    ZRPropertiesView* view = node->GetPropsView();
    ASSERT_NE(view, nullptr);
    ZRStringChoiceRow* modelRow = nullptr;
    for (const auto& row : view->m_pPropertiesGrid->GetRows())
        if (auto* choice = dynamic_cast<ZRStringChoiceRow*>(row.get()); choice && choice->GetAttribute() == motor->GetMotorModel())
            modelRow = choice;
    ASSERT_NE(modelRow, nullptr);
    const std::string choices = modelRow->GetGrid()->Style(modelRow->GetRow(), 2).choices;
    EXPECT_NE(choices.find("QV-R 40-1 A\n"), std::string::npos) << choices;
    // Neither induction motors nor encoder kind 4, nor a motor without all its flux rows.
    for (const char* absent : {"QV-I 90-4", "QV-R 80-1 A", "QV-R 40-3 A"})
        EXPECT_EQ(choices.find(absent), std::string::npos) << absent;

    // The pick as the row writes it; the drive identifies no incremental-encoder motor itself.
    {
        ModalScript script;
        script.ExpectMessage(kNoSmartEncoder, platform::core::IDOK);
        ASSERT_TRUE(motor->GetMotorModel()->SetAsString("QV-R 40-1 A"));
    }
    EXPECT_EQ(line.Text(1, 235).substr(0, 11), "QV-R 40-1 A");
    EXPECT_EQ(line.Value(1, 345), 1u);            // Auto Motor Iden "Disabled"
    EXPECT_EQ(line.Value(1, 149), 1u);            // Standard
    EXPECT_EQ(line.Value(1, 61), 3635u);          // 14.2 ohms
    EXPECT_EQ(line.Value(1, 56), 6000u);          // rpm, raw
    EXPECT_EQ(line.Value(1, 55), 2000u);          // lines, raw
    EXPECT_EQ(line.Value(1, 229, 7), motor->GetFluxSaturation(7)->GetInternalValue());

    // Refresh Data writes the catalogue's data again over a value changed on the drive.
    line.SetValue(1, 61, 0, 100);
    node->DoCommand(ID_REFRESH_MOTOR_DATA);
    EXPECT_EQ(line.Value(1, 61), 3635u);
    node->CloseWindows();
}

TEST_F(MotorNode, RefreshIsRefusedWhileTheDriveIdentifiesItsMotor) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    ZRMotorNodeMgrTarvik* node = Scan(line);
    ASSERT_NE(node, nullptr);
    ASSERT_FALSE(node->GetMotor()->GetAutoMotorIden()->GetValue());
    line.SetValue(1, 61, 0, 100);
    ModalScript script;
    script.ExpectMessage("Refresh is not valid when Auto Motor Identification is enabled", platform::core::IDOK);
    ASSERT_TRUE(node->OnCommand(ID_REFRESH_MOTOR_DATA));
    EXPECT_EQ(line.Value(1, 61), 100u);
}

TEST_F(MotorNode, DiagnosticsGoToTheEncodersNodeAndNothingHappensWithoutOne) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    ZRMotorNodeMgrTarvik* node = Scan(line);
    ASSERT_NE(node, nullptr);
    const unsigned diagnostics[] = {ID_COMMUTATION_DIAGNOSTICS, ID_MOTOR_FEEDBACK_DIAGNOSTICS,
                                    ID_MOTOR_MARKER_DIAGNOSTICS};
    EXPECT_EQ(CommandRows(*node), (std::vector<std::string>{"Commutation Diagnostics...",
                                                            "Motor Feedback Diagnostics...",
                                                            "Motor Marker Diagnostics...", "Refresh Data"}));
    // Without an "Encoders" item (no node registered for it, or none made): nothing, no message.
    ZRTreeItem* encodersItem = nullptr;
    for (ZRTreeItem* item : m_View->Children(driveNode->GetNode()))
        if (m_View->ItemText(item) == "Encoders")
            encodersItem = item;
    if (!encodersItem) {
        ModalScript none;
        for (unsigned id : diagnostics)
            node->DoCommand(id);
        encodersItem = m_View->InsertItem("Encoders", driveNode->GetNode());
    } else {
        ZRNodeMgr* real = m_View->NodeOf(encodersItem);
        real->Cleanup();
        delete real;
    }
    auto* encoders = new EncodersStandIn(encodersItem, driveNode->GetDrive()->GetEncoders(), m_View.get());
    m_View->SetItemData(encodersItem, encoders);
    for (unsigned id : diagnostics)
        ASSERT_TRUE(node->OnCommand(id));
    EXPECT_EQ(encoders->ran, std::vector<unsigned>(std::begin(diagnostics), std::end(diagnostics)));

    // A node opened while the drive is in a motor diagnostics mode hands that diagnostics on.
    driveNode->GetDrive()->GetHostControlMode()->SetValue(9);
    encoders->ran.clear();
    ZRTreeItem* item = m_View->InsertItem("Motor", driveNode->GetNode());
    auto* again = new ZRMotorNodeMgrTarvik(node->GetMotor(), item, m_View.get());
    m_View->SetItemData(item, again);
    again->Initialize();
    EXPECT_EQ(encoders->ran, std::vector<unsigned>{ID_MOTOR_FEEDBACK_DIAGNOSTICS});
}

TEST_F(MotorNode, UnderASercosDriveOnlyRefreshDataIsOffered) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    ZRMotorNodeMgrTarvik* plain = Scan(line);
    ASSERT_NE(plain, nullptr);
    ZRTreeItem* item = m_View->InsertItem("Motor", driveNode->GetNode());
    auto* node = new ZRMotorNodeMgrTarvik(plain->GetMotor(), item, m_View.get(), true);
    m_View->SetItemData(item, node);
    node->Initialize();
    EXPECT_EQ(CommandRows(*node), std::vector<std::string>{"Refresh Data"});
    const auto* menu = platform::ui::FindMenu(IDR_SERCOS_NODE_MENU);
    ASSERT_NE(menu, nullptr);
    ASSERT_GT(menu->size(), 2u);
    EXPECT_EQ(menu->at(2).text, "Motor");

    // The report: the motor choice, then the five groups of the motor's data.
    std::string report;
    node->DoReport(report);
    size_t at = 0;
    for (const char* group : {"Motor\r\n", "General", "Electrical", "Ratings", "Feedback", "Thermal"}) {
        at = report.find(group, at);
        EXPECT_NE(at, std::string::npos) << group << "\n" << report;
    }
}

} // namespace
