#include "support/ui/UiTestApp.h"

#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/QtModalHook.h"
#include "support/ModalScript.h"
#include "support/TempDir.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>

using namespace platform::ui;
using namespace platform::core;

namespace {

class EntryDialog : public Dialog {
public:
    EntryDialog()
        : Dialog(265, "Properties",
                 {ControlSpec::Static(1013, "Name:"), ControlSpec::Edit(1012),
                  ControlSpec::Static(1014, "Node:"), ControlSpec::Edit(1015),
                  ControlSpec::Check(1083, "Remember"), ControlSpec::Radio(1090, "Slow"),
                  ControlSpec::Radio(1091, "Fast"),
                  ControlSpec::Combo(1100, {"Decimal", "Binary", "Hexadecimal"}),
                  ControlSpec::DefaultButton(IDOK, "OK"), ControlSpec::Button(IDCANCEL, "Cancel"),
                  ControlSpec::Button(57670, "Help")}) {}

    std::string name = "drive";
    int node = 1;
    bool remember = false;
    int speed = 0;
    int format = 1;
    int helps = 0;

protected:
    void DoDataExchange(DataExchange& dx) override {
        dx.Text(1012, name, 8);
        dx.Number(1015, node, 0, 254);
        dx.Check(1083, remember);
        dx.Radio(1090, speed);
        dx.Selection(1100, format);
    }
    void OnButton(int id) override {
        if (id == 57670)
            ++helps;
    }
};

TEST(Dialog, ScriptFillsControlsByIdAndPressesOk) {
    TestApp();
    EntryDialog dialog;
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Properties", PressDialogButton(IDOK, [](Dialog& d) {
                      EXPECT_EQ(d.GetItemText(1012), "drive"); // loaded by OnInitDialog
                      EXPECT_EQ(d.GetSelection(1100), 1);
                      d.SetItemText(1012, "a much longer name"); // the edit keeps 8 characters
                      d.SetItemText(1015, "17");
                      d.SetCheck(1083, 1);
                      d.SetCheck(1091, 1);
                      d.SetSelection(1100, 2);
                      d.ClickButton(57670);
                  }));
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.name, "a much l");
    EXPECT_EQ(dialog.node, 17);
    EXPECT_TRUE(dialog.remember);
    EXPECT_EQ(dialog.speed, 1);
    EXPECT_EQ(dialog.format, 2);
    EXPECT_EQ(dialog.helps, 1);
}

TEST(Dialog, ValueOutOfItsLimitKeepsTheDialogOpen) {
    TestApp();
    EntryDialog dialog;
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Properties", [&](ModalRequest& r) {
        auto& d = *static_cast<Dialog*>(r.dialog);
        d.SetItemText(1015, "300");
        d.ClickButton(IDOK);
        EXPECT_FALSE(d.IsEnded());
        d.ClickButton(IDCANCEL);
        return d.Result();
    });
    script.ExpectMessage("Enter a whole number from 0 to 254.", IDOK);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.node, 1);
}

TEST(Dialog, ControlsByIdAndModelessUse) {
    TestApp();
    class CancelBox : public Dialog {
    public:
        CancelBox()
            : Dialog(299, "Working",
                     {ControlSpec::Static(1077, "Busy"), ControlSpec::Progress(1059),
                      ControlSpec::List(1200, {"a"}), ControlSpec::Button(IDCANCEL, "Cancel")}) {}
        bool cancelled = false;

    protected:
        void OnCancel() override { cancelled = true; } // stays open
    } box;
    ASSERT_TRUE(box.Create());
    EXPECT_TRUE(box.isVisible());
    box.SetRange(1059, 0, 10);
    box.SetPos(1059, 4);
    EXPECT_EQ(box.GetPos(1059), 4);
    box.SetItems(1200, {"x", "y"});
    box.AddItem(1200, "z");
    EXPECT_EQ(box.GetItems(1200), (std::vector<std::string>{"x", "y", "z"}));
    box.ShowItem(1077, false);
    EXPECT_FALSE(box.IsItemShown(1077));
    box.EnableItem(IDCANCEL, false);
    EXPECT_FALSE(box.ClickButton(IDCANCEL));
    box.EnableItem(IDCANCEL, true);
    EXPECT_TRUE(box.ClickButton(IDCANCEL));
    EXPECT_TRUE(box.cancelled);
    EXPECT_TRUE(box.isVisible());
    box.DestroyWindow();
    EXPECT_FALSE(box.isVisible());
}

TEST(QtModalHook, ShowsRealMessageBoxesAndDialogs) {
    TestApp();
    ModalHook* previous = InstallQtModalHook();
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), "Reset drive now?");
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(MessageBox("Reset drive now?", "", MB_YESNO | MB_ICONQUESTION), IDNO);

    EntryDialog dialog;
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
        dialog.SetItemText(1012, "typed");
        dialog.ClickButton(IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.name, "typed");
    SetModalHook(previous);
}

