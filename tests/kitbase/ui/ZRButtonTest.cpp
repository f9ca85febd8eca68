// Buttons bound to a command, a yes/no attribute and the values of an index selection.
#include "support/ui/UiTestApp.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/ui/ZRButton.h"
#include "kitbase/ui/ZRButtonController.h"
#include "kitbase/ui/ZRRadioButton.h"
#include "kitbase/ui/ZRRadioController.h"
#include "kitbase/ui/ZRToggleButton.h"
#include "kitbase/ui/ZRToggleButtonController.h"
#include "support/ModalScript.h"
#include "support/model/FakeStorage.h"
#include "support/model/TestDevice.h"
#include "support/model/TestObjects.h"

#include <gtest/gtest.h>

#include <memory>

using platform::core::IDOK;

namespace {

// A drive object with instance 1 on an on-line test device over a fake storage.
struct Drive {
    FakeStorage storage;
    TestDevice device{&storage, false};
    TestObject object;

    Drive() {
        object.SetDevice(&device);
        object.SetInstance(1);
        object.Init();
    }
    template <typename A> A& Bind(A& attribute, int32_t id, const std::string& name) {
        attribute.SetObject(&object);
        attribute.Define(id);
        attribute.SetName(name);
        return attribute;
    }
    int32_t& Long(int32_t id) { return storage.longs[{object.GetClass(), 1, id}]; }
};

TEST(ZRButton, FollowsTheCommandsEnabledStateAndRunsIt) {
    TestApp();
    Drive drive;
    ZRCommand& command = drive.object.Command();
    ZRButton button("Reset");
    auto* controller = new ZRButtonController;
    button.SetMvcData(&command, controller);
    EXPECT_EQ(button.GetController(), controller);
    EXPECT_EQ(controller->GetCtl(), &button);
    EXPECT_TRUE(button.isEnabled());
    command.SetEnabled(false);
    EXPECT_FALSE(button.isEnabled());
    command.SetEnabled(true);
    EXPECT_TRUE(button.isEnabled());

    button.click();
    ASSERT_EQ(drive.storage.serviceCalls.size(), 1u);
    EXPECT_EQ(drive.storage.serviceCalls[0].service, TestObject::kService);

    // A failure is shown by the command, then once more by the button.
    ModalScript script;
    script.ExpectMessage("Drive busy (error #5)", IDOK).ExpectMessage("Drive busy (error #5)", IDOK);
    drive.storage.FailNext(ZRError(5, "Drive busy"), "InvokeService");
    button.click();
}

TEST(ZRButton, SilentFailureRaisesNoEmptyBox) {
    TestApp();
    Drive drive;
    ZRButton button;
    button.SetMvcData(&drive.object.Command(), new ZRButtonController);
    drive.storage.RefuseNext("InvokeService");
    button.click(); // an unexpected modal would fail the test
    EXPECT_TRUE(drive.storage.serviceCalls.empty());
}

TEST(ZRToggleButton, ShowsAndWritesTheAttribute) {
    TestApp();
    Drive drive;
    ZRBoolAttribute brake(drive.object.GetDevice(), 4, -1);
    drive.Bind(brake, 60, "Brake");
    ZRToggleButton box("Brake");
    box.SetMvcData(&brake, new ZRToggleButtonController);
    EXPECT_FALSE(box.isChecked());

    brake.SetValue(true);
    EXPECT_TRUE(box.isChecked());
    box.click();
    EXPECT_FALSE(brake.GetValue());
    EXPECT_EQ(drive.Long(60), 0);
    box.click();
    EXPECT_TRUE(brake.GetValue());
    EXPECT_EQ(drive.Long(60), 1);

    brake.SetEnabled(false);
    EXPECT_FALSE(box.isEnabled());
    brake.SetEnabled(true);

    // A write that fails leaves the mark on the value the attribute still holds.
    ModalScript script;
    script.ExpectMessage("Brake: Link down", IDOK);
    drive.storage.FailNext(ZRError(0, "Link down"), "WriteLong");
    box.click();
    EXPECT_TRUE(brake.GetValue());
    EXPECT_TRUE(box.isChecked());
}

// Off (0), On (1), Boost (2), Hold (3).
struct ModeSelection {
    Drive drive;
    ZRIndexSelection selection{drive.object.GetDevice()};
    ModeSelection() {
        drive.Bind(selection, 50, "Mode");
        auto options = std::make_unique<ZRLongOptions>(&drive.object, 4);
        options->Add(0, "Off");
        options->Add(1, "On");
        options->Add(2, "Boost");
        options->Add(3, "Hold");
        selection.SetOptions(std::move(options));
    }
};

TEST(ZRRadioButton, CheckedExactlyWhileTheSelectionHoldsItsValue) {
    TestApp();
    ModeSelection mode;
    ZRRadioButton on("On"), hold("Hold");
    on.SetMvcData(&mode.selection, new ZRRadioController, 1);
    hold.SetMvcData(&mode.selection, new ZRRadioController, 3);
    EXPECT_FALSE(on.isChecked());
    EXPECT_FALSE(hold.isChecked());

    struct Case {
        int value;
        bool on, hold;
    } cases[] = {{3, false, true}, {1, true, false}, {0, false, false}, {3, false, true}};
    for (const Case& c : cases) {
        mode.selection.SetValue(c.value);
        EXPECT_EQ(on.isChecked(), c.on) << c.value;
        EXPECT_EQ(hold.isChecked(), c.hold) << c.value;
    }

    on.click();
    EXPECT_EQ(mode.selection.GetValue(), 1);
    EXPECT_EQ(mode.drive.Long(50), 1);
    EXPECT_TRUE(on.isChecked());
    EXPECT_FALSE(hold.isChecked());
    // Clicking the checked button again keeps it checked: the selection still holds its value.
    on.click();
    EXPECT_TRUE(on.isChecked());

    mode.selection.SetEnabled(false);
    EXPECT_FALSE(on.isEnabled());
    EXPECT_FALSE(hold.isEnabled());
}

TEST(ZRRadioButton, ErrorOfTheSelectionIsShownWithItsCode) {
    TestApp();
    class Refusing : public ZRIndexSelection {
    public:
        using ZRIndexSelection::ZRIndexSelection;
        bool SetValue(int32_t) override { throw ZRError(3, "Refused"); }
    };
    Drive drive;
    Refusing selection(drive.object.GetDevice());
    auto options = std::make_unique<ZRLongOptions>(&drive.object, 4);
    options->Add(0, "Off");
    options->Add(1, "On");
    selection.SetOptions(std::move(options));
    ZRRadioButton on("On");
    on.SetMvcData(&selection, new ZRRadioController, 1);
    ModalScript script;
    script.ExpectMessage("Refused (error #3)", IDOK);
    on.click();
    EXPECT_FALSE(on.isChecked());
}

TEST(ZRBoundButtons, OutliveTheirModels) {
    TestApp();
    auto mode = std::make_unique<ModeSelection>();
    auto brake = std::make_unique<ZRBoolAttribute>(mode->drive.object.GetDevice(), 4, -1);
    ZRRadioButton radio("On");
    radio.SetMvcData(&mode->selection, new ZRRadioController, 1);
    ZRToggleButton box("Brake");
    box.SetMvcData(brake.get(), new ZRToggleButtonController);
    brake.reset();
    mode.reset();
    EXPECT_EQ(radio.GetModel(), nullptr);
    EXPECT_EQ(box.GetModel(), nullptr);
    EXPECT_FALSE(radio.isEnabled());
    EXPECT_FALSE(box.isEnabled());
    radio.click(); // nothing to write to
    box.click();
    // The controls are destroyed after their models here: they must not touch them.
}

} // namespace
