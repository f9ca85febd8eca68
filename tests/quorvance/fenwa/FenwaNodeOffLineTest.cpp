// Fenwa drives in a project of the running application: "Insert Fenwa", their block nodes and windows
// off line, edits that a saved project keeps, a copy of an on-line drive, a damaged file, and copies
// of a drive inside the project.
#include "../DriveValues.h"
#include "../shell/FrameFixture.h"

#include "kitbase/model/DBStorage.h"
#include "kitbase/model/ZRClipboard.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRIdleController.h"
#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/ZRGridRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/db/Database.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/Grid.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/fenwa/FenwaDigIn.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaMotor.h"
#include "quorvance/fenwa/FenwaNodeMgr.h"
#include "quorvance/fenwa/FenwaOperMode.h"
#include "quorvance/fenwa/FenwaPreset.h"
#include "quorvance/online/ZROnLine.h"
#include "quorvance/online/ZRPlainDriveNodeMgr.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "tests/support/wire/FakeClock.h"
#include "tests/support/wire/MixedLineSim.h"

#include <QCoreApplication>

#include <set>

namespace {

using platform::core::IDOK;
using platform::core::IDYES;
using platform::core::ModalKind;
using namespace platform::ui::ids;

// The drive's own values and its blocks', keyed below one fixed root so that drives of other names
// compare too.
DriveValues ValuesBelowDrive(ZRObject& drive, Which which = Which::All) {
    DriveValues values;
    CollectValues(drive, "drive", which, values);
    values.erase("drive/Name#" + std::to_string(drive.GetName().GetAttribute()));
    return values;
}

// The first attribute of the name among the object's lists.
ZRAttribute* Find(ZRObject& object, const std::string& name) {
    for (ZRObject::AttributeList* list :
         {&object.GetProperties(), &object.GetStatus(), &object.GetMiscAttributes()})
        for (ZRAttribute* attribute : *list)
            if (attribute && attribute->GetName() == name)
                return attribute;
    return nullptr;
}

// The drive's block of the class, at any depth (the presets are under the mode configuration).
ZRObject* BlockOf(ZRObject& object, int32_t cls) {
    for (ZRObject* child : object.GetChildren()) {
        if (child->GetClass() == cls)
            return child;
        if (ZRObject* found = BlockOf(*child, cls))
            return found;
    }
    return nullptr;
}

class FenwaOffLine : public FrameFixture {
protected:
    std::vector<std::string> DriveNames() {
        std::vector<std::string> names;
        for (ZRObject* child : App().GetOffLineRoot()->GetChildren())
            if (child->GetClass() == fenwa::kDriveType)
                names.push_back(child->GetName().GetValue());
        return names;
    }
    FenwaNodeMgr* NodeOf(ZRObject* object) {
        return dynamic_cast<FenwaNodeMgr*>(NodeUnder(Shell().Root()->GetNode(), object));
    }
    FenwaDrive* InsertDrive() {
        MenuAction(ID_INSERT_FENWA)->trigger();
        const auto& children = App().GetOffLineRoot()->GetChildren();
        return children.empty() ? nullptr : dynamic_cast<FenwaDrive*>(children.back());
    }
    // The labels of the tree below the node, depth first, each with its parent's path.
    std::vector<std::string> TreeBelow(ZRNodeMgr& node, const std::string& path = "") {
        std::vector<std::string> labels;
        ZRWorkspaceView* view = App().GetWorkspaceView();
        for (ZRTreeItem* item : view->Children(node.GetNode())) {
            const std::string label = path + view->ItemText(item);
            labels.push_back(label);
            if (ZRNodeMgr* child = view->NodeOf(item))
                for (const std::string& below : TreeBelow(*child, label + "/"))
                    labels.push_back(below);
        }
        return labels;
    }
    std::vector<ZRNodeMgr*> NodesBelow(ZRNodeMgr& node) {
        std::vector<ZRNodeMgr*> nodes;
        ZRWorkspaceView* view = App().GetWorkspaceView();
        for (ZRTreeItem* item : view->Children(node.GetNode()))
            if (ZRNodeMgr* child = view->NodeOf(item)) {
                nodes.push_back(child);
                for (ZRNodeMgr* below : NodesBelow(*child))
                    nodes.push_back(below);
            }
        return nodes;
    }
    // Opens the properties window of the drive node and of every block node below it; each must show
    // rows, at least one with a value. The mode configuration is a container with no values, and the
    // blocks that have no node of their own yet (a plain node) open nothing.
    void OpenEveryWindow(FenwaNodeMgr& drive) {
        std::vector<ZRNodeMgr*> nodes{&drive};
        for (ZRNodeMgr* node : NodesBelow(drive))
            if (!dynamic_cast<ZRPlainDriveNodeMgr*>(node) && node->GetModel() &&
                node->GetModel()->GetClass() != fenwa::kOperModeType)
                nodes.push_back(node);
        EXPECT_GE(nodes.size(), 6u);
        for (ZRNodeMgr* node : nodes) {
            const std::string label = App().GetWorkspaceView()->ItemText(node->GetNode());
            node->ShowProperties();
            ZRPropertiesView* window = node->GetPropsView();
            ASSERT_NE(window, nullptr) << label;
            ASSERT_NE(window->m_pPropertiesGrid, nullptr) << label;
            bool shown = false;
            for (const auto& row : window->m_pPropertiesGrid->GetRows())
                if (row->GetGrid() && !row->GetGrid()->Style(row->GetRow(), 2).value.empty())
                    shown = true;
            EXPECT_TRUE(shown) << label << " shows no value";
        }
    }
    void SaveAs(const std::string& stem) {
        ModalScript script;
        script.ExpectFile(ModalKind::SaveFile, WorkFile(stem), IDOK);
        ASSERT_TRUE(App().SaveAsDatabase());
    }
    void Reopen(const std::string& project, const std::function<void(ModalScript&)>& expect = {}) {
        ASSERT_TRUE(App().CloseDatabase());
        ModalScript script;
        script.ExpectFile(ModalKind::OpenFile, project, IDOK);
        if (expect)
            expect(script);
        App().OpenDatabase();
        ASSERT_TRUE(App().IsDatabaseOpen());
    }
    FenwaDrive* DriveNamed(const std::string& name) {
        for (ZRObject* child : App().GetOffLineRoot()->GetChildren())
            if (child->GetName().GetValue() == name)
                return dynamic_cast<FenwaDrive*>(child);
        return nullptr;
    }
};

const std::vector<std::string> kBlockTree{"Mode Configuration",
                                          "Mode Configuration/Analog",
                                          "Mode Configuration/Preset",
                                          "Mode Configuration/Follower",
                                          "Motor",
                                          "Tuning",
                                          "Encoders",
                                          "Digital Inputs",
                                          "Digital Outputs",
                                          "Analog Outputs",
                                          "Oscilloscope",
                                          "Faults",
                                          "ServiceInfo"};

TEST_F(FenwaOffLine, InsertMakesUniquelyNamedDrivesThatASavedProjectKeeps) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    ASSERT_TRUE(IsEnabled(ID_INSERT_FENWA));
    MenuAction(ID_INSERT_FENWA)->trigger();
    MenuAction(ID_INSERT_FENWA)->trigger();
    EXPECT_EQ(DriveNames(), (std::vector<std::string>{"Drive", "Drive1"}));
    ZRObject* drive = App().GetOffLineRoot()->GetChildren()[0];
    FenwaNodeMgr* node = NodeOf(drive);
    ASSERT_NE(node, nullptr);
    EXPECT_FALSE(App().GetWorkspaceView()->Children(node->GetNode()).empty());

