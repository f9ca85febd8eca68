// The Fenwa drive object on a simulated line: its parameters, the acceleration coupling, the
// current operating mode under the override input, the reset prompt, reset and save.
#include "FenwaLine.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRCompositeAttribute.h"
#include "kitbase/model/ZRIdleController.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "platform/core/Text.h"
#include "quorvance/fenwa/FenwaDevice.h"
#include "quorvance/fenwa/FenwaDigIn.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaMotor.h"
#include "tests/support/ModalScript.h"

#include <algorithm>

namespace {

using platform::core::IDNO;
using platform::core::IDOK;
using platform::core::IDYES;
using Strings = std::vector<std::string>;

constexpr const char* kPrompt = "The drive must be reset to make your change take effect. Reset drive now?";

class FenwaDriveLine : public FenwaLine {
protected:
    void SetUp() override {
        FenwaLine::SetUp();
        device.SetStorage(storage.get());
        device.SetOffLine(false);
        drive = std::make_unique<FenwaDrive>();
        // The digital-input block's assignments: "Drive Enable" at character 3 of "Pr-0.05", the
        // override input at character 0 of "Pr-0.06".
        enableInput.SetName("Pr-0.05");
        enableInput.SetValue("0000");
        overrideInput.SetName("Pr-0.06");
        overrideInput.SetValue("0000");
        drive->GetDigIn()->AddProperty(&enableInput);
        drive->GetDigIn()->AddProperty(&overrideInput);
        drive->Init();
    }
    void TearDown() override {
        drive.reset();
        FenwaLine::TearDown();
    }

    void Attach() {
        drive->Attach(&device, 1);
        Sent();
    }
    ZRAttribute& Param(const char* name) {
        ZRAttribute* a = drive->GetAttribute(name);
        EXPECT_TRUE(a) << name;
        return *a;
    }
    // The input word of "IO Status" with the input's bit set (0: none).
    void SetInputOn(int input) {
        sim.SetMonitor(1, 0x0F, input ? platform::core::Format("%012X", 1u << (input - 1)) : "000000000000");
        drive->GetIoStatus()->Refresh(false);
    }

