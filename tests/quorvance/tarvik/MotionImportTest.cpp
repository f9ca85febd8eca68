// The preset and follower blocks take their values from an older-family parameter file, through the
// operation-modes block of a drive, with the conversion log's warnings.
#include "support/model/ParFileWriter.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRGearAttribute.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRFollower.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZROperMode.h"
#include "quorvance/tarvik/ZRPreset.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

namespace {

using namespace tarvik;

// 983040 lines make the old velocity unit exactly one count. The motor shows its lines through
// its gear box: 49152 x 20 / 1.
constexpr uint32_t kLines = 49152;

class MotionImport : public testing::Test {
protected:
    MotionImport() : drive(std::make_unique<ZRDrive>(kStandardDriveType)) {
        drive->Init();
        ZRMotorTarvik* motor = drive->GetMotor();
        motor->GetGearBox()->SetValue(true);
        motor->GetGearRatioNumerator()->SetInternalValue(1);
        motor->GetGearRatioDenominator()->SetInternalValue(20);
        motor->GetLinesRevolution()->SetInternalValue(kLines);
        EXPECT_DOUBLE_EQ(motor->GetLinesRevolution()->GetValue(), 983040.0);
        file.model = 0;
        file.records[3] = {1, 1, 0, 0, 0, 0, 0, 0};
    }

    // Writes the file and reads it into the converter.
    void Open() {
        ASSERT_TRUE(converter.OnOpenDocument(file.Write().Save(dir.File("drive.par")))) << converter.GetLog();
    }
    ZRPreset& Preset() { return *drive->GetOperMode()->GetPreset(); }
    ZRFollower& Follower() { return *drive->GetOperMode()->GetFollower(); }

    TempDir dir;
    std::unique_ptr<ZRDrive> drive;
    ParFile file;
    ZROlbraConverter converter;
};

TEST_F(MotionImport, PresetsAreScaledByTheMotorLinesAndHeldInRange) {
    const int64_t velocities[8] = {100, -100, 2147483647, -2147483647 - 1LL, 0, 7, -7, 65536};
    for (int i = 0; i < 8; ++i) {
        file.values[98 + i] = velocities[i];
        file.values[106 + i] = -300 + i;
    }
    file.values[117] = 0;
    file.values[118] = 10;         // 10 x 983040 x 4 / 60 counts
    file.values[119] = 0xFFFFFFFF; // a 32-bit unsigned value far beyond the drive's range
    ASSERT_NO_FATAL_FAILURE(Open());
    Preset().GetPosition(0)->SetInternalValue(55);

    drive->GetOperMode()->ImportParValues(&converter);

    const int32_t expected[8] = {100, -99, 2147483647, -2147483647, 0, 7, -6, 65536};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(Preset().GetPresetVelocity(i)->GetInternalValue(), expected[i]) << i;
        EXPECT_EQ(Preset().GetPresetCurrent(i)->GetInternalValue(), -300 + i) << i;
    }
    EXPECT_EQ(Preset().GetAcceleration()->GetInternalValue(), 655360u);
    EXPECT_EQ(Preset().GetDeceleration()->GetInternalValue(), 2147483647u);
    EXPECT_FALSE(Preset().GetAccelDecelLimits()->GetValue());
    EXPECT_EQ(Preset().GetPosition(0)->GetInternalValue(), 55) << "position presets keep their values";
    EXPECT_EQ(converter.GetLog(),
              "Warning: Preset #2 Velocity value is out of range. Setting to max allowed.\n"
              "Warning: Preset #3 Velocity value is out of range. Setting to min allowed.\n"
              "Warning: Preset deceleration limit value is out of range. Setting to max allowed.\n");
}

TEST_F(MotionImport, FollowerRatioTakesItsSignFromTheFlag) {
    struct Case {
        int16_t follower, master;
        int64_t signFlag;
        const char* ratio;
    } const cases[] = {
        {-4, 3, 1, "3:4"},
        {-4, 3, 0, "3:-4"},
        {4, 3, 0, "3:4"},
        {4, 3, 1, "3:-4"},
        {32767, 32767, 0, "32767:32767"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ratio);
        file.records[3] = {c.follower, c.master, 0, 0, 0, 0, 0, 0};
        file.values[26] = c.signFlag;
        file.values[27] = 100;
        file.values[28] = 1;
        ASSERT_NO_FATAL_FAILURE(Open());
        EXPECT_TRUE(drive->GetOperMode()->ImportParValues(&converter));
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(Follower().GetPreset(i)->GetAsString(), c.ratio) << i;
        EXPECT_EQ(Follower().GetSlewLimit()->GetInternalValue(), 6553600u); // 983040 x 4 x 100 / 60
        EXPECT_EQ(Follower().GetSlewLimitEnable()->GetAsString(), "Active");
        EXPECT_EQ(converter.GetLog(), "");
    }
}

// A ratio the drive could not run (no follower count, no or a negative master count) is not taken.
TEST_F(MotionImport, DamagedRatiosAndHugeSlewLimitsAreRefusedWithAWarning) {
    const std::array<int16_t, 2> ratios[] = {{0, 3}, {5, 0}, {5, -3}, {-32768, 3}};
    for (const auto& r : ratios) {
        SCOPED_TRACE(r[0]);
        ZROlbraConverter fresh;
        file.records[3] = {r[0], r[1], 0, 0, 0, 0, 0, 0};
        file.values[27] = 0xFFFFFFFF;
        ASSERT_TRUE(fresh.OnOpenDocument(file.Write().Save(dir.File("bad.par"))));
        EXPECT_TRUE(Follower().ImportParValues(&fresh));
        EXPECT_FALSE(Follower().GetSlewLimitEnable()->GetValue());
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(Follower().GetPreset(i)->GetAsString(), "1:1");
        EXPECT_EQ(Follower().GetSlewLimit()->GetInternalValue(), 2147483647u);
        EXPECT_EQ(fresh.GetLog(),
                  "Warning: Gear ratio value is out of range. Keeping the preset gear ratios.\n"
                  "Warning: Slew limit value out of range. Setting to max allowed.\n");
    }
}

} // namespace