    // Off line the panel starts no thread; its rows only change the jog state.
    node->DoCommand(ID_FENWA_VELOCITY_PANEL);
    EXPECT_FALSE(node->IsJogging());
    node->DoCommand(ID_FENWA_JOG_FORWARD);
    EXPECT_EQ(node->GetJogState(), FenwaNodeMgr::JogForward);
    EXPECT_FALSE(node->IsJogging());
    {
        ModalScript script;
        script.ExpectMessage("The Drive is Offline.", IDOK);
        node->OnResetToFactorySettings();
    }

    drive->GetName().SetValue("Axis 1");
    const std::string project = WorkFile("fenwa.qdb");
    {
        ModalScript script;
        script.ExpectFile(ModalKind::SaveFile, WorkFile("fenwa"), IDOK);
        ASSERT_TRUE(App().SaveAsDatabase());
    }
    ASSERT_TRUE(App().CloseDatabase());
    {
        ModalScript script;
        script.ExpectFile(ModalKind::OpenFile, project, IDOK);
        App().OpenDatabase();
    }
    ASSERT_TRUE(App().IsDatabaseOpen());
    // What a drive keeps of its values is the drive object's; here both come back with their node.
    EXPECT_EQ(DriveNames().size(), 2u);
    for (ZRObject* reopened : App().GetOffLineRoot()->GetChildren())
        EXPECT_NE(NodeOf(reopened), nullptr);
}

