#include "quorvance/tarvik/ZRNoxelDevice.h"

#include "TarvikLine.h"

#include "tests/support/ModalScript.h"

namespace {

using platform::core::IDCANCEL;
using platform::core::IDOK;

class ZRNoxelDeviceTest : public ::testing::Test, public TarvikLine {
protected:
    void SetUp() override { OpenLine(); }
    void TearDown() override { CloseLine(); }

    // The texts of the enable-state services the drive ran.
    std::vector<std::string> EnableRequests() {
        std::vector<std::string> texts;
        for (const std::string& line : sim.Requests())
            if (line.compare(3, 4, "06B1") == 0)
                texts.push_back(line.substr(3, line.size() - 6));
        return texts;
    }
};

TEST_F(ZRNoxelDeviceTest, ToggleEnablesADisabledDriveAndDisablesAnEnabledOne) {
    EXPECT_FALSE(device.IsEnabled());
    device.ToggleEnabled();
    EXPECT_TRUE(device.IsEnabled());
    EXPECT_EQ(sim.Value(1, 107), 1u);
    device.ToggleEnabled();
    EXPECT_FALSE(device.IsEnabled());
    // A state other than 1 is not enabled: toggling enables.
    sim.SetValue(1, 107, 0, 2);
    EXPECT_FALSE(device.IsEnabled());
    device.ToggleEnabled();
    EXPECT_EQ(EnableRequests(), (std::vector<std::string>{"06B101", "06B100", "06B101"}));
}

TEST_F(ZRNoxelDeviceTest, EnableSequenceTellsWhatStandsInTheWay) {
    {
        // The input is not active: the request still goes, the drive waits for the input.
        sim.SetValue(1, 186, 0, 0);
        ModalScript modals;
        modals.ExpectMessage(
            "The Enable input is not active.  The drive will enable when the enable input is set active.",
            IDOK);
        device.EnableDrive();
        EXPECT_EQ(EnableRequests(), std::vector<std::string>{"06B101"});
        EXPECT_EQ(sim.Value(1, 107), 0u);
    }
    {
        sim.SetValue(1, 186, 0, 0x80000000u);
        sim.Refuse(1, 6, 1, 107);
        ModalScript modals;
        modals.ExpectMessage("Command disabled when drive is enabled. (error #11)", IDOK);
        device.EnableDrive();
    }
    {
        sim.Refuse(1, 1, 1, 186);
        ModalScript modals;
        modals.ExpectMessage("Unable to determine drive enable status. Enable failed.", IDOK);
        device.EnableDrive();
    }
    {
        sim.Refuse(1, 2, 1, 107);
        ModalScript modals;
        modals.ExpectMessage("Command Not Available, Invalid Drive State. (error #8)", IDOK);
        device.Disable();
    }
    EXPECT_EQ(EnableRequests().size(), 3u);
}

TEST_F(ZRNoxelDeviceTest, OffLineTheDriveIsNotTouched) {
    device.SetOffLine(true);
    {
        ModalScript modals;
        modals.ExpectMessage("The Drive is Offline.", IDOK);
        device.ToggleEnabled();
    }
    device.Disable();
    EXPECT_FALSE(device.IsEnabled());
    EXPECT_TRUE(sim.Requests().empty());
}

TEST_F(ZRNoxelDeviceTest, ABrokenStorageStopsTheSequenceAndCountsAsDisabled) {
    sim.PullCable();
    {
        ModalScript modals;
        modals.ExpectMessage("Communications have been lost with the drive, Retry?", IDCANCEL);
        modals.ExpectMessage("Communications have been lost with node 1", IDOK);
        modals.ExpectMessage("Problem with Enable function.", IDOK);
        device.EnableDrive();
    }
    sim.PlugCable();
    EXPECT_FALSE(device.IsEnabled());
    {
        ModalScript modals;
        modals.ExpectMessage("Problem with Disable function.", IDOK);
        device.Disable();
    }
    EXPECT_TRUE(EnableRequests().empty());
}

} // namespace
