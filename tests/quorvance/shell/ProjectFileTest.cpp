#include "AppFixture.h"

#include "kitbase/model/DBStorage.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/ui/CommandIds.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/ZRRecentFileList.h"
#include "support/ScopedEnv.h"

#include <filesystem>
#include <fstream>

using namespace platform::ui::ids;

namespace fs = std::filesystem;
using platform::core::IDCANCEL;
using platform::core::IDNO;
using platform::core::IDOK;
using platform::core::IDYES;
using platform::core::ModalKind;

namespace {

void MakeProject(const std::string& path, bool withRoot = true) {
    DBStorage storage;
    storage.OpenDB(path);
    if (withRoot) {
        int32_t instance = 1;
        storage.Create(-181, instance);
        storage.WriteString(-181, 1, -1000, fs::path(path).filename().string());
        storage.WriteUlong(-181, 1, 1, 0, 4); // the root's class version
    }
    storage.SaveDB();
}

std::string StoredString(const std::string& path, int32_t cls, int32_t instance, int32_t attribute) {
    DBStorage storage;
    storage.OpenDB(path);
    std::string value;
    try {
        storage.ReadString(cls, instance, attribute, value);
    } catch (const ZRError&) {
    }
    return value;
}

} // namespace

class ProjectFile : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        StartEmpty();
    }
    // A changed value that only the working copy holds.
    void Change(const std::string& text) {
        ASSERT_TRUE(App().GetProjectStorage()->WriteString(-181, 1, 7, text));
        ASSERT_TRUE(App().GetProjectStorage()->IsModified());
    }
    std::string RootLabel() { return App().GetWorkspaceView()->ItemText(App().GetOffLineItem()); }
    bool Enabled(unsigned id) {
        platform::ui::CommandState state;
        App().OnUpdateCommand(id, state);
        return state.enabled;
    }
};

TEST_F(ProjectFile, NewProjectIsUnsavedAndClosingAsksAboutIt) {
    EXPECT_FALSE(Enabled(ID_PROJECT_CLOSE));
    EXPECT_FALSE(Enabled(ID_PROJECT_SAVE));
    App().OnCommand(ID_FILE_NEW);
    ASSERT_TRUE(App().IsDatabaseOpen());
    EXPECT_TRUE(Enabled(ID_PROJECT_CLOSE));
    EXPECT_TRUE(Enabled(ID_PROJECT_SAVE));
    EXPECT_EQ(App().GetOffLineRoot()->GetName().GetAsString(), "Unsaved");
    EXPECT_EQ(RootLabel(), "Off-line: Unsaved");
    EXPECT_EQ(App().GetProjectPath(), "");
    std::string workingCopy = App().GetWorkingCopyName();
    EXPECT_TRUE(fs::exists(workingCopy));

    {
        ModalScript script;
        script.ExpectMessage("Save changes to Unsaved?", IDCANCEL);
        EXPECT_FALSE(App().CloseDatabase());
        EXPECT_TRUE(App().IsDatabaseOpen());
    }
    ModalScript script;
    script.ExpectMessage("Save changes to Unsaved?", IDNO);
    EXPECT_TRUE(App().CloseDatabase());
    EXPECT_FALSE(App().IsDatabaseOpen());
    EXPECT_EQ(App().GetOffLineItem(), nullptr);
    EXPECT_EQ(App().GetWorkspaceView()->Children(nullptr).size(), 1u);
    EXPECT_FALSE(fs::exists(workingCopy));
}

TEST_F(ProjectFile, AYesWhoseSaveDoesNotCompleteKeepsTheProjectOpen) {
    App().NewDatabase();
    Change("only here");
    {
        // The Save As dialog is cancelled.
        ModalScript script;
        script.ExpectMessage("Save changes to Unsaved?", IDYES);
        script.ExpectFile(ModalKind::SaveFile, "", IDCANCEL);
        EXPECT_FALSE(App().CloseDatabase());
    }
    ASSERT_TRUE(App().IsDatabaseOpen());
    EXPECT_TRUE(fs::exists(App().GetWorkingCopyName()));

    // Saved once, changed again, and the file cannot be written.
    {
        ModalScript script;
        script.ExpectFile(ModalKind::SaveFile, WorkFile("kept.qdb"));
        ASSERT_TRUE(App().SaveAsDatabase());
    }
    Change("second change");
    fs::permissions(WorkFile("kept.qdb"), fs::perms::owner_read | fs::perms::group_read);
    {
        ModalScript script;
        script.ExpectMessage("Save changes to kept.qdb?", IDYES);
        script.ExpectMessage("Unable to save file. May be read-only.", IDOK);
        EXPECT_FALSE(App().CloseDatabase());
    }
    ASSERT_TRUE(App().IsDatabaseOpen());
    EXPECT_TRUE(App().GetProjectStorage()->IsModified());

    fs::permissions(WorkFile("kept.qdb"), fs::perms::owner_read | fs::perms::owner_write);
    {
        ModalScript script;
        script.ExpectMessage("Save changes to kept.qdb?", IDYES);
        EXPECT_TRUE(App().CloseDatabase());
    }
    EXPECT_FALSE(App().IsDatabaseOpen());
    EXPECT_EQ(StoredString(WorkFile("kept.qdb"), -181, 1, 7), "second change");
}

