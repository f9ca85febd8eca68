// The Tarvik drive node of an off-line drive in a project of the running application: its panel,
// what stays off, and Delete.
#include "../shell/FrameFixture.h"
#include "NodeCommands.h"

#include "kitbase/model/DBStorage.h"
#include "kitbase/model/ZRClipboard.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/Directories.h"
#include "platform/ui/CommandIds.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "quorvance/shell/ZRMessageNoshow.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikEncoderProgramming.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDigOutNodeMgrTarvik.h"
#include "quorvance/tarvik/ZRDigOutTarvik.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "quorvance/tarvik/ZREncodersTarvik.h"

#include <QCoreApplication>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::core::IDYES;

// Off-line drives in a project of the running application.
class DriveNodeOffLine : public FrameFixture {
protected:
    // The drive's motor block reads the build's motor catalogue.
    void SetUp() override {
        const std::filesystem::path catalogue = std::filesystem::path(platform::core::InstallDir()) / "Motors.mdb";
        FrameFixture::SetUp();
        std::filesystem::copy_file(catalogue, Install() / "Motors.mdb",
                                   std::filesystem::copy_options::overwrite_existing);
        // No "has been added to the workspace" prompt.
        WriteSettings("[Tip Of Day]\nShowAtStartup=0\n[Message1]\nShowMessage=0\n");
    }
    ZRDriveNodeMgr* Insert(int32_t type) {
        auto drive = std::make_unique<ZRDrive>(type);
        drive->SetProductType(ZRDrive::kDrivePresent | ZRDrive::kFirmwareValid |
                              (type == tarvik::kIndexingDriveType ? ZRDrive::kIndexingDrive : ZRDrive::kStandardDrive));
        drive->Init();
        drive->GetName().SetValue("Axis");
        App().GetOffLineRoot()->AddChild(std::move(drive), true);
        ZRNodeMgr* root = Shell().Root();
        std::vector<ZRTreeItem*> items = root->GetTree()->Children(root->GetNode());
        return items.empty() ? nullptr : dynamic_cast<ZRDriveNodeMgr*>(root->GetTree()->NodeOf(items.back()));
    }
    static size_t Rows(ZRPropertiesGrid* grid) { return grid ? grid->GetRows().size() : 0; }
    static size_t Rows(ZRServicesGrid* grid) { return grid ? grid->GetRows().size() : 0; }
    void CloseModeWindow(ZRDriveNodeMgr& node) {
        ModalScript script;
        platform::ui::ChildFrame::FrameOf(node.GetModeView())->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// A project given on the command line is open while start-up still runs (its tip of the day is up):
// a panel of its drive opened then comes bare. Once start-up is over the same panel has its command
// and status panes.
TEST_F(DriveNodeOffLine, PanelOpenedDuringStartUpHasNoStatusOrServicesPane) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    ASSERT_NE(Insert(tarvik::kStandardDriveType), nullptr);
    {
        ModalScript script;
        script.ExpectFile(platform::core::ModalKind::SaveFile, WorkFile("panel"), IDOK);
        ASSERT_TRUE(App().SaveAsDatabase());
    }
    App().ExitInstance();
    m_pApp.reset();
    ZRGlobalDataMgr::DestroyInstance();

    std::ofstream(Install() / "Quorvance.tip") << "A tip\n";
    WriteSettings("[Tip Of Day]\nShowAtStartup=1\n[Message1]\nShowMessage=0\n");
    auto app = std::make_unique<FrameApp>();
    app->m_bRealRoot = true;
    m_pApp = std::move(app);
    ZRDriveNodeMgr* node = nullptr;
    size_t services = 99, statuses = 99;
    {
        ModalScript script;
        script.Expect(platform::core::ModalKind::Dialog, "Tip of the Day", [&](platform::core::ModalRequest& r) {
            EXPECT_FALSE(ZRGlobalDataMgr::IsStartUpComplete());
            if (auto* drive = dynamic_cast<ZRDrive*>(OnlyOffLineChild()))
                node = dynamic_cast<ZRDriveNodeMgr*>(NodeUnder(Shell().Root()->GetNode(), drive));
            if (node) {
                node->DoCommand(ID_VELOCITY_PANEL);
                if (ZRPropertiesView* view = node->GetModeView()) {
                    services = view->m_pServicesGrid ? 1 : 0;
                    statuses = view->m_pStatusGrid ? 1 : 0;
                    EXPECT_EQ(Rows(view->m_pPropertiesGrid), 2u);
                }
            }
            auto* dialog = static_cast<platform::ui::Dialog*>(r.dialog);
            dialog->ClickButton(IDOK);
            return dialog->Result();
        });
        ASSERT_TRUE(m_pApp->InitInstance({WorkFile("panel.qdb")}));
    }
    EXPECT_TRUE(ZRGlobalDataMgr::IsStartUpComplete());
    ASSERT_NE(node, nullptr);
    ASSERT_NE(node->GetModeView(), nullptr);
    EXPECT_EQ(services, 0u);
    EXPECT_EQ(statuses, 0u);

    ASSERT_NO_FATAL_FAILURE(CloseModeWindow(*node));
    node->DoCommand(ID_VELOCITY_PANEL);
    ASSERT_NE(node->GetModeView(), nullptr);
    EXPECT_EQ(Rows(node->GetModeView()->m_pServicesGrid), 4u);
    EXPECT_EQ(Rows(node->GetModeView()->m_pStatusGrid), 3u);
}

// The other windows of an off-line drive that decide on their panes, opened once start-up is over:
// the override window with its toggles and output states, the encoder programming with its button
// and status.
TEST_F(DriveNodeOffLine, OverrideAndProgrammingWindowsHaveTheirPanesAfterStartUp) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    ZRDriveNodeMgr* node = Insert(tarvik::kStandardDriveType);
    ASSERT_NE(node, nullptr);
    ZRDrive* drive = node->GetDrive();
    auto* outputs = dynamic_cast<ZRDigOutNodeMgrTarvik*>(NodeUnder(node->GetNode(), drive->GetDigOut()));
    ASSERT_NE(outputs, nullptr);
    outputs->DoCommand(ID_OVERRIDE_OUTPUTS);
    ZRPropertiesView* view = outputs->GetOverrideView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(Rows(view->m_pPropertiesGrid), 5u);
    EXPECT_EQ(Rows(view->m_pServicesGrid), 7u);
    EXPECT_EQ(Rows(view->m_pStatusGrid), 5u);

