// The digital I/O, DeviceNet and SERCOS drive nodes of simulated drives: the override window and
// what its rows and its closing write, inputs switched on the drive, the reports, the reduced node of
// a SERCOS drive and the switch between SERCOS and normal operation.
#include "NodeCommands.h"
#include "TarvikScanFixture.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "quorvance/online/OnlineCommands.h"
#include "quorvance/online/ZROnLineRootMgr.h"
#include "quorvance/shell/ZRFamilyRegistry.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDNetTarvikNodeMgr.h"
#include "quorvance/tarvik/ZRDigInNodeMgrTarvik.h"
#include "quorvance/tarvik/ZRDigInTarvik.h"
#include "quorvance/tarvik/ZRDigOutNodeMgrTarvik.h"
#include "quorvance/tarvik/ZRDigOutTarvik.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "quorvance/tarvik/ZRFaultsNodeMgr.h"
#include "quorvance/tarvik/ZRMotorNodeMgrTarvik.h"
#include "quorvance/tarvik/ZRSercosDriveNodeMgr.h"
#include "tests/support/wire/FakeClock.h"
#include "tests/support/wire/TarvikDriveSim.h"
#include "tests/support/wire/TarvikInputsPlay.h"

#include <QCoreApplication>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using wiresim::Started;
using wiresim::TarvikDriveSim;
using wiresim::TarvikInputsPlay;

constexpr int kOutputOverride = 68;
constexpr int kOutputStates = 119;
constexpr int kProductType = 0;
constexpr int kDisableOptionCard = 260;
constexpr uint32_t kDeviceNet = 0x10;
constexpr uint32_t kEnabledBit = 1u << 23;

class DigitalIoNodes : public TarvikScanFixture {
protected:
    // Scans nodes 1 to last; the drive nodes in node order.
    std::vector<ZRNodeMgr*> Scan(TarvikDriveSim& line, int last = 1) {
        StartScan(line, last);
        EXPECT_TRUE(ScanToEnd());
        return DriveNodes();
    }
    std::vector<std::string> ChildTexts(ZRNodeMgr& parent) {
        std::vector<std::string> texts;
        for (ZRTreeItem* item : m_View->Children(parent.GetNode()))
            texts.push_back(m_View->ItemText(item));
        return texts;
    }
};

std::vector<std::string> Names(ZRPropertyGroup& group) {
    std::vector<std::string> names;
    for (ZRAttribute* attribute : group.GetProperties())
        names.push_back(attribute->GetName());
    return names;
}

TEST_F(DigitalIoNodes, OverrideWindowTakesOutputsOverAndItsClosingGivesThemBack) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    std::vector<ZRNodeMgr*> drives = Scan(line);
    ASSERT_EQ(drives.size(), 1u);
    auto* node = ChildOf<ZRDigOutNodeMgrTarvik>(*drives[0]);
    ASSERT_NE(node, nullptr);
    ZRDigOutTarvik* block = node->GetBlock();
    // "Output 2" is on when the window opens.
    line.SetValue(1, kOutputStates, 0, 0x2);
    ASSERT_TRUE(block->GetOutputState(1)->Refresh(true));

    node->DoCommand(ID_OVERRIDE_OUTPUTS);
    ZRPropertiesView* view = node->GetOverrideView();
    ASSERT_NE(view, nullptr);
    ASSERT_NE(view->m_pPropertiesGrid, nullptr);
    ASSERT_NE(view->m_pServicesGrid, nullptr);
    ASSERT_NE(view->m_pStatusGrid, nullptr);
    EXPECT_EQ(view->m_pPropertiesGrid->GetRows().size(), 5u);
    EXPECT_EQ(view->m_pServicesGrid->GetRows().size(), 7u);
    EXPECT_EQ(view->m_pStatusGrid->GetRows().size(), 5u);
    int index = -1;
    ASSERT_TRUE(node->FindIcon(268, index));
    CSizableChildFrame* frame = node->GetPropsFrame(index);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->windowTitle().toStdString(), drives[0]->GetModel()->GetName().GetValue() + " - Override Outputs");
    // Asked again: the same window.
    node->DoCommand(ID_OVERRIDE_OUTPUTS);
    EXPECT_EQ(node->GetOverrideView(), view);

    // Into override starting from the output's state: state bit 9, then mode bit 1.
    ASSERT_TRUE(block->GetModeRequest(1)->SetValue(true));
    EXPECT_EQ(line.Value(1, kOutputOverride), 0x202u);
    ASSERT_TRUE(block->GetModeRequest(3)->SetValue(true));
    EXPECT_EQ(line.Value(1, kOutputOverride), 0x20Au);
    // The toggles change the override states whatever the mode.
    node->DoCommand(ID_TOGGLE_RELAY);
    EXPECT_EQ(line.Value(1, kOutputOverride), 0x120Au);
    node->DoCommand(ID_TURN_ALL_ON);
    EXPECT_EQ(line.Value(1, kOutputOverride), 0x1F0Au);
    node->DoCommand(ID_TURN_ALL_OFF);
    EXPECT_EQ(line.Value(1, kOutputOverride), 0x000Au);
    node->DoCommand(ID_TOGGLE_OUTPUT_1);
    EXPECT_EQ(line.Value(1, kOutputOverride), 0x010Au);

    frame->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(node->GetOverrideView(), nullptr);
    // Every output back to normal; the override states stay as set.
    EXPECT_EQ(line.Value(1, kOutputOverride), 0x0100u);
    for (int k = 0; k < ZRDigOutTarvik::kOutputs; ++k)
        EXPECT_FALSE(block->GetModeRequest(k)->GetValue()) << k;

    // Open again on a drive still in override: the window starts from the drive's modes.
    line.SetValue(1, kOutputOverride, 0, 0x4);
    ASSERT_TRUE(block->GetMode(2)->Refresh(true));
    node->DoCommand(ID_OVERRIDE_OUTPUTS);
    ASSERT_NE(node->GetOverrideView(), nullptr);
    EXPECT_TRUE(block->GetModeRequest(2)->GetValue());
}