TEST_F(FenwaOffLine, EveryBlockOfAnInsertedDriveIsANodeWhosePropertiesOpenWithoutADrive) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    FenwaDrive* drive = InsertDrive();
    ASSERT_NE(drive, nullptr);
    FenwaNodeMgr* node = NodeOf(drive);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(TreeBelow(*node), kBlockTree);
    ASSERT_NO_FATAL_FAILURE(OpenEveryWindow(*node));
}

// Edits in several blocks, the user units among them, come back equal from the saved file, and
// opening the windows of the reopened drive changes nothing in the project.
TEST_F(FenwaOffLine, EditedValuesOfEveryBlockComeBackFromTheSavedProject) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    FenwaDrive* drive = InsertDrive();
    ASSERT_NE(drive, nullptr);
    drive->GetName().SetValue("Axis 1");
    const struct {
        int32_t block;
        const char* name;
        const char* text;
    } edits[] = {
        {fenwa::kDriveType, "Speed Window", "33"},
        {fenwa::kDriveType, "Drive Address", "9"},
        {fenwa::kDriveType, "Displayed Units", "User"},
        {fenwa::kDriveType, "Velocity Label", "mm/s"},
        {fenwa::kDriveType, "Velocity Scale", "3"},
        {fenwa::kMotorType, "Motor Model", "KVR 0401A"},
        {fenwa::kTuningType, "P", "123"},
        {fenwa::kTuningType, "Gain", "Medium"},
        {fenwa::kPresetType, "Preset Velocity 2", "-40.00"},
        {fenwa::kDigInType, "Pr-0.06", "0003"}, // fault reset on input 3
    };
    for (const auto& edit : edits) {
        ZRObject* block = edit.block == fenwa::kDriveType ? drive : BlockOf(*drive, edit.block);
        ASSERT_NE(block, nullptr) << edit.block;
        ZRAttribute* attribute = Find(*block, edit.name);
        ASSERT_NE(attribute, nullptr) << edit.name;
        ASSERT_TRUE(attribute->SetAsString(edit.text)) << edit.name;
        EXPECT_EQ(attribute->GetAsString(), edit.text) << edit.name;
    }
    // The preset shows user units: what the drive keeps is another number.
    ZRAttribute* preset = Find(*BlockOf(*drive, fenwa::kPresetType), "Preset Velocity 2");
    EXPECT_NE(preset->GetInternalAsString(), "-40");
    EXPECT_EQ(drive->GetDigIn()->GetInput(3)->GetValue(), 0x80);
    const std::string presetInternal = preset->GetInternalAsString();

    const DriveValues before = ValuesOf(*drive);
    const std::vector<std::string> tree = TreeBelow(*NodeOf(drive));
    ASSERT_NO_FATAL_FAILURE(SaveAs("edited"));
    ASSERT_NO_FATAL_FAILURE(Reopen(WorkFile("edited.qdb")));

    FenwaDrive* reopened = DriveNamed("Axis 1");
    ASSERT_NE(reopened, nullptr);
    FenwaNodeMgr* node = NodeOf(reopened);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(TreeBelow(*node), tree);
    EXPECT_TRUE(SameValues(before, ValuesOf(*reopened)));
    ZRAttribute* reopenedPreset = Find(*BlockOf(*reopened, fenwa::kPresetType), "Preset Velocity 2");
    EXPECT_EQ(reopenedPreset->GetAsString(), "-40.00");
    EXPECT_EQ(reopenedPreset->GetInternalAsString(), presetInternal);
    EXPECT_EQ(reopened->GetDigIn()->GetInput(3)->GetValue(), 0x80);

    ASSERT_NO_FATAL_FAILURE(OpenEveryWindow(*node));
    EXPECT_FALSE(App().GetProjectStorage()->IsModified());
    // No "Save changes" question on the way out.
    ModalScript none;
    EXPECT_TRUE(App().CloseDatabase());
}