    ZRNodeMgr* encoders = NodeUnder(node->GetNode(), drive->GetEncoders());
    ASSERT_NE(encoders, nullptr);
    view = tarvik::OpenProgramEncoderWindow(*encoders, *drive->GetEncoders());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(Rows(view->m_pServicesGrid), 1u);
    EXPECT_EQ(Rows(view->m_pStatusGrid), 1u);
}

TEST_F(DriveNodeOffLine, PanelClosesWithoutWritingAndPasteAndDriveCommandsStayOff) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    ZRDriveNodeMgr* node = Insert(tarvik::kStandardDriveType);
    ASSERT_NE(node, nullptr);
    EXPECT_FALSE(node->IsCommandEnabled(ID_INDEXING_PANEL));
    for (unsigned id : {ID_CLEAR_FAULTS, ID_RESET_DRIVE, ID_FACTORY_RESET, ID_COPY_TO_OFFLINE})
        EXPECT_FALSE(Enabled(*node, id)) << id;
    for (unsigned id : {platform::ui::ids::ID_EDIT_CUT, platform::ui::ids::ID_EDIT_CLEAR})
        EXPECT_TRUE(Enabled(*node, id)) << id;
    // Even its own copy does not paste onto an off-line drive.
    ASSERT_TRUE(node->Copy());
    EXPECT_FALSE(Enabled(*node, platform::ui::ids::ID_EDIT_PASTE));
    ZRClipboard::Instance()->Clear();

    node->DoCommand(ID_VELOCITY_PANEL);
    ASSERT_NE(node->GetModeView(), nullptr);
    ZRIndexSelection* hostMode = node->GetDrive()->GetHostControlMode();
    EXPECT_EQ(hostMode->GetValue(), ZRDriveNodeMgr::kModeVelocityPanel);
    // No question, no disabling, no mode written: the window just goes.
    {
        ModalScript script;
        platform::ui::ChildFrame::FrameOf(node->GetModeView())->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(node->GetModeView(), nullptr);
    EXPECT_EQ(hostMode->GetValue(), ZRDriveNodeMgr::kModeVelocityPanel);

    // The indexing panel is an indexing drive's only.
    node->DoCommand(ID_INDEXING_PANEL);
    EXPECT_EQ(node->GetModeView(), nullptr);
}