TEST_F(DigitalIoNodes, InputsSwitchedOnTheDriveShowAndReportsListTheFunctions) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    std::vector<ZRNodeMgr*> drives = Scan(line);
    ASSERT_EQ(drives.size(), 1u);
    auto* inputNode = ChildOf<ZRDigInNodeMgrTarvik>(*drives[0]);
    auto* outputNode = ChildOf<ZRDigOutNodeMgrTarvik>(*drives[0]);
    ASSERT_NE(inputNode, nullptr);
    ASSERT_NE(outputNode, nullptr);
    // A drive without DeviceNet has no DeviceNet node.
    EXPECT_EQ(ChildOf<ZRDNetTarvikNodeMgr>(*drives[0]), nullptr);
    EXPECT_EQ(Names(inputNode->GetStatuses()).size(), 8u);

    ZRDigInTarvik* inputs = inputNode->GetBlock();
    auto* play = line.FindPlay<TarvikInputsPlay>();
    ASSERT_NE(play, nullptr);
    play->SetInput(1, 3, true);
    play->SetInput(1, 8, true);
    for (int i = 0; i < ZRDigInTarvik::kInputs; ++i) {
        ASSERT_TRUE(inputs->GetInputState(i)->Refresh(true));
        EXPECT_EQ(inputs->GetInputState(i)->GetValue(), i == 2 || i == 7) << i;
    }
    play->SetInput(1, 3, false);
    ASSERT_TRUE(inputs->GetInputState(2)->Refresh(true));
    EXPECT_FALSE(inputs->GetInputState(2)->GetValue());

    ZRDigOutTarvik* outputs = outputNode->GetBlock();
    ASSERT_TRUE(outputs->GetOutput(0)->SetValue(static_cast<int32_t>(0xC0000000)));
    std::string text;
    outputNode->DoReport(text);
    EXPECT_NE(text.find("   Digital Outputs:\r\n      Output 1:\r\n         Brake\r\n         Ready\r\n"
                        "      Output 2:\r\n         Unassigned\r\n"),
              std::string::npos)
        << text;
    text.clear();
    ASSERT_TRUE(inputs->GetInput(0)->SetValue(static_cast<int32_t>(0x80000000)));
    inputNode->DoReport(text);
    EXPECT_NE(text.find("   Digital Inputs:\r\n      Input 1:\r\n         Drive Enable\r\n"), std::string::npos) << text;
}