// A file whose motor block row is gone and whose speed window holds text opens with the messages
// of a damaged project; every other value is kept, and the lost block is made again.
TEST_F(FenwaOffLine, ADamagedProjectOpensAndKeepsEverythingElse) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    FenwaDrive* drive = InsertDrive();
    ASSERT_NE(drive, nullptr);
    drive->GetName().SetValue("Axis 1");
    ASSERT_TRUE(drive->GetAttribute("Drive Address")->SetAsString("9"));
    ASSERT_TRUE(Find(*BlockOf(*drive, fenwa::kTuningType), "P")->SetAsString("123"));
    const int32_t motor = drive->GetMotor()->GetInstance();
    const int32_t speedWindow = drive->GetAttribute("Speed Window")->GetAttribute();
    const DriveValues before = ValuesOf(*drive);
    ASSERT_NO_FATAL_FAILURE(SaveAs("damaged"));
    ASSERT_TRUE(App().CloseDatabase());
    {
        platform::db::Database file;
        file.Open(WorkFile("damaged.qdb"));
        file.Execute("DELETE FROM Objects WHERE Class = ? AND Instance = ?", {fenwa::kMotorType, motor});
        file.Execute("UPDATE Integers SET Value = 'wide' WHERE Attribute = ?", {speedWindow});
    }
    ASSERT_NO_FATAL_FAILURE(Reopen(WorkFile("damaged.qdb"), [](ModalScript& script) {
        script.ExpectMessage("Corrupted project database. Data may have been lost.", IDOK);
    }));
    FenwaDrive* reopened = DriveNamed("Axis 1");
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(TreeBelow(*NodeOf(reopened)), kBlockTree);
    DriveValues after;
    {
        // The bad number fails its own read only.
        ModalScript script;
        script.ExpectMessage("Speed Window: The field [Value] holds \"wide\", which is not a 32-bit integer",
                             IDOK);
        after = ValuesOf(*reopened);
    }
    EXPECT_EQ(after["Axis 1/Drive Address#" +
                    std::to_string(reopened->GetAttribute("Drive Address")->GetAttribute())],
              "9");
    // Everything but the motor's values and the bad number is as it was.
    auto kept = [](DriveValues values, int32_t badAttribute) {
        std::erase_if(values, [&](const auto& entry) {
            return entry.first.rfind("Axis 1/Motor/", 0) == 0 ||
                   entry.first.ends_with("#" + std::to_string(badAttribute));
        });
        return values;
    };
    EXPECT_TRUE(SameValues(kept(before, speedWindow), kept(after, speedWindow)));

    // The motor block is stored again: its edits reach the next save.
    ASSERT_GT(reopened->GetMotor()->GetInstance(), 0);
    ASSERT_TRUE(reopened->GetMotor()->GetMotorModel()->SetAsString("KVR 0401A"));
    ASSERT_TRUE(App().SaveDatabase());
    ASSERT_NO_FATAL_FAILURE(Reopen(WorkFile("damaged.qdb")));
    EXPECT_EQ(DriveNamed("Axis 1")->GetMotor()->GetMotorModel()->GetAsString(), "KVR 0401A");
}