    ZRDevice* none = nullptr;
    ZRStringAttribute enableInput{none, 0, NoPadding, ' '};
    ZRStringAttribute overrideInput{none, 0, NoPadding, ' '};
    FenwaDevice device;
    std::unique_ptr<FenwaDrive> drive;
};

TEST_F(FenwaDriveLine, ReadsAndWritesItsParametersAndComposites) {
    sim.SetParameter(1, 0x00D, "0007");
    sim.SetParameter(1, 0x000, "0001");
    sim.SetParameter(1, 0x002, "1003");
    sim.SetFault(1, "E22");
    Attach();
    EXPECT_EQ(device.GetDrive(), drive.get());
    EXPECT_EQ(drive->GetName().GetAsString(), "Drive") << "an unnamed drive gets a name";
    EXPECT_EQ(sim.Parameter(1, 0x3B7), "Drive");
    drive->Refresh();
    EXPECT_EQ(Param("Drive Address").GetAsString(), "7");
    EXPECT_EQ(Param("Operation Modes (Main/Override)").GetAsString(), "Follower/None");
    EXPECT_EQ(Param("Control Mode").GetAsString(), "Follower/None");
    EXPECT_EQ(Param("Fault/Warning").GetAsString(), "Motor Overtemperature Fault");
    EXPECT_EQ(Param("Fault and Disable Braking").GetAsString(), "Free Stop and hold");
    EXPECT_EQ(Param("Power Input").GetAsString(), "DC");
    EXPECT_EQ(Param("Bus Voltage").GetAsString(), "313");

    EXPECT_TRUE(Param("Positive Internal").SetAsString("250"));
    EXPECT_EQ(sim.Parameter(1, 0x191), "00FA");
    EXPECT_TRUE(Param("Fault and Disable Braking").SetAsString("Brake and hold"));
    EXPECT_EQ(sim.Parameter(1, 0x002), "1000") << "only the field's character changes";
    EXPECT_TRUE(Param("Displayed Units").SetAsString("User"));
    EXPECT_EQ(sim.Parameter(1, 0x3C0), "0002");

    sim.SetFault(1, "E99");
    drive->GetStatuses()->Refresh(false);
    EXPECT_EQ(Param("Fault/Warning").GetAsString(), "Unexpected Value");
    {
        ModalScript modals;
        modals.ExpectMessage("Drive Address: Value cannot be more than 255", IDOK);
        EXPECT_FALSE(Param("Drive Address").Validate("256"));
    }
    EXPECT_EQ(drive->GetChild(fenwa::kMotorType), static_cast<ZRObject*>(drive->GetMotor()));
    EXPECT_EQ(drive->GetChild(-161), nullptr) << "the monitor is no child";
}

TEST_F(FenwaDriveLine, CouplesRampTimesAndAccelerationsBothWays) {
    Attach();
    ZRBoolAttribute& limits = *drive->GetAccelerationLimits();
    ZRUlongAttribute& up = *drive->GetAccelerationTime();
    ZRUlongAttribute& down = *drive->GetDecelerationTime();
    auto shown = [&] {
        return !drive->GetAcceleration()->IsHidden() && !drive->GetDeceleration()->IsHidden() &&
               !Param("S-Curve Time").IsHidden();
    };
    ASSERT_FALSE(limits.GetValue());
    ASSERT_FALSE(shown());

    // Switched on: the last ramp times come back (4000 each on a fresh drive) and go to the drive.
    EXPECT_TRUE(limits.SetAsString("Active"));
    EXPECT_TRUE(shown());
    EXPECT_EQ(sim.Parameter(1, 0x0CA), "0FA0");
    EXPECT_EQ(sim.Parameter(1, 0x0CB), "0FA0");

    // A ramp time gives its rate (truncated) and is kept as the last one.
    EXPECT_TRUE(up.SetAsString("3000"));
    EXPECT_EQ(drive->GetAcceleration()->GetInternalValue(), 200u);
    EXPECT_EQ(drive->GetDeceleration()->GetInternalValue(), 150u);
    EXPECT_TRUE(down.SetAsString("7000"));
    EXPECT_EQ(drive->GetDeceleration()->GetInternalValue(), 85u);

    // A rate gives its ramp time, written to the drive.
    EXPECT_TRUE(drive->GetAcceleration()->SetInternalValue(300));
    EXPECT_EQ(up.GetInternalValue(), 2000u);
    EXPECT_EQ(sim.Parameter(1, 0x0CA), "07D0");

    // Switched off: both ramp times 0 on the drive, the rates hidden; on again restores them.
    EXPECT_TRUE(limits.SetAsString("Inactive"));
    EXPECT_FALSE(shown());
    EXPECT_EQ(sim.Parameter(1, 0x0CA), "0000");
    EXPECT_EQ(sim.Parameter(1, 0x0CB), "0000");
    EXPECT_TRUE(limits.SetAsString("Active"));
    EXPECT_EQ(up.GetInternalValue(), 2000u);
    EXPECT_EQ(down.GetInternalValue(), 7000u);

    // Both ramp times 0 from outside switch the limits off.
    EXPECT_TRUE(up.SetAsString("0"));
    EXPECT_TRUE(limits.GetValue()) << "the other ramp time still limits";
    EXPECT_EQ(drive->GetAcceleration()->GetInternalValue(), 300u) << "a ramp time of 0 leaves its rate";
    EXPECT_TRUE(down.SetAsString("0"));
    EXPECT_FALSE(limits.GetValue());
    EXPECT_FALSE(shown());
}

TEST_F(FenwaDriveLine, TheOverrideInputPicksTheCurrentOperatingMode) {
    Attach();
    const struct {
        const char* mode; // operation mode parameter
        const char* assignment;
        int inputOn;
        const char* expected;
    } cases[] = {
        {"0008", "3000", 3, "Follower"},
        {"0008", "3000", 0, "Preset Velocity"},
        {"0008", "3000", 2, "Preset Velocity"},
        {"0008", "0000", 1, "Preset Velocity"},
        {"0006", "1000", 1, "Analog Velocity Input"},
        {"0006", "1000", 0, "Analog Current Input"},
        {"0001", "1000", 0, "Follower"},
        // "None" is no operating mode: the last one stays.
        {"0002", "1000", 1, "Follower"},
        {"000B", "", 1, "Dual Current Control"},
    };
    for (const auto& c : cases) {
        overrideInput.SetValue(c.assignment);
        SetInputOn(c.inputOn);
        sim.SetParameter(1, 0x000, c.mode);
        drive->GetStatuses()->Refresh(false);
        EXPECT_EQ(drive->GetCurrentOperatingMode()->GetAsString(), c.expected)
            << c.mode << " " << c.assignment << " " << c.inputOn;
    }
    EXPECT_EQ(drive->GetAttribute("In Speed Window"), nullptr);
    EXPECT_NE(drive->GetAttribute("In Position"), nullptr) << "named after the operating mode";
}

TEST_F(FenwaDriveLine, AsksForAResetOncePerBatchOfDualCurrentChanges) {
    Attach();
    ZRAttribute& modes = Param("Operation Modes (Main/Override)");
    ZRIdleController* idle = ZRIdleController::Instance();

    EXPECT_TRUE(modes.SetAsString("Follower/None"));
    EXPECT_FALSE(drive->IsResetPromptPending());
    EXPECT_TRUE(modes.SetAsString("Dual Current Control/None"));
    EXPECT_TRUE(modes.SetAsString("Analog Velocity Input/None"));
    EXPECT_TRUE(drive->IsResetPromptPending());
    {
        ModalScript modals;
        modals.ExpectMessage(kPrompt, IDNO);
        idle->DoIdle();
        idle->DoIdle();
    }
    EXPECT_FALSE(drive->IsResetPromptPending());
    const Strings before = Sent();
    EXPECT_EQ(std::count(before.begin(), before.end(), "HWR"), 0);

    // Yes resets without asking again: stored parameters, "HWR".
    drive->RequestResetPrompt();
    {
        ModalScript modals;
        modals.ExpectMessage(kPrompt, IDYES);
        idle->DoIdle();
    }
    const Strings sent = Sent();
    EXPECT_NE(std::find(sent.begin(), sent.end(), "STR00D00000001"), sent.end());
    EXPECT_NE(std::find(sent.begin(), sent.end(), "HWR"), sent.end());
    EXPECT_EQ(sim.Stores(1), 1);
}

TEST_F(FenwaDriveLine, ResetIsRefusedWhileTheEnableInputIsOn) {
    Attach();
    enableInput.SetValue("0004");
    sim.SetMonitor(1, 0x0F, "000000000008");
    {
        ModalScript modals;
        modals.ExpectMessage("Can't reset drive while Enable input active ", IDOK);
        drive->ResetDrive(true);
    }
    EXPECT_EQ(Sent(), Strings{"MDM0F"}) << "nothing stored, no reset";

    sim.SetMonitor(1, 0x0F, "000000000004");
    {
        ModalScript modals;
        modals.ExpectMessage("Are you sure you want to RESET the Drive?", IDNO);
        drive->ResetDrive(true);
    }
    EXPECT_EQ(Sent(), Strings{"MDM0F"});

    // A short assignment text has no input at character 3.
    enableInput.SetValue("04");
    sim.SetMonitor(1, 0x0F, "FFFFFFFFFFFF");
    drive->ResetDrive(false);
    const Strings sent = Sent();
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(sent[0], "SET00D");
    EXPECT_EQ(sent[1], "STR00D00000001");
    EXPECT_NE(std::find(sent.begin(), sent.end(), "HWR"), sent.end());
}

TEST_F(FenwaDriveLine, SaveParametersSendsTheStoreCommandAndReadsSoftEnable) {
    Attach();
    drive->SaveParameters();
    EXPECT_EQ(Sent(), (Strings{"SET00D", "STR00D00000001", "STR", "STR"}));
    EXPECT_EQ(sim.Stores(1), 1);

    EXPECT_FALSE(device.IsEnabled());
    device.ToggleEnabled();
    EXPECT_TRUE(sim.Enabled(1));
    EXPECT_TRUE(device.IsEnabled());
    EXPECT_TRUE(drive->GetSoftEnabled()->GetValue());
}

} // namespace
