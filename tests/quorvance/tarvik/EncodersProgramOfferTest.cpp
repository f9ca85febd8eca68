// Smart-encoder programming as the encoders node offers it: only in a program started with the "Blob"
// switch, and only while the drive does not identify the motor itself.
#include "EncodersScan.h"
#include "NodeCommands.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "quorvance/shell/AppFixture.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"

#include <memory>
#include <string>
#include <vector>

namespace {

using wiresim::Started;
using wiresim::TarvikDriveSim;

std::vector<std::string> Buttons(ZRNodeMgr& node) {
    std::vector<std::string> captions;
    for (auto& row : node.GetPropsView()->m_pServicesGrid->GetRows())
        if (auto* button = dynamic_cast<ZRCommandRow*>(row.get()))
            captions.push_back(button->GetCaption());
    return captions;
}

// The program started with or without the "Blob" switch, and a drive found on a simulated line.
class EncodersNodeInTheProgram : public AppFixture {
protected:
    void StartWith(const std::vector<std::string>& args) {
        ModalScript script;
        ExpectStartDialog(script, platform::core::IDCANCEL);
        ASSERT_TRUE(Start(args));
    }
    void TearDown() override {
        view->OnDestroy();
        view.reset();
        root.reset();
        AppFixture::TearDown();
    }

    Started<TarvikDriveSim> line{std::set<uint8_t>{1}};
    ZRLinkSettings link;
    std::unique_ptr<ZROnLine> root = std::make_unique<ZROnLine>();
    std::unique_ptr<ZRWorkspaceView> view = std::make_unique<ZRWorkspaceView>();
    ZRDriveNodeMgr* driveNode = nullptr;
    ZREncodersNodeMgrTarvik* node = nullptr;
};

TEST_F(EncodersNodeInTheProgram, ProgrammingIsOfferedWithTheBlobSwitchWhileAutoMotorIdenIsEnabled) {
    for (bool blob : {false, true}) {
        SCOPED_TRACE(blob);
        ASSERT_NO_FATAL_FAILURE(StartWith(blob ? std::vector<std::string>{"/Blob"} : std::vector<std::string>{}));
        root->SetLinkSettingsSource([this] { return link; });
        ZRScanSettings& scan = root->GetScanSettings();
        scan.scanFenwa = scan.scanZelna = scan.scanMerrix = 0;
        {
            // The on-line root's notice on the first drive it finds.
            ModalScript script;
            script.Expect(platform::core::ModalKind::Dialog, "Information", [](platform::core::ModalRequest& r) {
                auto* dialog = static_cast<platform::ui::Dialog*>(r.dialog);
                dialog->ClickButton(platform::core::IDOK);
                return dialog->Result();
            });
            ASSERT_NO_FATAL_FAILURE(ScanEncoders(*root, link, *view, line, driveNode, node));
        }

        EXPECT_EQ(Enabled(*node, ID_PROGRAM_ENCODER), blob);
        node->ShowProperties();
        ASSERT_NE(node->GetPropsView(), nullptr);
        const std::vector<std::string> rows = Buttons(*node);
        ASSERT_EQ(rows.size(), blob ? 6u : 5u);
        EXPECT_EQ(rows.back(), blob ? "Program Encoder..." : "Auxiliary Marker Diagnostics...");

        // With the drive identifying the motor itself there is nothing to program.
        ZRMotorTarvik* motor = driveNode->GetDrive()->GetMotor();
        ASSERT_TRUE(motor->GetAutoMotorIden()->SetAsString("Disabled"));
        EXPECT_FALSE(Enabled(*node, ID_PROGRAM_ENCODER));
        ASSERT_TRUE(motor->GetAutoMotorIden()->SetAsString("Enabled"));

        view->OnDestroy();
        view = std::make_unique<ZRWorkspaceView>();
        root = std::make_unique<ZROnLine>();
        // The next start is a fresh run of the program.
        m_pApp->ExitInstance();
        m_pApp.reset();
        ZRGlobalDataMgr::DestroyInstance();
    }
}

} // namespace