TEST_F(DigitalIoNodes, DeviceNetDriveShowsItsNodeWithTheSoftwareInputs) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    line.SetValue(1, kProductType, 0, line.Value(1, kProductType) | kDeviceNet);
    std::vector<ZRNodeMgr*> drives = Scan(line);
    ASSERT_EQ(drives.size(), 1u);
    auto* node = ChildOf<ZRDNetTarvikNodeMgr>(*drives[0]);
    ASSERT_NE(node, nullptr);
    node->ShowProperties();
    ZRPropertiesView* view = node->GetPropsView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->m_pServicesGrid, nullptr);
    ASSERT_NE(view->m_pStatusGrid, nullptr);
    ASSERT_EQ(node->GetStatuses().GetGroups().size(), 1u);
    ZRPropertyGroup* inputs = *node->GetStatuses().GetGroups().begin();
    EXPECT_EQ(inputs->GetName(), "Software Input");
    std::vector<std::string> names = Names(*inputs);
    ASSERT_EQ(names.size(), 22u);
    EXPECT_EQ(names.front(), "Disable Serial");
    EXPECT_EQ(names.back(), "Enable Drive");
}

TEST_F(DigitalIoNodes, SercosDriveMenuIsWholeWhenAChildFilledTheResourceFirst) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    std::vector<ZRNodeMgr*> drives = Scan(line);
    ASSERT_EQ(drives.size(), 1u);
    auto* drive = static_cast<ZRDrive*>(drives[0]->GetModel());
    // A SERCOS motor node fills its place of the SERCOS resource before any SERCOS drive node.
    ZRTreeItem* motorItem = m_View->InsertItem("Motor", drives[0]->GetNode());
    auto* motorNode = new ZRMotorNodeMgrTarvik(drive->GetMotor(), motorItem, m_View.get(), true);
    m_View->SetItemData(motorItem, motorNode);
    motorNode->Initialize();
    ZRTreeItem* item = m_View->InsertItem("SERCOS", m_RootItem);
    auto* sercos = new ZRSercosDriveNodeMgr(drive, item, m_View.get());
    m_View->SetItemData(item, sercos);
    sercos->Initialize();
    const std::vector<unsigned> ids = MenuIds(*sercos);
    for (unsigned id : {ID_UPGRADE_FIRMWARE, ID_DEACTIVATE_SERCOS_NODE, ID_PROPERTIES, ID_CLEAR_FAULTS})
        EXPECT_NE(std::find(ids.begin(), ids.end(), id), ids.end()) << id;
    EXPECT_EQ(MenuIds(*motorNode), (std::vector<unsigned>{ID_PROPERTIES, ID_REFRESH_MOTOR_DATA}));
}

