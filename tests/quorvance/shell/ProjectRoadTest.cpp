// The project road as a user walks it, with names outside ASCII: the program's names are code page
// 1252, the disk's are UTF-8, and every step must reach the same file.
#include "FrameFixture.h"

#include "kitbase/model/DBStorage.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "support/model/FakeStorage.h"
#include "support/model/TestDevice.h"
#include "support/model/TestObjects.h"

#include <algorithm>
#include <filesystem>

using platform::core::IDOK;
using platform::core::ModalKind;

namespace {

constexpr int32_t kDrive = 16;

class PlainNode : public ZRNodeMgr {
public:
    using ZRNodeMgr::ZRNodeMgr;
    void Initialize() override {}
};

class ProjectRoad : public FrameFixture {
protected:
    // "<work>/Müller" in the program's form and on disk.
    std::string Folder() const { return WorkFile("M\xFCller"); }
    std::filesystem::path FolderOnDisk() const { return Work() / "M\xC3\xBCller"; }
    std::vector<std::string> NamesOnDisk() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(FolderOnDisk()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(ProjectRoad, NonAsciiNamesWalkExportImportSaveAsSaveAndOpen) {
    std::filesystem::create_directories(FolderOnDisk());
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    // After the start, which installs the program's own factory.
    TestFactory factory;
    factory.Register(kDrive, [] { return std::make_unique<TestObject>(kDrive); });
    ScopedFactory installed(&factory);
    ZROffLineDBNodeMgr* root = Shell().Root();
    ASSERT_NE(root, nullptr);

    // Export a drive to "Achse €.uxf"; the dialog adds the extension.
    {
        FakeStorage storage;
        TestDevice device(&storage);
        TestObject drive(kDrive);
        drive.Init();
        drive.GetName().SetValue("Pr\xFC"
                                 "fachse");
        drive.Create(&device);
        PlainNode node(nullptr, &drive, nullptr);
        ModalScript script;
        script.ExpectFile(ModalKind::SaveFile, Folder() + "/Achse \x80", IDOK);
        node.Export(nullptr);
    }
    ASSERT_GT(std::filesystem::file_size(FolderOnDisk() / "Achse \xE2\x82\xAC.uxf"), 0u);

    // Import it into the new project.
    {
        ModalScript script;
        script.ExpectFile(ModalKind::OpenFile, Folder() + "/Achse \x80.uxf", IDOK);
        root->OnImport();
    }
    ASSERT_EQ(App().GetOffLineRoot()->GetChildren().size(), 1u);

    // Save As "Prüfstand €", then Save over it: the file holds the project, and no temporary is left.
    const std::string project = Folder() + "/Pr\xFC"
                                           "fstand \x80.qdb";
    {
        ModalScript script;
        script.ExpectFile(ModalKind::SaveFile,
                          Folder() + "/Pr\xFC"
                                     "fstand \x80",
                          IDOK);
        ASSERT_TRUE(App().SaveAsDatabase());
    }
    EXPECT_EQ(App().GetProjectPath(), project);
    ASSERT_TRUE(App().GetProjectStorage()->WriteString(-181, 1, 7, "changed"));
    ASSERT_TRUE(App().OnFileSave());
    EXPECT_GT(std::filesystem::file_size(FolderOnDisk() / "Pr\xC3\xBC"
                                                          "fstand \xE2\x82\xAC.qdb"),
              4096u);
    EXPECT_EQ(NamesOnDisk(), (std::vector<std::string>{"Achse \xE2\x82\xAC.uxf", "Pr\xC3\xBC"
                                                                                 "fstand \xE2\x82\xAC.qdb"}));
    ASSERT_TRUE(App().CloseDatabase());

    // Open finds it and reads back what was saved.
    {
        ModalScript script;
        script.ExpectFile(ModalKind::OpenFile, project, IDOK);
        App().OpenDatabase();
    }
    ASSERT_TRUE(App().IsDatabaseOpen());
    EXPECT_EQ(App().GetProjectPath(), project);
    ASSERT_EQ(App().GetOffLineRoot()->GetChildren().size(), 1u);
    EXPECT_EQ(App().GetOffLineRoot()->GetChildren()[0]->GetName().GetValue(), "Pr\xFC"
                                                                              "fachse");
    std::string value;
    App().GetProjectStorage()->ReadString(-181, 1, 7, value);
    EXPECT_EQ(value, "changed");
}

} // namespace
