// The digital input, digital output and analog output nodes of a Fenwa drive (and the follower's
// window beside them): the nodes the drive hangs, their menus, titles and windows off line, and on a
// simulated drive what their windows read and write, their reports and "Save Parameters".
#include "FenwaLine.h"

#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRBoolRow.h"
#include "kitbase/ui/ZRChannelSetup.h"
#include "kitbase/ui/ZRCheckListRow.h"
#include "kitbase/ui/ZRChoiceRow.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZREditRow.h"
#include "kitbase/ui/ZRGroupRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Grid.h"
#include "platform/ui/Menu.h"
#include "platform/ui/TreeView.h"
#include "quorvance/fenwa/FenwaAnalogOut.h"
#include "quorvance/fenwa/FenwaAnalogOutNodeMgr.h"
#include "quorvance/fenwa/FenwaChannelRow.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/fenwa/FenwaDevice.h"
#include "quorvance/fenwa/FenwaDigIn.h"
#include "quorvance/fenwa/FenwaDigInNodeMgr.h"
#include "quorvance/fenwa/FenwaDigOut.h"
#include "quorvance/fenwa/FenwaDigOutNodeMgr.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaInputUpdateMgr.h"
#include "quorvance/shell/ZRFamilyRegistry.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/shell/ZRMasterRowFactory.h"
#include "tests/quorvance/tarvik/NodeCommands.h"

#include "support/ModalScript.h"
#include "support/ui/TreeClicks.h"
#include "support/ui/UiTestApp.h"

#include <QTest>

#include <functional>

namespace {

using platform::core::IDOK;
using platform::core::ModalKind;
using Strings = std::vector<std::string>;

// A row as the user reads it: its kind and the name in its first column.
std::string Describe(ZRGridRow& row) {
    const char* kind = "Row";
    if (dynamic_cast<FenwaChannelRow*>(&row))
        kind = "Channel";
    else if (dynamic_cast<ZRCheckListRow*>(&row))
        kind = "CheckList";
    else if (dynamic_cast<ZRChoiceRow*>(&row))
        kind = "Choice";
    else if (dynamic_cast<ZRBoolRow*>(&row))
        kind = "Bool";
    else if (dynamic_cast<ZREditRow*>(&row))
        kind = "Edit";
    else if (dynamic_cast<ZRGroupRow*>(&row))
        kind = "Group";
    if (auto* command = dynamic_cast<ZRCommandRow*>(&row))
        return "Command:" + command->GetCaption();
    return std::string(kind) + ":" + row.GetGrid()->Value(row.GetRow(), 1);
}

template <class Grid> Strings Rows(Grid* grid) {
    Strings rows;
    if (grid)
        for (const auto& row : grid->GetRows())
            rows.push_back(Describe(*row));
    return rows;
}

// The row of the grid that shows the attribute.
template <class Row> Row* RowOf(ZRPropertiesGrid* grid, ZRAttribute* attribute) {
    for (const auto& row : grid->GetRows())
        if (auto* r = dynamic_cast<Row*>(row.get()); r && r->GetAttribute() == attribute)
            return r;
    return nullptr;
}

// What a value cell shows; for a check list its summary line.
std::string Shown(ZRGridRow* row) {
    if (!row)
        return "<no row>";
    const platform::ui::CellStyle& cell = row->GetGrid()->Style(row->GetRow(), 2);
    if (dynamic_cast<ZRCheckListRow*>(row))
        return cell.choices.substr(0, cell.choices.find('\n'));
    return cell.value;
}

// Opens the protected command rows of a node kind.
struct CommandRowsOf : FenwaOperModeBlockNodeMgr {
    static Strings Captions(FenwaOperModeBlockNodeMgr& node) {
        std::list<std::unique_ptr<ZRGridRow>> rows;
        (node.*(&CommandRowsOf::BuildCommandRows))(rows);
        Strings captions;
        for (const auto& row : rows)
            if (auto* command = dynamic_cast<ZRCommandRow*>(row.get()))
                captions.push_back(command->GetCaption());
        return captions;
    }
};

// A Fenwa drive with its node and block nodes in a workspace tree; on line on the simulated line
// when the test attaches it.
class FenwaIoNodes : public FenwaLine {
protected:
    void SetUp() override {
        FenwaLine::SetUp();
        TestApp();
        ZRNodeMgr::SetFactory(ZRMasterRowFactory::Instance());
        drive = std::make_unique<FenwaDrive>();
        drive->Init();
        drive->GetName().SetValue("Axis F");
    }
    void TearDown() override {
        if (driveNode)
            driveNode->DoCloseWindows();
        view.reset();
        drive.reset();
        ZRNodeMgr::SetFactory(nullptr);
        FenwaLine::TearDown();
    }

