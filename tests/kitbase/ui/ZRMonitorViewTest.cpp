#include "ZRMonitorFixture.h"

#include "kitbase/model/ZRBaseCommand.h"
#include "kitbase/model/ZRIdleController.h"
#include "kitbase/ui/KitbaseIds.h"
#include "platform/core/Directories.h"

#include <QAbstractButton>
#include <QComboBox>

#include <algorithm>
#include <filesystem>
#include <unistd.h>

using platform::core::IDCANCEL;
using platform::core::IDNO;
using platform::core::IDOK;
using platform::core::IDYES;
using platform::core::ModalKind;
using platform::ui::Dialog;
using platform::ui::PressDialogButton;
using Names = std::vector<std::string>;

namespace {

constexpr const char* kGood = "MonitorFileVersion:1\nFormat:1\nAny*Motor*Speed\n";

class CountingCommand : public ZRBaseCommand {
public:
    bool Execute(bool showErrors) override {
        EXPECT_TRUE(showErrors);
        ++runs;
        return true;
    }
    int runs = 0;
};

bool ObservesIdle(ZRPropertiesGrid* grid) {
    const auto& list = ZRIdleController::Instance()->GetObservers();
    return std::find(list.begin(), list.end(), grid) != list.end();
}

using ZRMonitorViewTest = MonitorTest;

class ZRMonitorViewOnLineTest : public MonitorTest {
protected:
    ZRMonitorViewOnLineTest() : MonitorTest(true) {}
};

TEST_F(ZRMonitorViewTest, FirstStartWritesTheEmptyDefaultAndShowsNothing) {
    ZRMonitorView* view = Open();
    EXPECT_EQ(StoredDefault(), "<none>");
    EXPECT_TRUE(view->OnCommand(ID_DISPLAY_ROWS));
    EXPECT_EQ(StoredDefault(), "_");
    EXPECT_TRUE(view->GetGrid()->GetRows().empty());
    EXPECT_EQ(view->GetGrid()->Value(0, 1), "Parameter");
    EXPECT_FALSE(ObservesIdle(view->GetGrid())); // an off-line drive is never re-read

    // The title follows the drive's name.
    EXPECT_EQ(view->GetTitle(), "Drive1 - Monitor");
    object.GetName().SetValue("Axis");
    EXPECT_EQ(view->GetTitle(), "Axis - Monitor");

    // "Reset Peaks" is there only with a command, and runs it.
    QWidget* reset = view->Item(IDC_RESET_PEAKS);
    EXPECT_TRUE(reset->isHidden());
    CountingCommand command;
    view->SetResetPeaks(&command);
    EXPECT_FALSE(reset->isHidden());
    static_cast<QAbstractButton*>(reset)->click();
    EXPECT_EQ(command.runs, 1);
    view->SetResetPeaks(nullptr);
    EXPECT_TRUE(reset->isHidden());
}

TEST_F(ZRMonitorViewTest, SetupsRoundTripAndLoadOnADriveOfAnotherName) {
    ZRMonitorView* view = Open();
    // Written on Windows for a drive of another name.
    WriteSetup("A", "MonitorFileVersion:1\r\nFormat:2\r\nOther*Motor*Current\r\nOther*Motor*Speed\r\n"
                    "Other*Loop*Inner*Peak\r\nOther*Loop*Gain\r\n");
    StoreDefault("A");
    view->OnDisplayRows();
    const Names shown{"[Motor]", "Current", "Speed", "[Inner]", "Peak", "[Loop]", "Gain"};
    EXPECT_EQ(Shown(*view), shown);
    EXPECT_EQ(view->GetFormatCombo()->currentIndex(), 2);
    EXPECT_EQ(view->GetGrid()->GetFormatBase(), 2);
    EXPECT_EQ(view->GetFileName(), "A");
    EXPECT_EQ(view->GetTitle(), "Drive1 - Monitor [A] ");

    // The format combo sets the grid's format.
    ZRPropertiesGrid& grid = *view->GetGrid();
    EXPECT_NE(grid.Value(2, 2), "10");
    view->GetFormatCombo()->setCurrentIndex(0);
    emit view->GetFormatCombo()->activated(0);
    EXPECT_EQ(grid.GetFormatBase(), 0);
    EXPECT_EQ(grid.Value(2, 2), "10");
    view->GetFormatCombo()->setCurrentIndex(2);
    emit view->GetFormatCombo()->activated(2);

    const std::string saved = "MonitorFileVersion:1\nFormat:2\nDrive1*Motor*Current\nDrive1*Motor*Speed\n"
                              "Drive1*Loop*Inner*Peak\nDrive1*Loop*Gain\n";
    {
        ModalScript script;
        ExpectSave(script, "B");
        view->OnSave();
    }
    EXPECT_EQ(ReadSetup("B"), saved);
    EXPECT_EQ(view->GetFileName(), "B");
    EXPECT_EQ(view->GetTitle(), "Drive1 - Monitor [B] ");
    EXPECT_EQ(StoredDefault(), "A");

    // Read back in another window and written again: the same set-up.
    ZRMonitorView* other = Open();
    {
        ModalScript script;
        ExpectLoad(script, "B");
        ExpectSave(script, "C", true);
        other->OnLoad();
        EXPECT_EQ(Shown(*other), shown);
        EXPECT_EQ(other->GetFormatCombo()->currentIndex(), 2);
        other->OnSave();
    }
    EXPECT_EQ(ReadSetup("C"), saved);
    EXPECT_EQ(StoredDefault(), "C");
}

TEST_F(ZRMonitorViewTest, SetupNamesOutsideAsciiAreSavedListedAndLoadedUnderTheirOwnName) {
    ZRMonitorView* view = Open();
    const std::string name = "Pr\xFC"
                             "fstand \x80"; // as typed, in the program's code page
    {
        ModalScript script;
        ExpectSave(script, name);
        view->OnSave();
    }
    EXPECT_TRUE(std::filesystem::exists(view->GetSetupDir() + "/Pr\xC3\xBC"
                                                              "fstand \xE2\x82\xAC.mnr"));
    ZRMonitorView* other = Open();
    {
        ModalScript script;
        ExpectLoad(script, "Pr\xC3\xBC"
                           "fstand \xE2\x82\xAC"); // as the list shows it
        other->OnLoad();
    }
    EXPECT_EQ(other->GetFileName(), name);
}

TEST_F(ZRMonitorViewTest, LinesThatNoLongerResolveAddNoRows) {
    ZRMonitorView* view = Open();
    WriteSetup("A", "MonitorFileVersion:1\nFormat:0\nX*Motor*Gone\nX*Motor*Speed\nX*Nowhere*Gain\n\n"
                    "X*Loop*Gain\nno star\nX*Motor*Secret\n");
    StoreDefault("A");
    view->OnDisplayRows();
    EXPECT_EQ(Shown(*view), (Names{"[Motor]", "Speed", "[Loop]", "Gain"}));
}

TEST_F(ZRMonitorViewTest, CorruptOrOutOfRangeSetupsAreRefusedAndChangeNothing) {
    ZRMonitorView* view = Open();
    WriteSetup("Good", kGood);
    StoreDefault("Good");
    view->OnDisplayRows();
    const Names before = Shown(*view);
    ASSERT_EQ(before, (Names{"[Motor]", "Speed"}));
    auto unchanged = [&](const char* what) {
        EXPECT_EQ(Shown(*view), before) << what;
        EXPECT_EQ(view->GetFormatCombo()->currentIndex(), 1) << what;
        EXPECT_EQ(view->GetGrid()->GetFormatBase(), 1) << what;
        EXPECT_EQ(view->GetFileName(), "Good") << what;
        EXPECT_EQ(view->GetTitle(), "Drive1 - Monitor [Good] ") << what;
    };

    struct Case {
        const char* what;
        const char* text;
    } cases[] = {
        {"empty file", ""},
        {"no version line", "Format:0\nX*Motor*Current\n"},
        {"other version", "MonitorFileVersion:2\nFormat:0\nX*Motor*Current\n"},
        {"no format line", "MonitorFileVersion:1\n"},
        {"format misnamed", "MonitorFileVersion:1\nFormats:0\nX*Motor*Current\n"},
        {"format 3", "MonitorFileVersion:1\nFormat:3\nX*Motor*Current\n"},
        {"format -1", "MonitorFileVersion:1\nFormat:-1\nX*Motor*Current\n"},
        {"format 99", "MonitorFileVersion:1\nFormat:99\nX*Motor*Current\n"},
        {"format not a number", "MonitorFileVersion:1\nFormat:two\nX*Motor*Current\n"},
        {"format missing", "MonitorFileVersion:1\nFormat:\nX*Motor*Current\n"},
    };
    for (const Case& c : cases) {
        WriteSetup("Bad", c.text);
        ModalScript script;
        ExpectLoad(script, "Bad");
        script.ExpectMessage("Monitor setup is corrupted.", IDOK);
        view->OnLoad();
        unchanged(c.what);
    }

    // A set-up that went away while the dialog was up.
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Load", PressDialogButton(IDOK, [&](Dialog& d) {
                      Select(d, "Bad");
                      platform::core::FileSystem::Remove(SetupPath("Bad"));
                  }));
    script.ExpectMessage("Load failed.", IDOK);
    view->OnLoad();
    unchanged("unreadable");
}