TEST_F(ProjectFile, SaveAsNamesTheProjectAndRemembersItAsTheLastFile) {
    App().NewDatabase();
    {
        // Saving a project that was never saved asks for a name; ".qdb" is added.
        ModalScript script;
        script.ExpectFile(ModalKind::SaveFile, WorkFile("first"));
        EXPECT_TRUE(App().OnFileSave());
    }
    EXPECT_EQ(App().GetProjectPath(), WorkFile("first.qdb"));
    EXPECT_EQ(App().GetOffLineRoot()->GetName().GetAsString(), "first.qdb");
    EXPECT_EQ(App().RootMgr()->m_Saves, 1);
    EXPECT_FALSE(App().GetProjectStorage()->IsModified());
    EXPECT_EQ(StoredString(WorkFile("first.qdb"), -181, 1, -1000), "first.qdb");
    EXPECT_NE(ReadSettings().find("LastOpenFile=\"" + WorkFile("first.qdb") + "\""), std::string::npos);
    // A project saved under a new name is a recent file, as an opened one is.
    ASSERT_EQ(App().GetRecentFileList()->GetCount(), 1);
    EXPECT_EQ((*App().GetRecentFileList())[0], WorkFile("first.qdb"));

    // Onto its own name it is a plain save.
    Change("again");
    {
        ModalScript script;
        script.ExpectFile(ModalKind::SaveFile, WorkFile("first.qdb"));
        EXPECT_TRUE(App().SaveAsDatabase());
    }
    EXPECT_EQ(App().RootMgr()->m_Saves, 2);
    EXPECT_EQ(StoredString(WorkFile("first.qdb"), -181, 1, 7), "again");

    // A file that cannot be replaced is refused before anything changes.
    std::ofstream(WorkFile("locked.qdb")) << "x";
    fs::permissions(WorkFile("locked.qdb"), fs::perms::owner_read);
    {
        ModalScript script;
        script.ExpectFile(ModalKind::SaveFile, WorkFile("locked.qdb"));
        script.ExpectMessage("Can not overwrite existing file.", IDOK);
        EXPECT_FALSE(App().SaveAsDatabase());
    }
    EXPECT_EQ(App().GetProjectPath(), WorkFile("first.qdb"));
    EXPECT_EQ(App().GetOffLineRoot()->GetName().GetAsString(), "first.qdb");
}

TEST_F(ProjectFile, OpenAddsARecentFileAndReopeningTheOpenFileAsksFirst) {
    MakeProject(WorkFile("plant.qdb"));
    {
        ModalScript script;
        script.ExpectFile(ModalKind::OpenFile, WorkFile("plant.qdb"));
        App().OnCommand(ID_FILE_OPEN);
    }
    ASSERT_TRUE(App().IsDatabaseOpen());
    // The stored root takes the file's name.
    EXPECT_EQ(App().GetOffLineRoot()->GetName().GetAsString(), "plant.qdb");
    ASSERT_EQ(App().GetRecentFileList()->GetCount(), 1);
    EXPECT_EQ((*App().GetRecentFileList())[0], WorkFile("plant.qdb"));
    EXPECT_NE(ReadSettings().find("File1=\"" + WorkFile("plant.qdb") + "\""), std::string::npos);

    Change("unsaved");
    {
        ModalScript script;
        script.ExpectFile(ModalKind::OpenFile, WorkFile("plant.qdb"));
        script.ExpectMessage("Save changes to plant.qdb?", IDNO);
        App().OpenDatabase();
    }
    ASSERT_TRUE(App().IsDatabaseOpen());
    EXPECT_FALSE(App().GetProjectStorage()->IsModified());
    std::string value;
    try {
        App().GetProjectStorage()->ReadString(-181, 1, 7, value);
    } catch (const ZRError&) {
    }
    EXPECT_EQ(value, "");
}

TEST_F(ProjectFile, AFileThatIsNoProjectIsRefusedAndNothingChanges) {
    std::ofstream(WorkFile("notes.qdb"))
        << "These are notes, not a project database. " << std::string(200, 'x');
    ModalScript script;
    script.ExpectFile(ModalKind::OpenFile, WorkFile("notes.qdb"));
    script.ExpectMessage("Unable to open " + WorkFile("notes.qdb") +
                             ".  It may not be in a recognizable format, or the file may be corrupt.",
                         IDOK);
    App().OpenDatabase();
    EXPECT_FALSE(App().IsDatabaseOpen());
    EXPECT_EQ(App().GetRecentFileList()->GetCount(), 0);
}

