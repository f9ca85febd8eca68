// An older-family parameter file imported from the off-line root's menu: a good file becomes a drive
// of the project that survives save and reopen, with the conversion results in their window; a
// damaged or refused file shows why and leaves the project as it was.
#include "FrameFixture.h"
#include "quorvance/DriveValues.h"
#include "support/model/ParDriveFile.h"

#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/ZRReportView.h"
#include "quorvance/tarvik/ZRDrive.h"

#include "platform/ui/ChildFrame.h"

#include <QApplication>
#include <QContextMenuEvent>

using platform::core::IDOK;
using platform::core::ModalKind;

namespace {

class TarvikParImportRoad : public FrameFixture {
protected:
    // Opens the root's context menu with the menu key, chooses Import and picks the file in the open
    // dialog.
    // When it adds a drive, the note on it names a drive whose name starts with `added`.
    void ImportFromMenu(ModalScript& script, const std::string& path, const std::string& added = {}) {
        script.ExpectMenu(ID_IMPORT);
        script.ExpectFile(ModalKind::OpenFile, path, IDOK);
        if (!added.empty())
            script.Expect(ModalKind::Dialog, "Information",
                          platform::ui::PressDialogButton(IDOK, [added](platform::ui::Dialog& d) {
                              EXPECT_NE(d.GetItemText(ZRMessageNoshow::IDC_MESSAGE).find("\"" + added),
                                        std::string::npos);
                          }));
        ZRWorkspaceView* tree = App().GetWorkspaceView();
        tree->SelectItem(Shell().Root()->GetNode());
        QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(), tree->mapToGlobal(QPoint()));
        QApplication::sendEvent(tree, &key);
    }
    // The text of the results window of the file, or "(none)".
    std::string Results(const std::string& fileName) {
        const QString title = QString::fromStdString(fileName + " - Conversion Results");
        for (platform::ui::ChildFrame* frame : Frame()->ChildFrames())
            if (frame->windowTitle() == title)
                if (auto* view = frame->findChild<ZRReportView*>())
                    return view->GetText();
        return "(none)";
    }
    static bool EndsWith(const std::string& text, const std::string& tail) {
        return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
    }
    // A saved project, so that any change to it would ask to be saved on close.
    void SavedProject() {
        ModalScript script;
        script.ExpectFile(ModalKind::SaveFile, WorkFile("converted"), IDOK);
        ASSERT_TRUE(App().SaveAsDatabase());
    }
};

TEST_F(TarvikParImportRoad, AGoodFileBecomesADriveThatIsSavedWithTheProject) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    const std::string path = DriveParFile().Write().Save(WorkFile("axis.par"));
    {
        ModalScript script;
        ImportFromMenu(script, path, "Axis 7");
    }
    auto* drive = dynamic_cast<ZRDrive*>(OnlyOffLineChild());
    ASSERT_NE(drive, nullptr);
    EXPECT_EQ(drive->GetClass(), -177);
    EXPECT_EQ(drive->GetName().GetValue(), "Axis 7");
    EXPECT_EQ(drive->GetProductType(), 0x0Eu);
    EXPECT_EQ(drive->GetDriveAddress()->GetInternalValue(), 253u);
    EXPECT_EQ(drive->GetDisplayedUnits()->GetAsString(), "User");
    EXPECT_NE(NodeUnder(Shell().Root()->GetNode(), drive), nullptr);
    const std::string results = Results("axis.par");
    EXPECT_NE(results.find("Warning: Drive address is out of range. Setting to max allowed."), std::string::npos)
        << results;
    EXPECT_TRUE(EndsWith(results, "Warning: Using Tarvik default communication settings.\n\n"
                                  "Conversion completed successfully.\n"))
        << results;

    // A second import of the same file gets a name of its own.
    {
        ModalScript script;
        ImportFromMenu(script, path, "Axis 7");
    }
    const auto& children = App().GetOffLineRoot()->GetChildren();
    ASSERT_EQ(children.size(), 2u);
    EXPECT_NE(children[1]->GetName().GetValue(), "Axis 7");
    const std::string second = children[1]->GetName().GetValue();

    // The converted values are the project's: they come back after save, close and reopen.
    const DriveValues before = ValuesOf(*drive);
    const std::string project = WorkFile("converted.qdb");
    {
        ModalScript script;
        script.ExpectFile(ModalKind::SaveFile, WorkFile("converted"), IDOK);
        ASSERT_TRUE(App().SaveAsDatabase());
    }
    ASSERT_TRUE(App().CloseDatabase());
    {
        ModalScript script;
        script.ExpectFile(ModalKind::OpenFile, project, IDOK);
        ExpectDriveAdded(script, "Axis 7");
        ExpectDriveAdded(script, second);
        App().OpenDatabase();
    }
    ASSERT_EQ(App().GetOffLineRoot()->GetChildren().size(), 2u);
    auto* reopened = dynamic_cast<ZRDrive*>(App().GetOffLineRoot()->GetChildren()[0]);
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->GetProductType(), 0x0Eu);
    EXPECT_TRUE(SameValues(before, ValuesOf(*reopened)));
}

TEST_F(TarvikParImportRoad, DamagedOrRefusedFilesLeaveTheProjectAsItWas) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    ASSERT_NO_FATAL_FAILURE(SavedProject());
    ParFile sercos = DriveParFile();
    sercos.model = 4; // a Calto SERCOS drive
    ParFileWriter cut = DriveParFile().Write();
    cut.Bytes().resize(cut.Bytes().size() / 2);
    const struct {
        std::string name;
        std::string results;
    } cases[] = {
        {sercos.Write().Save(WorkFile("sercos.par")), "Error: Calto Sercos is not supported.\nConversion failed.\n"},
        {cut.Save(WorkFile("cut.PAR")), "Conversion failed. Wrong file format.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            ModalScript script;
            ImportFromMenu(script, c.name);
        }
        EXPECT_TRUE(App().GetOffLineRoot()->GetChildren().empty());
        EXPECT_EQ(Results(platform::core::FileSystem::FileName(c.name)), c.results);
    }
    // Nothing to save: closing asks nothing.
    EXPECT_TRUE(App().CloseDatabase());
}

} // namespace
