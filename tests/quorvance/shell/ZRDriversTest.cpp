#include "support/ModalScript.h"
#include "support/TempDir.h"
#include "support/model/FakeStorage.h"
#include "support/model/TestDevice.h"
#include "support/model/TestObjects.h"
#include "support/ui/UiTestApp.h"

#include "kitbase/model/ZRStringAttribute.h"
#include "quorvance/shell/ZRDrivers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using platform::core::IDOK;
using platform::core::ModalKind;
using platform::ui::Dialog;
using platform::ui::PressDialogButton;

namespace {
class ZRDriversTest : public testing::Test {
protected:
    ZRDriversTest() {
        TestApp();
        folder.SetDevice(&device);
        folder.SetInstance(1);
        for (const char* name : {"serial.exe", "fieldbus.exe", "io.exe"}) {
            auto made = std::make_unique<TestObject>();
            TestObject* driver = made.get();
            driver->Init();
            folder.AddChild(std::move(made));
            driver->GetName().SetValue(name);
        }
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (ZRObject* child : folder.GetChildren())
            names.push_back(child->GetName().GetAsString());
        return names;
    }
    std::string FileOfSize(std::uintmax_t size) {
        std::string path = temp.File("driver.exe");
        std::ofstream(path, std::ios::binary).flush();
        std::filesystem::resize_file(path, size);
        return path;
    }

    TempDir temp;
    FakeStorage storage;
    TestDevice device{&storage, true};
    TestObject folder;
};
} // namespace

TEST_F(ZRDriversTest, ListsTheDriversAndRemovesTheSelectedOne) {
    ZRDrivers drivers(nullptr, &folder);
    ModalScript script;
    script.Expect(
        ModalKind::Dialog, "Drivers", PressDialogButton(ZRDrivers::IDC_OK, [&](Dialog& d) {
            using V = std::vector<std::string>;
            EXPECT_EQ(d.GetItems(ZRDrivers::IDC_DRIVERS), (V{"serial.exe", "fieldbus.exe", "io.exe"}));
            d.ClickButton(ZRDrivers::IDC_REMOVE); // nothing selected: nothing happens
            EXPECT_EQ(d.GetItems(ZRDrivers::IDC_DRIVERS).size(), 3u);
            d.SetSelection(ZRDrivers::IDC_DRIVERS, 1);
            d.ClickButton(ZRDrivers::IDC_REMOVE);
            EXPECT_EQ(d.GetItems(ZRDrivers::IDC_DRIVERS), (V{"serial.exe", "io.exe"}));
        }));
    EXPECT_EQ(drivers.DoModal(), IDOK);
    EXPECT_EQ(Names(), (std::vector<std::string>{"serial.exe", "io.exe"}));
    ASSERT_EQ(drivers.GetEntries().size(), 2u);
    EXPECT_EQ(drivers.GetEntries()[1], folder.GetChildren()[1]);
    EXPECT_EQ(storage.Calls("Delete"), 1);
    EXPECT_EQ(device.savePowerUpCalls, 0); // off line nothing is told to the drive
}

TEST_F(ZRDriversTest, OnLineARemovalIsKeptByTheDrive) {
    device.SetOffLine(false);
    ZRDrivers drivers(nullptr, &folder);
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Drivers", PressDialogButton(ZRDrivers::IDC_OK, [](Dialog& d) {
                      d.SetSelection(ZRDrivers::IDC_DRIVERS, 0);
                      d.ClickButton(ZRDrivers::IDC_REMOVE);
                  }));
    drivers.DoModal();
    EXPECT_EQ(device.savePowerUpCalls, 1);
    EXPECT_EQ(Names().size(), 2u);
}

TEST_F(ZRDriversTest, ADriverFileMustNotExceed400000Bytes) {
    ZRDrivers drivers(nullptr, &folder);
    std::string tooBig = FileOfSize(400001);
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Drivers", PressDialogButton(ZRDrivers::IDC_OK, [](Dialog& d) {
                      d.ClickButton(ZRDrivers::IDC_ADD);
                      d.ClickButton(ZRDrivers::IDC_ADD);
                      d.ClickButton(ZRDrivers::IDC_ADD);
                  }));
    script.ExpectFile(ModalKind::OpenFile, tooBig);
    script.ExpectMessage("Drivers must be a size less than 400Kb.", IDOK);
    script.ExpectFile(ModalKind::OpenFile, temp.File("missing.exe"));
    script.ExpectMessage("missing.exe", IDOK);
    script.ExpectFile(ModalKind::OpenFile, "", platform::core::IDCANCEL);
    drivers.DoModal();
    EXPECT_EQ(Names().size(), 3u);

    // Exactly the limit is accepted.
    FileOfSize(400000);
    ZRDrivers again(nullptr, &folder);
    ModalScript accepted;
    accepted.Expect(ModalKind::Dialog, "Drivers", PressDialogButton(ZRDrivers::IDC_OK, [](Dialog& d) {
                        d.ClickButton(ZRDrivers::IDC_ADD);
                    }));
    accepted.ExpectFile(ModalKind::OpenFile, tooBig);
    again.DoModal();
}