// Copy and paste, and a drag onto the project, give equal drives; the names stay unique.
TEST_F(FenwaOffLine, CopiesInsideTheProjectAreEqualDrivesWithUniqueNames) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    FenwaDrive* drive = InsertDrive();
    ASSERT_NE(drive, nullptr);
    drive->GetName().SetValue("Axis 1");
    ASSERT_TRUE(drive->GetAttribute("Speed Window")->SetAsString("33"));
    ASSERT_TRUE(Find(*BlockOf(*drive, fenwa::kPresetType), "Preset Velocity 3")->SetAsString("1200"));
    ASSERT_TRUE(Find(*BlockOf(*drive, fenwa::kTuningType), "P")->SetAsString("77"));
    const DriveValues original = ValuesBelowDrive(*drive);
    FenwaNodeMgr* node = NodeOf(drive);
    ASSERT_NE(node, nullptr);
    ZROffLineDBNodeMgr* root = Shell().Root();

    // Dropped onto the project it sits beside: a copy under a new name.
    root->DragCopy(node->GetNode());
    FenwaDrive* dragged = DriveNamed("Axis 11");
    ASSERT_NE(dragged, nullptr);
    EXPECT_NE(NodeOf(dragged), nullptr);
    EXPECT_TRUE(SameValues(original, ValuesBelowDrive(*dragged)));

    // Copied, renamed and pasted: the clipboard's drive comes back under its own name.
    ASSERT_TRUE(node->OnCommand(ID_EDIT_COPY));
    drive->GetName().SetValue("Axis 2");
    ASSERT_TRUE(root->OnCommand(ID_EDIT_PASTE));
    FenwaDrive* pasted = DriveNamed("Axis 1");
    ASSERT_NE(pasted, nullptr);
    EXPECT_NE(pasted, drive);
    EXPECT_TRUE(SameValues(original, ValuesBelowDrive(*pasted)));
    EXPECT_EQ(DriveNames(), (std::vector<std::string>{"Axis 2", "Axis 11", "Axis 1"}));

    // All three are in the saved file.
    ASSERT_NO_FATAL_FAILURE(SaveAs("copies"));
    ASSERT_NO_FATAL_FAILURE(Reopen(WorkFile("copies.qdb")));
    for (const char* name : {"Axis 1", "Axis 2", "Axis 11"}) {
        FenwaDrive* reopened = DriveNamed(name);
        ASSERT_NE(reopened, nullptr) << name;
        EXPECT_TRUE(SameValues(original, ValuesBelowDrive(*reopened))) << name;
    }
}

// A Fenwa drive never pastes or drops onto a Tarvik drive, nor a Tarvik drive onto a Fenwa drive.
TEST_F(FenwaOffLine, DrivesOfTheOtherFamilyAreNeitherPastedNorDropped) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    FenwaDrive* fenwaDrive = InsertDrive();
    ASSERT_NE(fenwaDrive, nullptr);
    auto made = std::make_unique<ZRDrive>(tarvik::kStandardDriveType);
    made->SetProductType(ZRDrive::kDrivePresent | ZRDrive::kFirmwareValid | ZRDrive::kStandardDrive);
    made->Init();
    made->GetName().SetValue("Axis");
    ZRDrive* tarvikDrive = made.get();
    {
        ModalScript script;
        ExpectDriveAdded(script, "Axis");
        App().GetOffLineRoot()->AddChild(std::move(made), true);
    }
    auto* tarvikNode = dynamic_cast<ZRDriveNodeMgr*>(NodeUnder(Shell().Root()->GetNode(), tarvikDrive));
    FenwaNodeMgr* fenwaNode = NodeOf(fenwaDrive);
    ASSERT_NE(tarvikNode, nullptr);
    ASSERT_NE(fenwaNode, nullptr);
    const DriveValues tarvikBefore = ValuesBelowDrive(*tarvikDrive);
    const DriveValues fenwaBefore = ValuesBelowDrive(*fenwaDrive);

    ASSERT_TRUE(fenwaNode->Copy());
    platform::ui::CommandState state;
    tarvikNode->OnUpdateCommand(ID_EDIT_PASTE, state);
    EXPECT_FALSE(state.enabled);
    tarvikNode->DragCopy(fenwaNode->GetNode());
    ZRTreeItem* dropItem = nullptr;
    bool copyPlain = false, copyWithCtrl = false;
    tarvikNode->CanDrop(fenwaNode->GetNode(), dropItem, copyPlain, copyWithCtrl);
    EXPECT_EQ(dropItem, nullptr);

    ASSERT_TRUE(tarvikNode->Copy());
    fenwaNode->OnUpdateCommand(ID_EDIT_PASTE, state);
    EXPECT_FALSE(state.enabled);
    fenwaNode->DragCopy(tarvikNode->GetNode());
    fenwaNode->CanDrop(tarvikNode->GetNode(), dropItem, copyPlain, copyWithCtrl);
    EXPECT_EQ(dropItem, nullptr);
    // Even asked directly, neither drive takes the other's values.
    tarvikDrive->Copy(fenwaDrive, true);
    fenwaDrive->Copy(tarvikDrive, true);
    EXPECT_TRUE(SameValues(tarvikBefore, ValuesBelowDrive(*tarvikDrive)));
    EXPECT_TRUE(SameValues(fenwaBefore, ValuesBelowDrive(*fenwaDrive)));
    ZRClipboard::Instance()->Clear();
}