TEST_F(ProjectFile, RecentFileEntriesOpenOrAreDroppedWhenMissing) {
    MakeProject(WorkFile("a.qdb"));
    MakeProject(WorkFile("b.qdb"));
    App().AddRecentProject(WorkFile("gone.qdb"));
    App().AddRecentProject(WorkFile("a.qdb"));
    App().AddRecentProject(WorkFile("b.qdb"));
    platform::ui::CommandState state;
    App().OnUpdateCommand(ID_FILE_MRU_FIRST + 1, state);
    EXPECT_EQ(state.text.value_or(""), "&2 a.qdb");
    App().OnUpdateCommand(ID_FILE_MRU_FIRST + 3, state);
    EXPECT_FALSE(state.visible);

    EXPECT_TRUE(App().OnCommand(ID_FILE_MRU_FIRST + 1));
    ASSERT_TRUE(App().IsDatabaseOpen());
    EXPECT_EQ(App().GetProjectPath(), WorkFile("a.qdb"));
    EXPECT_EQ((*App().GetRecentFileList())[0], WorkFile("a.qdb"));

    ModalScript script;
    script.ExpectMessage("The database file " + WorkFile("gone.qdb") + " does not exist.", IDOK);
    EXPECT_TRUE(App().OnCommand(ID_FILE_MRU_FIRST + 2));
    EXPECT_EQ(App().GetRecentFileList()->GetCount(), 2);
    // The missing file was found out before anything was closed.
    EXPECT_TRUE(App().IsDatabaseOpen());
    EXPECT_EQ(App().GetProjectPath(), WorkFile("a.qdb"));
}

