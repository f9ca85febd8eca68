// "Copy to Offline and Save" of a drive found on a pseudo-terminal: the project gets an equal
// off-line drive and is saved with it.
#include "quorvance/DriveValues.h"
#include "quorvance/shell/FrameFixture.h"

#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRIdleController.h"
#include "quorvance/online/ZROnLine.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "quorvance/tarvik/ZRFollower.h"
#include "quorvance/tarvik/ZROperMode.h"
#include "quorvance/tarvik/ZRPreset.h"
#include "quorvance/tarvik/TarvikAnalog.h"
#include "kitbase/model/ZRGearAttribute.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "tests/support/wire/TarvikDriveSim.h"

using platform::core::IDOK;
using platform::core::ModalKind;
using wiresim::Started;
using wiresim::TarvikDriveSim;

namespace {

class CopyToOfflineRoad : public FrameFixture {
protected:
    // Scans node 1 of the line, one idle tick at a time, as the program's idle loop does.
    ZRDrive* ScanNodeOne(TarvikDriveSim& line) {
        ZROnLine* online = App().GetOnLine();
        online->SetLinkSettingsSource([path = line.Path()] {
            ZRLinkSettings link;
            link.port = path;
            return link;
        });
        ZRScanSettings& scan = online->GetScanSettings();
        scan.scanFenwa = scan.scanZelna = scan.scanMerrix = 0;
        scan.tarvikFrom = scan.tarvikTo = 1;
        online->Refresh();
        for (int tick = 0; tick < 10 && online->IsScanning(); ++tick)
            ZRIdleController::Instance()->DoIdle();
        return dynamic_cast<ZRDrive*>(online->FindDrive(1));
    }
    // What a copy carries: the settings of the drive and its blocks. Readings stay with the drive,
    // the two live commands exist on line only, and of the service block only the model and size
    // are copied (its calibration belongs to the unit it was measured on).
    static DriveValues CopiedValuesOf(ZRDrive& drive) {
        DriveValues values = ValuesOf(drive, Which::Properties);
        const std::string name = drive.GetName().GetValue();
        const std::string service = name + "/ServiceInfo/";
        auto startsWith = [](const std::string& key, const std::string& head) {
            return key.rfind(head, 0) == 0;
        };
        std::erase_if(values, [&](const auto& entry) {
            const std::string& key = entry.first;
            if (startsWith(key, name + "/Velocity Command#") || startsWith(key, name + "/Current Command#"))
                return true;
            return startsWith(key, service) && !startsWith(key, service + "Drive Size#") &&
                   !startsWith(key, service + "Drive Model#");
        });
        return values;
    }
    ZRDrive* OnlyOffLineDrive() { return dynamic_cast<ZRDrive*>(OnlyOffLineChild()); }
};

} // namespace

TEST_F(CopyToOfflineRoad, GivesAnEqualOffLineDriveInASavedProject) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    // A name and a value only the drive holds.
    line.SetText(1, 6, "Axis 7");
    line.SetValue(1, tarvik::param::kZeroSpeed, 0, 1234);
    ASSERT_NO_FATAL_FAILURE(StartFrame(false, true));
    ASSERT_FALSE(App().IsDatabaseOpen());

    ZRDrive* drive = nullptr;
    {
        ModalScript script;
        ExpectDriveAdded(script, "Axis 7");
        drive = ScanNodeOne(line);
    }
    ASSERT_NE(drive, nullptr);
    ASSERT_FALSE(drive->GetDevice()->IsOffLine());
    const DriveValues online = CopiedValuesOf(*drive);
    const std::string zeroSpeed =
        "Axis 7/Zero Speed#" + std::to_string(drive->GetZeroSpeed()->GetAttribute());
    ASSERT_EQ(online.count(zeroSpeed), 1u);
    EXPECT_EQ(drive->GetZeroSpeed()->GetInternalValue(), 1234u);
    auto* node = dynamic_cast<ZRDriveNodeMgr*>(NodeUnder(App().GetOnLineItem(), drive));
    ASSERT_NE(node, nullptr);

    // No project yet: the copy makes one, and the save asks where it goes.
    const std::string project = WorkFile("copied.qdb");
    {
        ModalScript script;
        ExpectDriveAdded(script, "Axis 7");
        script.ExpectFile(ModalKind::SaveFile, WorkFile("copied"), IDOK);
        ASSERT_TRUE(node->OnCommand(ID_COPY_TO_OFFLINE));
    }
    ASSERT_TRUE(App().IsDatabaseOpen());
    ZRDrive* copy = OnlyOffLineDrive();
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, drive);
    EXPECT_TRUE(copy->GetDevice()->IsOffLine());
    EXPECT_EQ(copy->GetClass(), drive->GetClass());
    EXPECT_EQ(copy->GetProductType(), drive->GetProductType());
    EXPECT_TRUE(SameValues(online, CopiedValuesOf(*copy)));

    // Saved: the file reopens with the same drive.
    ASSERT_TRUE(App().CloseDatabase());
    {
        ModalScript script;
        script.ExpectFile(ModalKind::OpenFile, project, IDOK);
        ExpectDriveAdded(script, "Axis 7");
        App().OpenDatabase();
    }
    ZRDrive* reopened = OnlyOffLineDrive();
    ASSERT_NE(reopened, nullptr);
    EXPECT_TRUE(SameValues(online, CopiedValuesOf(*reopened)));
}