// The box shows the icon its flags ask for, from the program's own set; without an icon flag none.
TEST(QtModalHook, MessageBoxShowsTheIconItsFlagsAskFor) {
    TestApp();
    ModalHook* previous = InstallQtModalHook();
    for (unsigned icon : {unsigned(MB_ICONERROR), unsigned(MB_ICONQUESTION), unsigned(MB_ICONWARNING),
                          unsigned(MB_ICONINFORMATION), 0u}) {
        QImage shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text(), "Drive \"Axis 1\" is not responding.");
            shown = box->iconPixmap().toImage();
            box->button(QMessageBox::Ok)->click();
        });
        EXPECT_EQ(MessageBox("Drive \"Axis 1\" is not responding.", "", MB_OK | icon), IDOK);
        EXPECT_EQ(shown.isNull(), icon == 0) << icon;
    }
    SetModalHook(previous);
}

TEST(Dialog, WideEnoughForItsTitleAndItsLinesUnwrapped) {
    TestApp();
    const std::string line = "Connected to Fenwa Drive: \"Axis 1\" on node 3.";
    Dialog dialog(100, "About Quorvance Drive Set-up and Commissioning",
                  {ControlSpec::Static(1056, line), ControlSpec::DefaultButton(IDOK, "OK")});
    ModalScript script;
    script.Expect(ModalKind::Dialog, "About", PressDialogButton(IDOK, [&](Dialog& d) {
                      d.show(); // lays the controls out
                      QFont bold = d.font();
                      bold.setBold(true);
                      EXPECT_GT(d.width(), QFontMetrics(bold).horizontalAdvance(d.windowTitle()));
                      QWidget* label = d.Item(1056);
                      ASSERT_NE(label, nullptr);
                      EXPECT_GE(label->width(),
                                QFontMetrics(label->font()).horizontalAdvance(QString::fromStdString(line)));
                  }));
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

// Texts without an id too, up to the measure, each on one line: a wizard's page is such lines one
// under the other, under a short title.
TEST(Dialog, LinesWithoutAnIdStayUnwrapped) {
    TestApp();
    Dialog dialog(100, "Step",
                  {ControlSpec::Static(-1, "If you wish to proceed, click Next and all existing on-line drives will"),
                   ControlSpec::Static(-1, "be removed from the workspace, otherwise click Cancel."),
                   ControlSpec::DefaultButton(IDOK, "OK")});
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Step", PressDialogButton(IDOK, [&](Dialog& d) {
                      d.show();
                      for (QLabel* text : d.findChildren<QLabel*>())
                          EXPECT_LT(text->heightForWidth(text->width()), 2 * text->fontMetrics().lineSpacing())
                              << text->text().toStdString();
                  }));
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST(CommonDialogs, FileDialogGoesThroughTheHookWithItsDefaultExtension) {
    TestApp();
    ModalScript script;
    script.Expect(ModalKind::SaveFile, "Export To:", [](ModalRequest& r) {
        EXPECT_EQ(r.filter, "User data eXchange File (*.uxf)|*.uxf|All Files (*.*)|*.*||");
        EXPECT_EQ(r.value, "Axis1");
        r.value = "/tmp/out/Axis1";
        return IDOK;
    });
    FileDialog dialog(false, "uxf", "Axis1", FD_HIDEREADONLY | FD_OVERWRITEPROMPT,
                      "User data eXchange File (*.uxf)|*.uxf|All Files (*.*)|*.*||");
    dialog.SetTitle("Export To:");
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName(), "/tmp/out/Axis1.uxf");
    EXPECT_EQ(dialog.GetFileName(), "Axis1.uxf");
    EXPECT_EQ(dialog.GetFileTitle(), "Axis1");
    EXPECT_EQ(dialog.GetFileExt(), "uxf");
}

