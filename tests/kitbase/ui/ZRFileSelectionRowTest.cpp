#include "AttributeRowFixture.h"

#include "kitbase/ui/ZRFileSelectionRow.h"
#include "platform/ui/Guard.h"

using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::core::ModalKind;
using platform::core::ModalRequest;

namespace {

class FileSelectionRowTest : public AttributeRowTest {
protected:
    FileSelectionRowTest() {
        Bind(path, 600, "Firmware");
        path.SetAsString("/old/fw.hex");
        Bind(failing, 601, "Broken");
        Add(new ZRFileSelectionRow(&path, 1, "hex", 0x1000, "Firmware (*.hex)|*.hex||", nullptr));
        Add(new ZRFileSelectionRow(&failing, 0, "hex", 0, "", nullptr));
        Layout();
        previous = platform::ui::SetExceptionReporter(
            [this](const std::string& where, std::exception_ptr) { escaped.push_back(where); });
    }
    ~FileSelectionRowTest() override { platform::ui::SetExceptionReporter(previous); }

    ZRStringAttribute path{object.GetDevice(), 0, NoPadding, ' '};
    ThrowingAttribute failing{object.GetDevice()};
    platform::ui::ExceptionReporter previous;
    std::vector<std::string> escaped;
};

} // namespace

TEST_F(FileSelectionRowTest, BrowseWritesTheChosenPathAndCancelWritesNothing) {
    ModalScript script;
    ModalRequest seen;
    script.Expect(ModalKind::OpenFile, {}, [&](ModalRequest& request) {
        seen = request;
        request.value = "/new/fw.hex";
        return IDOK;
    });
    script.ExpectFile(ModalKind::OpenFile, "/other.hex", IDCANCEL);

    ClickButton(1);
    EXPECT_EQ(seen.value, "/old/fw.hex");
    EXPECT_EQ(seen.defaultExt, "hex");
    EXPECT_EQ(seen.filter, "Firmware (*.hex)|*.hex||");
    EXPECT_EQ(seen.flags, 0x1000u);
    EXPECT_EQ(path.GetAsString(), "/new/fw.hex");
    EXPECT_EQ((storage.strings[Key(600)]), "/new/fw.hex");
    EXPECT_EQ(grid->Value(1, 2), "/new/fw.hex");

    storage.ResetCalls();
    ClickButton(1);
    EXPECT_EQ(storage.Calls(), 0);
    EXPECT_EQ(path.GetAsString(), "/new/fw.hex");
}

// A write error while the chosen path is written is shown, never thrown out of the click.
TEST_F(FileSelectionRowTest, WriteErrorOfTheChosenPathIsShown) {
    ModalScript script;
    script.ExpectFile(ModalKind::SaveFile, "/x.hex", IDOK);
    script.ExpectMessage("Boom (error #5)", IDOK);
    ClickButton(2);
    EXPECT_TRUE(escaped.empty());
}