// Presets, follower gear ratios and analog offsets edited on line go to the drive as they are
// entered, and the saved copy holds them.
TEST_F(CopyToOfflineRoad, MotionSettingsEditedOnLineReachTheDriveAndTheSavedProject) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    line.SetText(1, 6, "Axis 3");
    ASSERT_NO_FATAL_FAILURE(StartFrame(false, true));
    ZRDrive* drive = nullptr;
    {
        ModalScript script;
        ExpectDriveAdded(script, "Axis 3");
        drive = ScanNodeOne(line);
    }
    ASSERT_NE(drive, nullptr);
    ZROperMode* modes = drive->GetOperMode();
    ASSERT_NE(modes, nullptr);

    // As the grid enters a value: checked first, then set.
    auto enter = [](ZRAttribute& attribute, const std::string& text) {
        return attribute.Validate(text) && attribute.SetAsString(text);
    };
    ZRLongAttribute& velocity = *modes->GetPreset()->GetPresetVelocity(2);
    ZRLongAttribute& current = *modes->GetPreset()->GetPresetCurrent(5);
    ZRGearAttribute& gear = *modes->GetFollower()->GetPreset(1);
    ZRLongAttribute& offset = *modes->GetAnalog()->GetVelocityOffset();
    ASSERT_TRUE(enter(velocity, "-2500"));
    ASSERT_TRUE(enter(current, "2.5"));
    ASSERT_TRUE(enter(gear, "3:-2"));
    ASSERT_TRUE(enter(offset, "-42"));
    // The drive holds the internal values the display units stand for.
    ASSERT_LT(velocity.GetInternalValue(), 0);
    EXPECT_EQ(static_cast<int32_t>(line.Value(1, 91, 2)), velocity.GetInternalValue());
    ASSERT_NE(current.GetInternalValue(), 0);
    EXPECT_EQ(line.Value(1, 92, 5) & 0xFFFF, static_cast<uint32_t>(current.GetInternalValue()) & 0xFFFF);
    EXPECT_EQ(line.Value(1, 27, 1), 3u);                // master
    EXPECT_EQ(line.Value(1, 26, 1) & 0xFFFF, 0xFFFEu); // follower -2 in 16 bits
    ASSERT_LT(offset.GetInternalValue(), 0);
    EXPECT_EQ(line.Value(1, 71, 0) & 0xFFFF, static_cast<uint32_t>(offset.GetInternalValue()) & 0xFFFF);

    // A follower of 0 is refused with its reason; nothing reaches the drive.
    {
        ModalScript script;
        script.ExpectMessage("Follower cannot be zero", IDOK);
        EXPECT_FALSE(enter(gear, "5:0"));
    }
    EXPECT_EQ(gear.GetAsString(), "3:-2");
    EXPECT_EQ(line.Value(1, 27, 1), 3u);

    auto* node = dynamic_cast<ZRDriveNodeMgr*>(NodeUnder(App().GetOnLineItem(), drive));
    ASSERT_NE(node, nullptr);
    const std::string project = WorkFile("motion.qdb");
    {
        ModalScript script;
        ExpectDriveAdded(script, "Axis 3");
        script.ExpectFile(ModalKind::SaveFile, WorkFile("motion"), IDOK);
        ASSERT_TRUE(node->OnCommand(ID_COPY_TO_OFFLINE));
    }
    ASSERT_TRUE(App().CloseDatabase());
    {
        ModalScript script;
        script.ExpectFile(ModalKind::OpenFile, project, IDOK);
        ExpectDriveAdded(script, "Axis 3");
        App().OpenDatabase();
    }
    ZRDrive* reopened = OnlyOffLineDrive();
    ASSERT_NE(reopened, nullptr);
    ZROperMode* saved = reopened->GetOperMode();
    auto shown = [](ZRAttribute& attribute) {
        attribute.Refresh(false);
        return attribute.GetAsString();
    };
    EXPECT_EQ(shown(*saved->GetPreset()->GetPresetVelocity(2)), velocity.GetAsString());
    EXPECT_EQ(shown(*saved->GetPreset()->GetPresetCurrent(5)), current.GetAsString());
    EXPECT_EQ(shown(*saved->GetFollower()->GetPreset(1)), "3:-2");
    EXPECT_EQ(shown(*saved->GetAnalog()->GetVelocityOffset()), offset.GetAsString());
}