// The toolkit's dialog speaks Unicode: a picked name comes back in code page 1252, and one that the
// code page cannot hold is refused with a message naming it and the dialog asks again.
TEST(QtModalHook, FileDialogReturnsModelNamesAndRefusesOthersByName) {
    TestApp();
    TempDir dir;
    std::filesystem::create_directories(dir.Path() / "M\xC3\xBCller");
    const std::string folder = dir.File("M\xFCller");
    ModalHook* previous = InstallQtModalHook();
    QStringList warnings;
    int step = 0;
    QTimer pilot;
    QObject::connect(&pilot, &QTimer::timeout, [&] {
        // The refusal box first: the file dialog stays open under it, and which of the two the
        // toolkit reports as the active modal window is not reliable.
        QMessageBox* box = nullptr;
        QFileDialog* files = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!window->isVisible())
                continue;
            if (auto* b = qobject_cast<QMessageBox*>(window))
                box = b;
            else if (auto* f = qobject_cast<QFileDialog*>(window))
                files = f;
        }
        if (box) {
            warnings << box->text();
            box->accept();
        } else if (files) {
            EXPECT_EQ(files->directory().dirName(), QString::fromUtf8("M\xC3\xBCller"));
            const QString name = QString::fromUtf8(step++ == 0 ? "\xE6\x97\xA5\xE6\x9C\xAC.qdb"
                                                                 : "Pr\xC3\xBC"
                                                                   "fstand \xE2\x82\xAC.qdb");
            // Typed into the name field as a user does: selectFile alone can lose to the dialog's
            // directory model, which re-selects the earlier name once it has loaded the folder.
            if (auto* edit = files->findChild<QLineEdit*>("fileNameEdit"))
                edit->setText(name);
            else
                files->selectFile(name);
            static_cast<QDialog*>(files)->accept(); // the dialog's own accept checks the name
        }
    });
    pilot.start(20);
    FileDialog dialog(false, "qdb", folder + "/Unsaved", FD_HIDEREADONLY | FD_OVERWRITEPROMPT,
                      "Project (*.qdb)|*.qdb||");
    const int answer = dialog.DoModal();
    pilot.stop();
    SetModalHook(previous);
    ASSERT_EQ(answer, IDOK);
    EXPECT_EQ(dialog.GetPathName(), folder + "/Pr\xFC"
                                             "fstand \x80.qdb");
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(QString::fromUtf8("\xE6\x97\xA5\xE6\x9C\xAC.qdb")))
        << warnings[0].toStdString();
}

TEST(CommonDialogs, FilterTextsBecomeToolkitFilters) {
    std::vector<FileFilter> filters =
        ParseFileFilter("Project (*.qdb)|*.qdb|Scripts|*.txt;*.s|All Files (*.*)|*.*||");
    ASSERT_EQ(filters.size(), 3u);
    EXPECT_EQ(ToToolkitFilter(filters[0]), "Project (*.qdb *.QDB)");
    EXPECT_EQ(ToToolkitFilter(filters[1]), "Scripts (*.txt *.TXT *.s *.S)");
    EXPECT_EQ(ToToolkitFilter(filters[2]), "All Files (*)");
    EXPECT_TRUE(ParseFileFilter("").empty());
    EXPECT_EQ(ParseFileFilter("Odd|").size(), 1u);

    struct Case {
        const char* path;
        const char* ext;
        const char* result;
    };
    for (const Case& c :
         {Case{"/a/b/proj", "qdb", "/a/b/proj.qdb"}, Case{"/a/b/proj.qdb", "qdb", "/a/b/proj.qdb"},
          Case{"/a/b.d/proj", ".qdb", "/a/b.d/proj.qdb"}, Case{"/a/.hidden", "x", "/a/.hidden.x"},
          Case{"name.txt", "qdb", "name.txt"}, Case{"name", "", "name"}})
        EXPECT_EQ(WithDefaultExtension(c.path, c.ext), c.result) << c.path;
}

TEST(CommonDialogs, ColourAndTextPromptsKeepTheirValueOnCancel) {
    TestApp();
    ModalScript script;
    script.Expect(ModalKind::Colour, "", [](ModalRequest& r) {
        r.colour = 0x00FF0000;
        return IDCANCEL;
    });
    script.ExpectText("Name", "new", IDOK);
    uint32_t colour = 0x000000FF;
    EXPECT_FALSE(ChooseColour(colour));
    EXPECT_EQ(colour, 0x000000FFu);
    std::string text = "old";
    EXPECT_TRUE(PromptText("Rename", "Name", text));
    EXPECT_EQ(text, "new");
}

TEST(Dialog, FileEditBrowsesFromItsTextWithItsFilter) {
    TestApp();
    Dialog dialog(258, "Load",
                  {ControlSpec::FileEdit(1002, "Firmware Files (*.hex)|*.hex||", "hex"),
                   ControlSpec::Button(IDCANCEL, "Close")});
    ModalScript script;
    script.Expect(ModalKind::OpenFile, "", [](ModalRequest& r) {
        EXPECT_EQ(r.filter, "Firmware Files (*.hex)|*.hex||");
        EXPECT_EQ(r.value, "old.hex");
        r.value = "/tmp/new";
        return IDOK;
    });
    script.ExpectFile(ModalKind::OpenFile, "/tmp/other.hex", IDCANCEL);
    ASSERT_TRUE(dialog.Create());
    dialog.SetItemText(1002, "old.hex");
    EXPECT_TRUE(dialog.BrowseFile(1002));
    EXPECT_EQ(dialog.GetItemText(1002), "/tmp/new.hex"); // the default extension added
    EXPECT_FALSE(dialog.BrowseFile(1002));               // cancelled: the text stays
    EXPECT_EQ(dialog.GetItemText(1002), "/tmp/new.hex");
    // Disabled, the edit takes its browse button along.
    dialog.EnableItem(1002, false);
    EXPECT_FALSE(dialog.IsItemEnabled(1002));
    EXPECT_FALSE(dialog.BrowseFile(1002));
    dialog.DestroyWindow();
}

} // namespace