    void AttachOnLine() {
        device.SetStorage(storage.get());
        device.SetOffLine(false);
        drive->Attach(&device, 1);
    }
    void MakeNodes() {
        view = std::make_unique<ZRWorkspaceView>();
        ZRTreeItem* item = view->InsertItem("Axis F", nullptr);
        ZRNodeMaker make = ZRFamilyRegistry::Instance().FindNode(fenwa::kDriveType);
        ASSERT_NE(make, nullptr);
        driveNode = make(drive.get(), item, view.get()).release();
        ASSERT_NE(driveNode, nullptr);
        view->SetItemData(item, driveNode);
        driveNode->Initialize();
    }
    // The child item of the parent's item with the text.
    ZRTreeItem* ItemUnder(ZRNodeMgr* parent, const std::string& text) {
        for (ZRTreeItem* item : view->Children(parent->GetNode()))
            if (view->ItemText(item) == text)
                return item;
        return nullptr;
    }
    template <class Node> Node* NodeOf(const std::string& text, ZRNodeMgr* parent = nullptr) {
        ZRTreeItem* item = ItemUnder(parent ? parent : driveNode, text);
        return item ? dynamic_cast<Node*>(view->NodeOf(item)) : nullptr;
    }
    // The node's property window, opened as a double click opens it.
    ZRPropertiesView* Open(ZRNodeMgr* node) {
        node->OnChar('\r', 1, 0);
        return node->GetPropsView();
    }