// "Copy to Offline and Save" of a drive on a simulated line gives an equal off-line drive in the
// saved file.
TEST_F(FenwaOffLine, CopyToOfflineAndSaveGivesAnEqualDriveInTheSavedProject) {
    wiresim::Started<wiresim::MixedLineSim> line{std::set<uint8_t>{}, std::set<uint8_t>{2}};
    FakeClock fast{20};
    // Values only this drive holds.
    line.Fenwa().SetParameter(2, 0x1F6, "0021");
    ASSERT_NO_FATAL_FAILURE(StartFrame(false, true));
    ZROnLine* online = App().GetOnLine();
    online->SetLinkSettingsSource([path = line.Path()] {
        ZRLinkSettings link;
        link.port = path;
        return link;
    });
    ZRScanSettings& scan = online->GetScanSettings();
    scan.scanTarvik = scan.scanZelna = scan.scanMerrix = 0;
    scan.scanFenwa = 1;
    scan.fenwaFrom = scan.fenwaTo = 2;
    online->Refresh();
    for (int tick = 0; tick < 10 && online->IsScanning(); ++tick)
        ZRIdleController::Instance()->DoIdle();
    auto* drive = dynamic_cast<FenwaDrive*>(online->FindDrive(2));
    ASSERT_NE(drive, nullptr);
    ASSERT_FALSE(drive->GetDevice()->IsOffLine());
    // What a copy carries: the settings of the drive and its blocks. Readings stay with the drive,
    // and so does its service information (model and calibration belong to the unit).
    auto copied = [](ZRObject& from) {
        DriveValues values = ValuesBelowDrive(from, Which::Properties);
        std::erase_if(values,
                      [](const auto& entry) { return entry.first.starts_with("drive/ServiceInfo/"); });
        return values;
    };
    const DriveValues onLine = copied(*drive);
    auto* node = dynamic_cast<FenwaNodeMgr*>(NodeUnder(App().GetOnLineItem(), drive));
    ASSERT_NE(node, nullptr);

    // No project yet: the copy makes one, and the save asks where it goes.
    {
        ModalScript script;
        script.ExpectFile(ModalKind::SaveFile, WorkFile("copied"), IDOK);
        ASSERT_TRUE(node->OnCommand(ID_COPY_TO_OFFLINE));
    }
    ASSERT_TRUE(App().IsDatabaseOpen());
    auto* copy = dynamic_cast<FenwaDrive*>(OnlyOffLineChild());
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->GetDevice()->IsOffLine());
    EXPECT_EQ(copy->GetName().GetValue(), drive->GetName().GetValue());
    EXPECT_TRUE(SameValues(onLine, copied(*copy)));
    EXPECT_EQ(copy->GetAttribute("Speed Window")->GetInternalAsString(), "33");

    ASSERT_NO_FATAL_FAILURE(Reopen(WorkFile("copied.qdb")));
    auto* reopened = dynamic_cast<FenwaDrive*>(OnlyOffLineChild());
    ASSERT_NE(reopened, nullptr);
    EXPECT_TRUE(SameValues(onLine, copied(*reopened)));
}

} // namespace