TEST_F(ZRMonitorViewTest, SetupThatCannotBeWrittenIsReportedAndDoesNotBecomeTheDefault) {
    ZRMonitorView* view = Open();
    WriteSetup("Good", kGood);
    StoreDefault("Good");
    view->OnDisplayRows();
    // A directory stands where the file would go.
    platform::core::FileSystem::MakeDirectories(SetupPath("Blocked"));
    {
        ModalScript script;
        ExpectSave(script, "Blocked", true);
        script.ExpectMessage("Unable to write " + SetupPath("Blocked"), IDOK);
        view->OnSave();
    }
    EXPECT_EQ(StoredDefault(), "Good");
    EXPECT_EQ(view->GetFileName(), "Good");
    EXPECT_EQ(view->GetTitle(), "Drive1 - Monitor [Good] ");

    // A set-up directory that cannot be made: nothing is asked or saved.
    std::ofstream(platform::core::JoinPath(platform::core::UserDataDir(), "Plain")) << "a file in the way";
    view->SetRegistryValueName("Plain");
    {
        ModalScript script;
        script.ExpectMessage("Can not create Monitor directory.", IDOK);
        view->OnSave();
    }
    EXPECT_EQ(view->GetFileName(), "Good");
}

TEST_F(ZRMonitorViewTest, SaveDialogRefusesBadNamesAndAsksBeforeReplacingAnother) {
    ZRMonitorView* view = Open();
    WriteSetup("A", kGood);
    WriteSetup("B", kGood);
    WriteSetup("_", kGood); // the empty default is never listed
    StoreDefault("A");
    view->OnDisplayRows();
    const std::string chars = "A name can not contain any of the following characters:\n       \\/:*?\"<>|";
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Save As", PressDialogButton(IDOK, [&](Dialog& d) {
                      EXPECT_EQ(d.GetItems(ZRMonitorSaveDlg::IDC_LIST), (Names{"A (default)", "B"}));
                      EXPECT_EQ(d.GetItemText(ZRMonitorSaveDlg::IDC_NAME), "A");
                      EXPECT_TRUE(d.IsItemShown(ZRMonitorSaveDlg::IDC_DEFAULT));
                      // The last one is another set-up's name, and the answer is No.
                      for (const char* name : {"", "a/b", "c|d", "_", "B"}) {
                          d.SetItemText(ZRMonitorSaveDlg::IDC_NAME, name);
                          d.ClickButton(IDOK);
                          EXPECT_FALSE(d.IsEnded()) << name;
                      }
                      d.SetItemText(ZRMonitorSaveDlg::IDC_NAME, "B"); // then Yes
                  }));
    script.ExpectMessage("Invalid name", IDOK);
    script.ExpectMessage(chars, IDOK);
    script.ExpectMessage(chars, IDOK);
    script.ExpectMessage("Invalid name", IDOK);
    script.ExpectMessage("Monitor Setup with this name already exists.\nDo you want to replace it?", IDNO);
    script.ExpectMessage("Monitor Setup with this name already exists.\nDo you want to replace it?", IDYES);
    view->OnSave();
    EXPECT_EQ(view->GetFileName(), "B");

    // The loaded set-up's own name replaces its file without asking.
    ExpectSave(script, "B");
    view->OnSave();
    EXPECT_EQ(script.Remaining(), 0u);
}

