#include "FenwaLine.h"

#include "kitbase/model/ZRUpdate.h"
#include "quorvance/fenwa/FenwaCommand.h"
#include "quorvance/fenwa/FenwaDevice.h"
#include "quorvance/fenwa/FenwaDeviceDrive.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "tests/support/ModalScript.h"
#include "tests/support/model/ReasonRecorder.h"

namespace {

using platform::core::IDOK;
using Strings = std::vector<std::string>;
namespace sym = wiresim::symbol;

// What a drive object gives its device: its servo commands, the save of its parameters (the stored
// "Save Powerup" read and written back) and the soft-enable character of its statuses.
class StandInDrive : public FenwaDeviceDrive {
public:
    explicit StandInDrive(ZRDevice* device) : m_pDevice(device) {
        m_On.SetCommand("SVRON", {}, FenwaStorage::Ack);
        m_Off.SetCommand("SVROF", {}, FenwaStorage::Ack);
    }
    FenwaCommand& GetServoOnCommand() override { return m_On; }
    FenwaCommand& GetServoOffCommand() override { return m_Off; }
    void SaveParameters() override {
        uint32_t value = 0;
        if (!m_pDevice->IsOffLine() &&
            m_pDevice->GetStorage()->ReadUlong(0, 0, fenwa::attr::kSavePowerup, value, 4))
            m_pDevice->GetStorage()->WriteUlong(0, 0, fenwa::attr::kSavePowerup, value, 4);
    }
    bool RefreshSoftEnabled() override {
        std::string statuses;
        return !m_pDevice->IsOffLine() &&
               m_pDevice->GetStorage()->ReadString(0, 0, fenwa::attr::kStatuses, statuses) &&
               statuses.size() > 10 && statuses[10] != '0';
    }

private:
    ZRDevice* m_pDevice;
    FenwaCommand m_On{m_pDevice};
    FenwaCommand m_Off{m_pDevice};
};

class FenwaCommandTest : public FenwaLine {
protected:
    void SetUp() override {
        FenwaLine::SetUp();
        device.SetStorage(storage.get());
        device.SetOffLine(false);
    }
    FenwaDevice device;
    ZRDevice* pDevice = &device;
};

TEST_F(FenwaCommandTest, RunsThroughTheStorageByItsMode) {
    FenwaCommand jog(pDevice);
    jog.SetCommand("JOG", {}, FenwaStorage::Ack);
    EXPECT_EQ(jog.GetService(), 1);
    ReasonRecorder reasons(jog);
    EXPECT_TRUE(jog.ExecuteWithArgument("-", true));
    EXPECT_EQ(Sent(), Strings{"JOG-"});
    EXPECT_EQ(reasons.Count(ZRUpdate::CommandExecuted), 1);

    FenwaCommand reset(pDevice);
    reset.SetCommand("ETC", "0C", FenwaStorage::UntilTok);
    sim.SetBusyPolls(3);
    EXPECT_TRUE(reset.ExecuteWithArgument("+", true));
    EXPECT_EQ(Sent(), (Strings{"ETC0C", "ETC", "ETC", "ETC", "ETC"}));

    FenwaCommand status(pDevice);
    status.SetCommand("STS", {}, FenwaStorage::Response);
    EXPECT_TRUE(status.Execute(false));
    EXPECT_EQ(status.GetReply(), " S00000RDY0");
    EXPECT_EQ(status.GetLastError(), 0);
    EXPECT_TRUE(status.GetLastMessage().empty());
}

TEST_F(FenwaCommandTest, RefusedBeforeAnythingIsSent) {
    FenwaCommand servoOn(pDevice);
    servoOn.SetCommand("SVRON", {}, FenwaStorage::Ack);
    const struct {
        const char* what;
        std::function<void()> arrange;
        bool showErrors;
        const char* message; // also shown when errors are shown
    } cases[] = {
        {"off line, shown", [&] { device.SetOffLine(true); }, true, "The Drive is Offline."},
        {"off line, kept", [&] { device.SetOffLine(true); }, false, "The Drive is Offline."},
        {"firmware without it", [&] { servoOn.SetSupported(false); }, true,
         "The command is not supported by this firmware version."},
        {"no device", [&] { pDevice = nullptr; }, true, ""},
        {"link lost before", [&] { storage->SetBroken(true); }, true, ""},
    };
    for (const auto& c : cases) {
        c.arrange();
        {
            ModalScript modals;
            if (c.showErrors && *c.message)
                modals.ExpectMessage(c.message, IDOK);
            EXPECT_FALSE(servoOn.Execute(c.showErrors)) << c.what;
        }
        EXPECT_EQ(servoOn.GetLastMessage(), c.message) << c.what;
        EXPECT_TRUE(Sent().empty()) << c.what;
        pDevice = &device;
        device.SetOffLine(false);
        servoOn.SetSupported(true);
        storage->SetBroken(false);
    }
}

TEST_F(FenwaCommandTest, DriveRefusalsAreKeptAndShownButDataNotReady) {
    FenwaCommand command(pDevice);
    command.SetCommand("MDM", {}, FenwaStorage::Response);
    sim.MisbehaveStatus(sym::US);
    {
        ModalScript modals;
        modals.ExpectMessage("Command not supported by drive (error #2)", IDOK);
        EXPECT_FALSE(command.ExecuteWithArgument("0B", true));
    }
    EXPECT_EQ(command.GetLastError(), 2);

    // No box for a drive that has no data yet, even with errors shown.
    sim.SetBusyReads(1, 1);
    EXPECT_FALSE(command.ExecuteWithArgument("0B", true));
    EXPECT_EQ(command.GetLastError(), 14);
    EXPECT_EQ(command.GetLastMessage(), "Data not ready (error #14)");

    EXPECT_TRUE(command.ExecuteWithArgument("0B", true));
    EXPECT_EQ(command.GetReply(), "0139");
    EXPECT_EQ(command.GetLastError(), 0);
}

TEST_F(FenwaCommandTest, DeviceEnablesAndSavesThroughItsDrive) {
    // Without its drive the device does nothing.
    EXPECT_FALSE(device.IsEnabled());
    device.ToggleEnabled();
    device.Disable();
    device.SavePowerUpValues();
    EXPECT_TRUE(Sent().empty());

    StandInDrive drive(pDevice);
    device.SetDrive(&drive);
    device.ToggleEnabled();
    EXPECT_EQ(Sent(), (Strings{"STS", "SVRON"}));
    EXPECT_TRUE(sim.Enabled(1));
    EXPECT_TRUE(device.IsEnabled());
    device.ToggleEnabled();
    EXPECT_EQ(Sent(), (Strings{"STS", "STS", "SVROF"}));
    EXPECT_FALSE(sim.Enabled(1));

    device.SavePowerUpValues();
    EXPECT_EQ(Sent(), (Strings{"SET00D", "STR00D00000001", "STR", "STR"}));
    EXPECT_EQ(sim.Stores(1), 1);

    device.SetOffLine(true);
    {
        ModalScript modals;
        modals.ExpectMessage("The Drive is Offline.", IDOK);
        device.ToggleEnabled();
    }
    device.SavePowerUpValues();
    EXPECT_TRUE(Sent().empty());
}

} // namespace
