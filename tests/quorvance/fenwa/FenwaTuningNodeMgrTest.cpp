// The Fenwa "Tuning" node: its menu and command rows, autotuning on a simulated drive (refused off
// line, asked first, ending with the drive's new gains or, when the drive falls silent, with the
// link's failure) and the copy into the alternate gains from menu and row alike.
#include "FenwaLine.h"

#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/ui/Command.h"
#include "platform/ui/Text.h"
#include "quorvance/fenwa/FenwaCommand.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/fenwa/FenwaDevice.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaTuning.h"
#include "quorvance/fenwa/FenwaTuningNodeMgr.h"
#include "quorvance/shell/ZRFamilyRegistry.h"
#include "support/ModalScript.h"
#include "support/model/TestDevice.h"
#include "support/ui/UiTestApp.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

namespace {

using platform::core::IDCANCEL;
using platform::core::IDNO;
using platform::core::IDOK;
using platform::core::IDYES;
using platform::core::ModalKind;
using platform::core::ModalRequest;
using Strings = std::vector<std::string>;

constexpr const char* kCaution =
    "Caution! Autotuning will run even with the Drive Disabled.\nThis will move the "
    "motor. Do you want to continue with Autotuning?";

class TestNode : public FenwaTuningNodeMgr {
public:
    using FenwaTuningNodeMgr::BuildCommandRows;
    using FenwaTuningNodeMgr::FenwaTuningNodeMgr;
};

class FenwaTuningNodeTest : public FenwaLine {
protected:
    void SetUp() override {
        FenwaLine::SetUp();
        TestApp();
        device.SetStorage(storage.get());
        device.SetOffLine(false);
        drive.Init();
        drive.GetName().SetAsString("Axis 3");
        tuning = drive.GetTuning();
    }
    void TearDown() override {
        view.reset();
        FenwaLine::TearDown();
    }
    TestNode* MakeNode() {
        view = std::make_unique<ZRWorkspaceView>();
        ZRTreeItem* item = view->InsertItem("Tuning");
        auto* node = new TestNode(tuning, item, view.get());
        view->SetItemData(item, node);
        node->Initialize();
        return node;
    }
    void AttachOnLine() {
        tuning->Attach(&device, 1);
        tuning->Refresh();
        Sent();
    }
    static bool Enabled(ZRNodeMgr& node, unsigned id) {
        platform::ui::CommandState state;
        EXPECT_TRUE(node.OnUpdateCommand(id, state));
        return state.enabled;
    }