TEST_F(DriveNodeOffLine, IndexingPanelShowsItsNoticeOnceWhenSilenced) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    ZRDriveNodeMgr* node = Insert(tarvik::kIndexingDriveType);
    ASSERT_NE(node, nullptr);
    EXPECT_TRUE(node->IsCommandEnabled(ID_INDEXING_PANEL));
    {
        ModalScript script;
        script.Expect(platform::core::ModalKind::Dialog, "Information",
                      [](platform::core::ModalRequest& r) {
                          auto* dialog = static_cast<ZRMessageNoshow*>(r.dialog);
                          EXPECT_EQ(dialog->m_Message.rfind("Notice: while the indexing control panel is open:\n", 0),
                                    0u);
                          dialog->SetCheck(ZRMessageNoshow::IDC_NOSHOW, 1);
                          dialog->ClickButton(IDOK);
                          return dialog->Result();
                      });
        node->DoCommand(ID_INDEXING_PANEL);
    }
    ASSERT_NE(node->GetModeView(), nullptr);
    EXPECT_EQ(node->GetModeFrame()->GetHelpTopic(), 1100u);
    EXPECT_EQ(Caption(node->GetModeView()), "Axis - Indexing Control Panel");
    {
        ModalScript script;
        script.ExpectMessage("The drive is currently in Indexing Control Panel mode.", IDYES);
        node->DoCommand(ID_VELOCITY_PANEL);
    }
    EXPECT_EQ(node->GetMode(), ZRDriveNodeMgr::kModeVelocityPanel);
    {
        ModalScript script;
        script.ExpectMessage("The drive is currently in Velocity Control Panel mode.", IDYES);
        node->DoCommand(ID_INDEXING_PANEL);
    }
    EXPECT_EQ(node->GetMode(), ZRDriveNodeMgr::kModeIndexingPanel);
    QCoreApplication::processEvents();
}

TEST_F(DriveNodeOffLine, DeleteAsksThenTheDriveLeavesTreeAndProject) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    ZRDriveNodeMgr* node = Insert(tarvik::kStandardDriveType);
    ASSERT_NE(node, nullptr);
    ZRNodeMgr* root = Shell().Root();
    const auto stored = [this] {
        ZRStorage::Ids ids;
        App().GetProjectStorage()->GetChildren(App().GetOffLineRoot()->GetClass(), App().GetOffLineRoot()->GetInstance(),
                                               ids);
        return ids.size();
    };
    ASSERT_EQ(stored(), 1u);
    const char* question = "Warning: This will permanently delete this drive and all its contents. Continue?";
    {
        ModalScript script;
        script.ExpectMessage(question, IDCANCEL);
        node->OnCommand(platform::ui::ids::ID_EDIT_CLEAR);
    }
    EXPECT_EQ(root->GetTree()->Children(root->GetNode()).size(), 1u);
    {
        ModalScript script;
        script.ExpectMessage(question, IDOK);
        node->OnCommand(platform::ui::ids::ID_EDIT_CLEAR);
    }
    // The node goes after the command.
    QCoreApplication::processEvents();
    EXPECT_TRUE(root->GetTree()->Children(root->GetNode()).empty());
    EXPECT_TRUE(App().GetOffLineRoot()->GetChildren().empty());
    EXPECT_EQ(stored(), 0u);
}

} // namespace