TEST_F(ZRMonitorViewTest, DeletingKeepsTheDefaultAndTheLastDeletionEmptiesTheList) {
    ZRMonitorView* view = Open();
    WriteSetup("A", kGood);
    WriteSetup("B", kGood);
    StoreDefault("A");
    using D = ZRMonitorSaveDlg;
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Save As", PressDialogButton(IDCANCEL, [&](Dialog& d) {
                      Select(d, "A (default)");
                      EXPECT_EQ(d.GetItemText(D::IDC_NAME), "A");
                      EXPECT_FALSE(d.IsItemEnabled(D::IDC_DELETE));
                      Select(d, "B");
                      EXPECT_EQ(d.GetItemText(D::IDC_NAME), "B");
                      ASSERT_TRUE(d.ClickButton(D::IDC_DELETE));
                      EXPECT_FALSE(platform::core::FileSystem::Exists(SetupPath("B")));
                      EXPECT_EQ(d.GetItems(D::IDC_LIST), (Names{"A (default)"}));
                      EXPECT_EQ(d.GetSelection(D::IDC_LIST), 0);
                      EXPECT_FALSE(d.IsItemEnabled(D::IDC_DELETE));
                  }));
    script.ExpectMessage("Are you sure you want to delete this monitor setup?", IDYES);
    view->OnSave();

    StoreDefault("_");
    script.Expect(ModalKind::Dialog, "Save As", PressDialogButton(IDCANCEL, [&](Dialog& d) {
                      Select(d, "A");
                      d.ClickButton(D::IDC_DELETE); // No: kept
                      EXPECT_EQ(d.GetItems(D::IDC_LIST), (Names{"A"}));
                      d.ClickButton(D::IDC_DELETE);
                      EXPECT_TRUE(d.GetItems(D::IDC_LIST).empty());
                      EXPECT_EQ(d.GetItemText(D::IDC_NAME), "");
                      EXPECT_FALSE(d.IsItemEnabled(D::IDC_DELETE));
                  }));
    script.ExpectMessage("Are you sure you want to delete this monitor setup?", IDNO);
    script.ExpectMessage("Are you sure you want to delete this monitor setup?", IDYES);
    view->OnSave();
    EXPECT_FALSE(platform::core::FileSystem::Exists(SetupPath("A")));
}