    FenwaDevice device;
    FenwaDrive drive;
    FenwaTuning* tuning = nullptr;
    std::unique_ptr<ZRWorkspaceView> view;
};

TEST_F(FenwaTuningNodeTest, TheFamilyMakesTheNodeForTheBlock) {
    const ZRNodeMaker make = ZRFamilyRegistry::Instance().FindNode(fenwa::kTuningType);
    ASSERT_NE(make, nullptr);
    EXPECT_NE(dynamic_cast<FenwaTuningNodeMgr*>(make(tuning, nullptr, nullptr).get()), nullptr);
    EXPECT_EQ(make(&drive, nullptr, nullptr), nullptr);
}

TEST_F(FenwaTuningNodeTest, MenuAndCommandRows) {
    TestNode* node = MakeNode();
    std::unique_ptr<QMenu> holder;
    QMenu* menu = node->CreateContextMenu(holder);
    ASSERT_NE(menu, nullptr);
    Strings texts;
    for (QAction* action : menu->actions()) {
        texts.push_back(platform::ui::FromQString(action->text()));
        if (action->menu())
            for (QAction* sub : action->menu()->actions())
                texts.push_back("  " + platform::ui::FromQString(sub->text()));
    }
    EXPECT_EQ(texts,
              (Strings{"Properties...", "Commands", "  Start Autotuning", "  Save As Second Gain Group"}));

    std::list<std::unique_ptr<ZRGridRow>> rows;
    node->BuildCommandRows(rows);
    Strings captions;
    for (const auto& row : rows)
        if (auto* command = dynamic_cast<ZRCommandRow*>(row.get()))
            captions.push_back(command->GetCaption());
    EXPECT_EQ(captions, (Strings{"Start Autotuning", "Copy Main Gains To Alternate", "Save Parameters"}));
}

TEST_F(FenwaTuningNodeTest, OffLineAutotuningOnlySaysSo) {
    TestDevice offLine(nullptr, true);
    tuning->SetDevice(&offLine);
    TestNode* node = MakeNode();
    EXPECT_FALSE(Enabled(*node, ID_FENWA_START_AUTOTUNING));
    EXPECT_TRUE(Enabled(*node, ID_FENWA_COPY_MAIN_GAINS));
    ModalScript modals;
    modals.ExpectMessage("The drive is off-line.", IDOK);
    node->DoCommand(ID_FENWA_START_AUTOTUNING);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(FenwaTuningNodeTest, AutotuningAsksFirstAndEndsWithTheDrivesNewGains) {
    AttachOnLine();
    TestNode* node = MakeNode();
    EXPECT_TRUE(Enabled(*node, ID_FENWA_START_AUTOTUNING));
    {
        ModalScript modals;
        modals.Expect(ModalKind::MessageBox, kCaution, [](ModalRequest& r) {
            EXPECT_EQ(r.flags & platform::core::MB_TYPEMASK, platform::core::MB_YESNO);
            EXPECT_EQ(r.flags & platform::core::MB_DEFMASK, platform::core::MB_DEFBUTTON2);
            return IDNO;
        });
        node->DoCommand(ID_FENWA_START_AUTOTUNING);
    }
    EXPECT_TRUE(Sent().empty());

    {
        ModalScript modals;
        modals.ExpectMessage(kCaution, IDYES);
        // The menu command runs the same sequence as the row.
        EXPECT_TRUE(node->OnCommand(ID_FENWA_START_AUTOTUNING));
    }
    EXPECT_EQ(Sent(), (Strings{"TAT01", "TAT", "TAT", "TAT", "TAT"}));
    EXPECT_EQ(sim.Autotunes(1), 1);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(tuning->GetP()->Refresh(false));
    EXPECT_EQ(tuning->GetP()->GetInternalValue(), uint32_t(wiresim::FenwaDriveSim::kTunedP));
}

TEST_F(FenwaTuningNodeTest, ADriveThatFallsSilentWhileTuningEndsInTheLinksFailure) {
    AttachOnLine();
    TestNode* node = MakeNode();
    // The drive takes the start, then answers no poll.
    sim.SetHandler([](const wiresim::CommandRequest& r) -> std::optional<wiresim::CommandAnswer> {
        if (r.command == "TAT" || r.command == "LIV")
            return wiresim::CommandAnswer::Silent();
        return std::nullopt;
    });
    {
        ModalScript modals;
        modals.ExpectMessage(kCaution, IDYES);
        modals.ExpectMessage("Communications have been lost with the drive, Retry?", IDCANCEL);
        modals.ExpectMessage("Communications have been lost with node 1", IDOK);
        node->DoCommand(ID_FENWA_START_AUTOTUNING);
    }
    EXPECT_EQ(sim.Autotunes(1), 0);
    EXPECT_TRUE(storage->IsBroken());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(FenwaTuningNodeTest, MenuCommandAndRowCopyTheSameGains) {
    AttachOnLine();
    TestNode* node = MakeNode();
    const Strings copy = {"CHP2630000003C", "CHP2640000001A", "CHP267000003E8", "CHP26500000014",
                          "CHP2660000012C"};
    EXPECT_TRUE(node->OnCommand(ID_FENWA_COPY_MAIN_GAINS));
    EXPECT_EQ(Sent(), copy);
    node->DoCommand(ID_FENWA_COPY_MAIN_GAINS);
    EXPECT_EQ(Sent(), copy);
}

} // namespace