TEST_F(ProjectFile, OpeningACorruptFileSaysSoOnceAndKeepsTheOpenProject) {
    MakeProject(WorkFile("good.qdb"));
    // A project whose pages after the first are overwritten, and a file that is no database.
    MakeProject(WorkFile("damaged.qdb"));
    {
        std::fstream f(WorkFile("damaged.qdb"), std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(4096);
        f << std::string(2 * 4096, '\xA5');
    }
    std::ofstream(WorkFile("notes.qdb")) << "Not a project. " << std::string(5000, 'x');
    ASSERT_TRUE(App().OpenProjectFile(WorkFile("good.qdb")));
    Change("unsaved work");

    for (const std::string name : {"damaged.qdb", "notes.qdb"}) {
        SCOPED_TRACE(name);
        const std::string corrupt = "Unable to open " + WorkFile(name) +
                                    ".  It may not be in a recognizable format, or the file may be corrupt.";
        {
            // No save prompt, no second message: only the one that says what is wrong.
            ModalScript script;
            script.ExpectFile(ModalKind::OpenFile, WorkFile(name));
            script.ExpectMessage(corrupt, IDOK);
            App().OnCommand(ID_FILE_OPEN);
        }
        {
            ModalScript script;
            script.ExpectMessage(corrupt, IDOK);
            EXPECT_FALSE(App().OpenProjectFile(WorkFile(name)));
        }
        ASSERT_TRUE(App().IsDatabaseOpen());
        EXPECT_EQ(App().GetProjectPath(), WorkFile("good.qdb"));
        EXPECT_TRUE(App().GetProjectStorage()->IsModified());
        std::string value;
        EXPECT_TRUE(App().GetProjectStorage()->ReadString(-181, 1, 7, value));
        EXPECT_EQ(value, "unsaved work");
    }
    ASSERT_EQ(App().GetRecentFileList()->GetCount(), 1);
    EXPECT_EQ((*App().GetRecentFileList())[0], WorkFile("good.qdb"));
}

TEST_F(ProjectFile, SaveAsUnderAnotherCaseMakesANewFile) {
    App().NewDatabase();
    {
        ModalScript script;
        script.ExpectFile(ModalKind::SaveFile, WorkFile("plant.qdb"));
        ASSERT_TRUE(App().SaveAsDatabase());
    }
    Change("for the new file");
    {
        ModalScript script;
        script.ExpectFile(ModalKind::SaveFile, WorkFile("Plant.qdb"));
        ASSERT_TRUE(App().SaveAsDatabase());
    }
    EXPECT_EQ(App().GetProjectPath(), WorkFile("Plant.qdb"));
    EXPECT_EQ(App().GetOffLineRoot()->GetName().GetAsString(), "Plant.qdb");
    EXPECT_EQ(StoredString(WorkFile("Plant.qdb"), -181, 1, 7), "for the new file");
    EXPECT_EQ(StoredString(WorkFile("plant.qdb"), -181, 1, 7), "");
    // Two files, two recent entries.
    ASSERT_EQ(App().GetRecentFileList()->GetCount(), 2);
    EXPECT_EQ((*App().GetRecentFileList())[0], WorkFile("Plant.qdb"));
    EXPECT_EQ((*App().GetRecentFileList())[1], WorkFile("plant.qdb"));
}

TEST_F(ProjectFile, FileDialogsOpenBesideTheProjectOrInTheUsersFolders) {
    const fs::path home = m_Root.Path() / "home";
    fs::create_directories(home);
    ScopedEnv homeEnv("HOME", home.string());
    ScopedEnv configEnv("XDG_CONFIG_HOME", (m_Root.Path() / "xdg").string());
    std::vector<std::string> folders;
    auto answer = [&folders](platform::core::ModalRequest& r) {
        folders.push_back(r.directory);
        return IDCANCEL;
    };

    // Nothing open: the home folder, or the documents folder once there is one; never the current one.
    ModalScript script;
    script.Expect(ModalKind::OpenFile, "", answer);
    App().OpenDatabase();
    fs::create_directories(home / "Documents");
    script.Expect(ModalKind::OpenFile, "", answer);
    App().OpenDatabase();
    // A project saved in a folder: Open and Save As start there.
    fs::create_directories(Work() / "plants");
    MakeProject(WorkFile("plants/a.qdb"));
    ASSERT_TRUE(App().OpenProjectFile(WorkFile("plants/a.qdb")));
    script.Expect(ModalKind::OpenFile, "", answer);
    App().OpenDatabase();
    script.Expect(ModalKind::SaveFile, "", answer);
    App().SaveAsDatabase();
    EXPECT_EQ(folders, (std::vector<std::string>{home.string(), (home / "Documents").string(),
                                                 WorkFile("plants"), WorkFile("plants")}));
}

TEST_F(ProjectFile, TheRootTakesTheNameOfItsFile) {
    MakeProject(WorkFile("bare.qdb"), false);
    ASSERT_TRUE(App().OpenProjectFile(WorkFile("bare.qdb")));
    EXPECT_EQ(App().GetOffLineRoot()->GetName().GetAsString(), "bare.qdb");
    EXPECT_TRUE(App().GetProjectStorage()->ObjectExists(-181, 1));

    // A renamed file: the root follows the file's name.
    fs::copy_file(WorkFile("bare.qdb"), WorkFile("renamed.qdb"));
    {
        ModalScript script;
        script.ExpectMessage("Save changes to bare.qdb?", IDNO);
        ASSERT_TRUE(App().OpenProjectFile(WorkFile("renamed.qdb")));
    }
    EXPECT_EQ(App().GetOffLineRoot()->GetName().GetAsString(), "renamed.qdb");
}

TEST_F(ProjectFile, WindowsThatRefuseToCloseKeepTheProject) {
    App().NewDatabase();
    App().RootMgr()->m_bCanClose = false;
    EXPECT_FALSE(App().CloseDatabase());
    EXPECT_TRUE(App().IsDatabaseOpen());
    App().RootMgr()->m_bCanClose = true;
}

TEST_F(ProjectFile, SaveWithNothingOpenAsksBeforeCopyingDrives) {
    ModalScript script;
    script.ExpectMessage("All online drives will be copied to offline and saved in a new .qdb file.",
                         IDCANCEL);
    EXPECT_FALSE(App().OnFileSave());
    EXPECT_FALSE(App().IsDatabaseOpen());
    EXPECT_EQ(ZRGlobalDataMgr::Instance()->m_HelpTopicOverride, 0u);
}

using RealRoot = AppFixture;

TEST_F(RealRoot, FollowsTheProjectRoad) {
    {
        ModalScript script;
        ExpectStartDialog(script, IDOK, 2);
        m_pApp.reset();
        auto app = std::make_unique<ZRQuorvanceApp>();
        ASSERT_TRUE(app->InitInstance({}));
        ASSERT_TRUE(app->IsDatabaseOpen());
        auto* view = app->GetWorkspaceView();
        EXPECT_EQ(view->ItemText(app->GetOffLineItem()), "Off-line: Unsaved");
        script.ExpectFile(ModalKind::SaveFile, WorkFile("road"));
        EXPECT_TRUE(app->SaveAsDatabase());
        EXPECT_EQ(view->ItemText(app->GetOffLineItem()), "Off-line: road.qdb");
        EXPECT_TRUE(app->CloseDatabase());
        EXPECT_EQ(view->Children(nullptr).size(), 1u);
        // Exit with a project open drops it without a question.
        app->NewDatabase();
        ASSERT_TRUE(app->IsDatabaseOpen());
        app->ExitInstance();
    }
    EXPECT_TRUE(fs::exists(WorkFile("road.qdb")));
}