TEST_F(DigitalIoNodes, SercosDriveShowsItsReducedNodeAndSwitchesBackToNormal) {
    FakeClock fast{200};
    Started<TarvikDriveSim> line(std::set<uint8_t>{1, 2});
    auto* play = line.FindPlay<TarvikInputsPlay>();
    ASSERT_NE(play, nullptr);
    play->AddSercosCard(2);
    std::vector<ZRNodeMgr*> drives = Scan(line, 2);
    ASSERT_EQ(drives.size(), 2u);
    EXPECT_NE(dynamic_cast<ZRDriveNodeMgr*>(drives[0]), nullptr);
    auto* sercos = dynamic_cast<ZRSercosDriveNodeMgr*>(drives[1]);
    ASSERT_NE(sercos, nullptr);

    // The reduced tree, of the nodes the program has.
    const std::pair<int32_t, const char*> children[] = {
        {tarvik::kMotorType, "Motor"},  {tarvik::kDigInType, "Digital Inputs"}, {tarvik::kMonitorType, "Monitor"},
        {tarvik::kScopeType, "Oscilloscope"}, {tarvik::kFaultsType, "Faults"},   {tarvik::kServiceInfoType, "Service Info"}};
    std::vector<std::string> expected;
    for (const auto& [type, text] : children)
        if (type == tarvik::kMonitorType || ZRFamilyRegistry::Instance().FindNode(type))
            expected.push_back(text);
    EXPECT_EQ(ChildTexts(*sercos), expected);

    auto* inputs = ChildOf<ZRDigInNodeMgrTarvik>(*sercos);
    ASSERT_NE(inputs, nullptr);
    EXPECT_EQ(Names(inputs->GetStatuses()),
              (std::vector<std::string>{"Drive Enable (if assigned)", "Home Sensor", "Registration Sensor 1",
                                        "Registration Sensor 2", "Positive Overtravel", "Negative Overtravel"}));
    // The restricted first input only.
    ASSERT_EQ(inputs->GetBlock()->GetSercosInput()->GetStrings().size(), 2u);
    // Motor and faults in their reduced forms: "Refresh Data" alone, the velocity-error limits alone.
    auto* motorNode = ChildOf<ZRMotorNodeMgrTarvik>(*sercos);
    ASSERT_NE(motorNode, nullptr);
    EXPECT_TRUE(motorNode->IsSercos());
    EXPECT_EQ(MenuIds(*motorNode), (std::vector<unsigned>{ID_PROPERTIES, ID_REFRESH_MOTOR_DATA}));
    auto* faultsNode = ChildOf<ZRFaultsNodeMgr>(*sercos);
    ASSERT_NE(faultsNode, nullptr);
    std::string faults;
    faultsNode->DoReport(faults);
    for (const char* shown : {"Velocity Error Fault Limit", "Velocity Error Fault Time"})
        EXPECT_NE(faults.find(shown), std::string::npos) << shown << "\n" << faults;
    for (const char* left : {"User Current Fault", "User Velocity Fault", "Following Error"})
        EXPECT_EQ(faults.find(left), std::string::npos) << left << "\n" << faults;

    ZRPropertyGroup* monitor = sercos->GetMonitorTree();
    ASSERT_NE(monitor, nullptr);
    std::vector<std::string> groups;
    for (ZRPropertyGroup* group : monitor->GetGroups()) {
        groups.push_back(group->GetName());
        if (group->GetName() == "Current Signals") {
            EXPECT_EQ(group->GetProperties().size(), 8u);
        }
    }
    EXPECT_EQ(groups, (std::vector<std::string>{"Drive Status", "Position Signals", "Velocity Signals",
                                                 "Current Signals", "Encoders", "Digital Inputs", "Digital Outputs"}));
    auto* drive = static_cast<ZRDrive*>(sercos->GetModel());
    EXPECT_EQ(drive->GetDigOut()->GetOutputState(4)->GetName(), "Brake");

    // Deactivate: confirmed, the card is disabled, the drive reset and found again as a normal drive.
    {
        ModalScript script;
        script.ExpectMessage("reset the drive as a NON-SERCOS drive", platform::core::IDOK);
        sercos->OnCommand(ID_DEACTIVATE_SERCOS_NODE);
        ASSERT_TRUE(RunEventsUntil([&] { return script.Remaining() == 0; }, std::chrono::seconds(20)));
        ASSERT_TRUE(ScanToEnd());
    }
    EXPECT_EQ(line.Value(2, kDisableOptionCard), 1u);
    EXPECT_FALSE(play->IsSercos(2));
    drives = DriveNodes();
    ASSERT_EQ(drives.size(), 2u);
    auto* normal = dynamic_cast<ZRDriveNodeMgr*>(drives[1]);
    ASSERT_NE(normal, nullptr);

    // Activation is refused while the drive is enabled ...
    line.SetValue(2, tarvik::param::kDriveStatus, 0, kEnabledBit);
    {
        ModalScript script;
        script.ExpectMessage("Can't activate SERCOS while drive is enabled", platform::core::IDOK);
        normal->OnCommand(ID_SERCOS_ACTIVATION);
        ASSERT_TRUE(RunEventsUntil([&] { return script.Remaining() == 0; }, std::chrono::seconds(20)));
    }
    EXPECT_EQ(line.Value(2, kDisableOptionCard), 1u);
    // ... and turns the card back on when it is not.
    line.SetValue(2, tarvik::param::kDriveStatus, 0, 0);
    {
        ModalScript script;
        script.ExpectMessage("reset the drive as a SERCOS drive", platform::core::IDOK);
        normal->OnCommand(ID_SERCOS_ACTIVATION);
        ASSERT_TRUE(RunEventsUntil([&] { return script.Remaining() == 0; }, std::chrono::seconds(20)));
        ASSERT_TRUE(ScanToEnd());
    }
    EXPECT_EQ(line.Value(2, kDisableOptionCard), 0u);
    EXPECT_TRUE(play->IsSercos(2));
    drives = DriveNodes();
    ASSERT_EQ(drives.size(), 2u);
    EXPECT_NE(dynamic_cast<ZRSercosDriveNodeMgr*>(drives[1]), nullptr);
}

} // namespace