TEST_F(ZRMonitorViewOnLineTest, GridRereadsItsRowsOnTheIdleTick) {
    ZRMonitorView* view = Open();
    WriteSetup("A", "MonitorFileVersion:1\nFormat:0\nX*Motor*Current\nX*Motor*Speed\n");
    StoreDefault("A");
    view->OnDisplayRows();
    ASSERT_TRUE(ShowActive(*view));
    ZRPropertiesGrid& grid = *view->GetGrid();
    ASSERT_TRUE(ObservesIdle(&grid));
    ASSERT_EQ(grid.Value(2, 2), "10");
    ASSERT_EQ(grid.Value(3, 2), "20");
    storage.longs[{object.GetClass(), object.GetInstance(), TestObject::kFirstLongId}] = 77;
    storage.longs[{object.GetClass(), object.GetInstance(), TestObject::kFirstLongId + 1}] = 88;
    for (int tick = 0; tick < 4; ++tick)
        ZRIdleController::Instance()->DoIdle();
    EXPECT_EQ(grid.Value(2, 2), "77");
    EXPECT_EQ(grid.Value(3, 2), "88");
}

TEST_F(ZRMonitorViewTest, HarnessQueriesGoThroughTheBoundedPageOnly) {
    ZRMonitorView* view = Open();
    WriteSetup("A", "MonitorFileVersion:1\nFormat:0\nX*Motor*Current\nX*Motor*Speed\n");
    StoreDefault("A");
    view->OnDisplayRows();
    ZRPropertiesGrid& grid = *view->GetGrid();
    auto cell = [](int row, int col) { return static_cast<long>(row) << 16 | col; };
    {
        ScopedPage page("/qv-monitor-" + std::to_string(getpid()));
        ASSERT_TRUE(page.Page().HasPage());
        grid.SetValue(2, 2, std::string(400, 'x'));
        EXPECT_EQ(view->OnVtMessage(1, cell(2, 2)), 0);
        std::string text;
        ASSERT_TRUE(page.Page().ReadText(text));
        EXPECT_EQ(text, std::string(254, 'x'));
        EXPECT_EQ(page.Page().GetBaseFileAddress()[254], 0);

        ASSERT_TRUE(page.Page().WriteText("42"));
        view->OnVtMessage(2, cell(3, 2));
        EXPECT_EQ(grid.Value(3, 2), "42");

        view->OnVtMessage(3, cell(3, 1));
        const QRect r = grid.CellRect(3, 1).translated(grid.viewport()->pos());
        EXPECT_EQ(page.IntAt(0), r.left());
        EXPECT_EQ(page.IntAt(16), r.left() + r.width());
        EXPECT_EQ(page.IntAt(32), r.top());
        EXPECT_EQ(page.IntAt(48), r.top() + r.height());
    }
    ModalScript script;
    script.ExpectMessage("Memory Mapped File could not be created.", IDOK);
    ScopedPage none("/no/such/page");
    ASSERT_FALSE(none.Page().HasPage());
    grid.SetValue(3, 2, "kept");
    for (unsigned type : {1u, 2u, 3u})
        EXPECT_EQ(view->OnVtMessage(type, cell(3, 2)), 0);
    EXPECT_EQ(grid.Value(3, 2), "kept");
}

} // namespace