    FenwaDevice device;
    std::unique_ptr<FenwaDrive> drive;
    std::unique_ptr<ZRWorkspaceView> view;
    ZRNodeMgr* driveNode = nullptr;
};

TEST_F(FenwaIoNodes, TheDriveHangsItsIoNodesWithTheirMenusTitlesAndHelp) {
    ASSERT_NO_FATAL_FAILURE(MakeNodes());
    struct Case {
        const char* text;
        int image;
        ZRObject* block;
        int menu;
        const char* popup;
        const char* title;
        unsigned long help, propsHelp;
    };
    const Case cases[] = {
        {"Digital Inputs", ZRImages::kDigitalInputs, drive->GetDigIn(), kFenwaDigInMenu, "DigitalInputs",
         "%s - Digital Inputs", 1149, 1150},
        {"Digital Outputs", ZRImages::kDigitalOutputs, drive->GetDigOut(), kFenwaDigOutMenu, "DigitalOutputs",
         "%s - Digital Outputs", 1151, 1152},
        {"Analog Outputs", ZRImages::kAnalogOutputs, drive->GetAnalogOut(), kFenwaAnalogOutMenu,
         "AnalogOutputs", "%s - Analog Outputs", 1146, 1147},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ZRTreeItem* item = ItemUnder(driveNode, c.text);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(view->ItemImage(item), c.image);
        auto* node = dynamic_cast<FenwaOperModeBlockNodeMgr*>(view->NodeOf(item));
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(node->GetModel(), c.block);
        EXPECT_EQ(node->GetTitleFormat(), c.title);
        EXPECT_EQ(node->GetTitleName(), &drive->GetName());
        EXPECT_EQ(node->GetHelpTopic(), c.help);
        EXPECT_EQ(node->GetPropsHelpTopic(), c.propsHelp);
        EXPECT_EQ(MenuIds(*node), std::vector<unsigned>{ID_PROPERTIES});
        const std::vector<platform::ui::MenuItem>* menu = platform::ui::FindMenu(IDR_FENWA_NODE_MENU);
        ASSERT_NE(menu, nullptr);
        ASSERT_GT(menu->size(), size_t(c.menu));
        EXPECT_EQ(menu->at(size_t(c.menu)).text, c.popup);
        EXPECT_EQ(CommandRowsOf::Captions(*node), Strings{"Save Parameters"});

        ZRPropertiesView* window = Open(node);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(Caption(window), std::string("Axis F") + (c.title + 2));
    }
}

TEST_F(FenwaIoNodes, WindowsShowTheirGroupsAsRowsOffLine) {
    ASSERT_NO_FATAL_FAILURE(MakeNodes());
    ZRNodeMgr* modes = NodeOf<ZRNodeMgr>("Mode Configuration");
    ASSERT_NE(modes, nullptr);
    struct Case {
        ZRNodeMgr* node;
        Strings properties, status, commands;
    };
    const Strings save{"Command:Save Parameters"};
    const Case cases[] = {
        {NodeOf<FenwaDigInNodeMgr>("Digital Inputs"),
         {"CheckList:Input 1", "CheckList:Input 2", "CheckList:Input 3", "CheckList:Input 4",
          "CheckList:Input 5", "CheckList:Input 6", "CheckList:Input 7"},
         {"Bool:Input 1 State", "Bool:Input 2 State", "Bool:Input 3 State", "Bool:Input 4 State",
          "Bool:Input 5 State", "Bool:Input 6 State", "Bool:Input 7 State"},
         save},
        {NodeOf<FenwaDigOutNodeMgr>("Digital Outputs"),
         {"Choice:Output 1", "Choice:Output 2", "Choice:Output 3", "Edit:Brake Inactive Delay",
          "Edit:Brake Active Delay"},
         {"Bool:Output 1 State", "Bool:Output 2 State", "Bool:Output 3 State"},
         save},
        {NodeOf<FenwaAnalogOutNodeMgr>("Analog Outputs"),
         {"Group:Analog Output 1", "Channel:Signal", "Edit:Scale", "Group:Analog Output 2", "Channel:Signal",
          "Edit:Scale"},
         {},
         save},
        {NodeOf<ZRNodeMgr>("Follower", modes),
         {"Choice:Command Type", "Choice:Controller Output Type", "Edit:Gear Ratio"},
         {},
         save},
    };
    for (const Case& c : cases) {
        ASSERT_NE(c.node, nullptr);
        SCOPED_TRACE(c.node->GetTitleFormat());
        ZRPropertiesView* window = Open(c.node);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(Rows(window->m_pPropertiesGrid), c.properties);
        EXPECT_EQ(Rows(window->m_pStatusGrid), c.status);
        EXPECT_EQ(Rows(window->m_pServicesGrid), c.commands);
    }

    // The signals show by name from the drive's channel list, their scales in the signal's units.
    FenwaAnalogOut* out = drive->GetAnalogOut();
    ZRPropertiesGrid* grid = cases[2].node->GetPropsView()->m_pPropertiesGrid;
    EXPECT_EQ(Shown(RowOf<FenwaChannelRow>(grid, out->GetSignal(1))), "Velocity Feedback");
    EXPECT_EQ(Shown(RowOf<FenwaChannelRow>(grid, out->GetSignal(2))), "Velocity Command");
    out->GetSignal(2)->SetInternalValue(8);
    EXPECT_EQ(Shown(RowOf<FenwaChannelRow>(grid, out->GetSignal(2))), "Commutation Angle");
    EXPECT_EQ(out->GetScale(2)->GetUnits(), "Degrees/Volt");
}

TEST_F(FenwaIoNodes, AnAssignmentOfTheWrongLengthFromTheDriveShowsAsTheDefaultsAndIsReportedOnce) {
    sim.SetParameter(1, 0x005, "0882"); // "Drive Enable" on input 2
    sim.SetParameter(1, 0x006, "70");   // would put "Operation Mode Override" on input 7
    FenwaDigIn* in = drive->GetDigIn();
    ZRPropertiesView* window = nullptr;
    std::string report;
    {
        // Told once as it arrives, whatever reads it again afterwards.
        ModalScript script;
        script.ExpectMessage("Pr-0.06 holds the invalid assignment \"70\". \"0000\" is used in its place.",
                             IDOK);
        AttachOnLine();
        ASSERT_NO_FATAL_FAILURE(MakeNodes());
        window = Open(NodeOf<FenwaDigInNodeMgr>("Digital Inputs"));
        ASSERT_NE(window, nullptr);
        NodeOf<FenwaDigInNodeMgr>("Digital Inputs")->DoReport(report);
    }
    EXPECT_EQ(in->GetUpdateMgr().GetCurrentText(), "08820000000000000000");
    Strings shown;
    for (int n = 1; n <= FenwaDigIn::kInputs; ++n)
        shown.push_back(Shown(RowOf<ZRCheckListRow>(window->m_pPropertiesGrid, in->GetInput(n))));
    EXPECT_EQ(shown, (Strings{"Unassigned", "Drive Enable", "Unassigned", "Unassigned", "Unassigned",
                              "Unassigned", "Unassigned"}));
    std::string expected = "   Digital Inputs:\r\n";
    for (int n = 1; n <= FenwaDigIn::kInputs; ++n)
        expected += "      Input " + std::to_string(n) + ":\r\n         " +
                    (n == 2 ? "Drive Enable" : "Unassigned") + "\r\n";
    EXPECT_EQ(report, expected + "\r\n");
    // Reading wrote nothing back.
    EXPECT_EQ(sim.Parameter(1, 0x006), "70");

    // An edit in the window writes whole assignments again.
    Sent();
    ASSERT_TRUE(in->GetInput(7)->SetValue(0x10));
    const Strings sent = Sent();
    EXPECT_NE(std::find(sent.begin(), sent.end(), "CHP0067000"), sent.end()) << testing::PrintToString(sent);
    EXPECT_EQ(sim.Parameter(1, 0x006), "7000");
    EXPECT_EQ(Shown(RowOf<ZRCheckListRow>(window->m_pPropertiesGrid, in->GetInput(7))),
              "Operation Mode Override");
}

TEST_F(FenwaIoNodes, AnOutputsFunctionMovesInTheWindowAndEachNodeSavesTheDrivesParameters) {
    sim.SetParameter(1, 0x00A, "0100"); // "Brake" on output 1
    AttachOnLine();
    ASSERT_NO_FATAL_FAILURE(MakeNodes());
    auto* node = NodeOf<FenwaDigOutNodeMgr>("Digital Outputs");
    ASSERT_NE(node, nullptr);
    ZRPropertiesView* window = Open(node);
    ASSERT_NE(window, nullptr);
    FenwaDigOut* out = drive->GetDigOut();
    ZRPropertiesGrid* grid = window->m_pPropertiesGrid;
    // A choice cell holds the option's index: "Brake" is the third.
    EXPECT_EQ(Shown(RowOf<ZRChoiceRow>(grid, out->GetOutput(1))), "2");
    EXPECT_EQ(Shown(RowOf<ZREditRow>(grid, out->GetBrakeActiveDelay())), "500");

    ASSERT_TRUE(out->GetOutput(2)->SetAsString("Brake"));
    EXPECT_EQ(sim.Parameter(1, 0x00A), "0200");
    EXPECT_EQ(Shown(RowOf<ZRChoiceRow>(grid, out->GetOutput(1))), "0");
    EXPECT_EQ(Shown(RowOf<ZRChoiceRow>(grid, out->GetOutput(2))), "2");

    // "Save Parameters" of every I/O node stores the drive's parameters.
    const int before = sim.Stores(1);
    for (const char* text : {"Digital Inputs", "Digital Outputs", "Analog Outputs"}) {
        ZRNodeMgr* ioNode = NodeOf<ZRNodeMgr>(text);
        ASSERT_NE(ioNode, nullptr) << text;
        ioNode->DoCommand(ID_FENWA_SAVE_PARAMETERS);
    }
    EXPECT_EQ(sim.Stores(1), before + 3);
}

TEST_F(FenwaIoNodes, AnalogOutputSignalsAreChosenByNameAndReported) {
    sim.SetParameter(1, 0x200, "0008"); // "Commutation Angle", in tenths of degrees
    sim.SetParameter(1, 0x202, "00FA");
    AttachOnLine();
    ASSERT_NO_FATAL_FAILURE(MakeNodes());
    auto* node = NodeOf<FenwaAnalogOutNodeMgr>("Analog Outputs");
    ASSERT_NE(node, nullptr);
    ZRPropertiesView* window = Open(node);
    ASSERT_NE(window, nullptr);
    FenwaAnalogOut* out = drive->GetAnalogOut();
    FenwaChannelRow* row = RowOf<FenwaChannelRow>(window->m_pPropertiesGrid, out->GetSignal(1));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(Shown(row), "Commutation Angle");
    EXPECT_EQ(out->GetScale(1)->GetUnits(), "Degrees/Volt");

    std::string report;
    node->DoReport(report);
    const std::string kScale1 = out->GetScale(1)->GetAsString() + " Degrees/Volt";
    const std::string kScale2 = out->GetScale(2)->GetAsString() + " " + out->GetScale(2)->GetUnits();
    EXPECT_EQ(report, "   Analog Outputs:\r\n"
                      "      Analog Output 1\n"
                      "         Signal" +
                          std::string(28, ' ') +
                          "Commutation Angle\r\n"
                          "      Scale" +
                          std::string(29, ' ') + kScale1 +
                          "\r\n\r\n"
                          "      Analog Output 2\n"
                          "         Signal" +
                          std::string(28, ' ') +
                          "Velocity Command\r\n"
                          "      Scale" +
                          std::string(29, ' ') + kScale2 + "\r\n\r\n");

    // The chooser: OK with nothing ticked keeps the signal; a ticked signal is written.
    auto choose = [&](std::function<void(ZRChannelSetup&)> pick) {
        ModalScript script;
        script.Expect(ModalKind::Dialog, "Channel Setup",
                      platform::ui::PressDialogButton(IDOK, [&](platform::ui::Dialog& d) {
                          d.show();
                          ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
                          pick(static_cast<ZRChannelSetup&>(d));
                      }));
        row->OnClickedButton(2);
    };
    choose([](ZRChannelSetup&) {});
    EXPECT_EQ(sim.Parameter(1, 0x200), "0008");
    EXPECT_EQ(Shown(row), "Commutation Angle");
    choose([](ZRChannelSetup& setup) {
        platform::ui::TreeView& tree = *setup.GetTree();
        platform::ui::TreeViewItem* item = TreeItemAt(tree, {"Channel Options", "Velocity Feedback"});
        ASSERT_NE(item, nullptr);
        ClickTreeBox(tree, item);
    });
    EXPECT_EQ(sim.Parameter(1, 0x200), "0000");
    EXPECT_EQ(Shown(row), "Velocity Feedback");
}

} // namespace
