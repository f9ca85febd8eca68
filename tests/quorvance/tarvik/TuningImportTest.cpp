// The tuning block takes its gains and step settings from an older-family parameter file: stored
// and shown values, the step current against the drive's and the motor's peak currents, the manual
// velocity step in motor counts, and the warnings of the conversion log.
#include "support/model/ParFileWriter.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZRServiceInfo.h"
#include "quorvance/tarvik/ZRTuning.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

namespace {

using namespace tarvik;

// The slot of the value with that index in the old file's value table.
constexpr int Old(int index) {
    return index + 7;
}

// A standard drive rated 15 A peak with the default motor (20 A intermittent, 2000 lines).
class TuningImport : public testing::Test {
protected:
    TuningImport() : drive(std::make_unique<ZRDrive>(kStandardDriveType)) {
        drive->Init();
        EXPECT_TRUE(SelectValue(*drive->GetServiceInfo()->GetDriveSize(), 1));
        EXPECT_DOUBLE_EQ(drive->GetDrivePeakCurrent(), 15.0);
        EXPECT_DOUBLE_EQ(Motor().GetIntermittentCurrent()->GetValue(), 20.0);
        file.records[3] = {1, 1, 0, 0, 0, 0, 0, 0};
    }

    ZRMotorTarvik& Motor() { return *drive->GetMotor(); }
    ZRTuning& Tuning() { return *drive->GetTuning(); }
    bool Import() {
        ZROlbraConverter converter;
        EXPECT_TRUE(converter.OnOpenDocument(file.Write().Save(dir.File("drive.par")))) << converter.GetLog();
        const bool result = Tuning().ImportParValues(&converter);
        log = converter.GetLog();
        return result;
    }

    TempDir dir;
    std::unique_ptr<ZRDrive> drive;
    ParFile file;
    std::string log;
};

TEST_F(TuningImport, GainsAreTakenStoredOrShownAsTheFileHoldsThem) {
    const std::pair<int, int64_t> values[] = {
        {10, 640}, {11, 12}, {12, 300}, {13, 150}, {14, 2500}, {22, 410}, {23, 77}, {24, -40},
        {30, 500}, {33, 0}, {38, 100}, {39, 200}, {40, 300}, {41, 400}, {42, 500},
        {116, 123456}, {117, 250}, {118, 900}, {119, 750}, {121, 2},
    };
    for (const auto& [index, value] : values)
        file.values[Old(index)] = value;
    EXPECT_TRUE(Import());

    ZRTuning& t = Tuning();
    // Stored as they are: the position gains show in 1/128, the current gains in 1/256.
    EXPECT_EQ(t.GetKp()->GetAsString(), "5.00");
    EXPECT_EQ(t.GetKi()->GetInternalValue(), 12u);
    EXPECT_EQ(t.GetKd()->GetInternalValue(), 300u);
    const std::pair<ZRUlongAttribute*, uint32_t> current[] = {
        {t.GetKpd(), 100}, {t.GetKpq(), 200}, {t.GetKiq(), 300}, {t.GetKid(), 400}, {t.GetKe(), 500}};
    for (const auto& [gain, stored] : current)
        EXPECT_EQ(gain->GetInternalValue(), stored) << gain->GetName();
    // Set as shown values.
    EXPECT_EQ(t.GetKvff()->GetInternalValue(), 150u);
    EXPECT_EQ(t.GetKiZone()->GetInternalValue(), 2500u);
    EXPECT_EQ(t.GetP()->GetInternalValue(), 410u);
    EXPECT_EQ(t.GetI()->GetInternalValue(), 77u);
    EXPECT_EQ(t.GetD()->GetInternalValue(), -40);
    EXPECT_EQ(t.GetBandwidth()->GetInternalValue(), 500u);
    EXPECT_EQ(t.GetEnable()->GetAsString(), "Disabled");
    EXPECT_EQ(t.GetMaximumDistance()->GetInternalValue(), 123456u);
    EXPECT_EQ(t.GetPositionStepTime()->GetInternalValue(), 250u);
    EXPECT_EQ(t.GetDistance()->GetInternalValue(), 900u);
    EXPECT_EQ(t.GetVelocityStepTime()->GetInternalValue(), 750u);
    EXPECT_EQ(t.GetMotorDirection()->GetAsString(), "Reverse Only");
}

TEST_F(TuningImport, DirectionNoOptionHasIsKeptAndTheConversionAnswersFalse) {
    file.values[Old(121)] = 7;
    EXPECT_FALSE(Import());
    EXPECT_EQ(Tuning().GetMotorDirection()->GetAsString(), "Bi-Directional");
    EXPECT_NE(log.find("Motor Direction value 7 is not an option"), std::string::npos) << log;
}

TEST_F(TuningImport, StepCurrentIsAShareOfTheSmallerPeakCurrent) {
    const std::string warning = "Warning: Autotune Current value is out of range. Setting to ";
    struct Case {
        const char* name;
        uint32_t motorCurrent; // stored, 1/128 A
        int64_t oldCurrent;
        uint32_t percent;
        std::string log;
    } const cases[] = {
        // 960 x 100 / (15 x 128)
        {"drive smaller", 2560, 960, 50, ""},
        // 960 x 100 / (10 x 128) = 75
        {"motor smaller", 1280, 960, 75, ""},
        {"rounded to the nearest", 2560, 1910, 99, ""},
        {"nothing asked", 2560, 0, 1, warning + "min allowed.\n"},
        // A motor without a current rating: no share to take, the block keeps its default.
        {"motor without current", 0, 960, 10, warning + "default.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Motor().GetIntermittentCurrent()->SetInternalValue(c.motorCurrent);
        Tuning().GetStepCurrent()->SetInternalValue(33);
        file.values[Old(115)] = c.oldCurrent;
        file.values[Old(120)] = 3932160;
        Import();
        EXPECT_EQ(Tuning().GetStepCurrent()->GetInternalValue(), c.percent);
        EXPECT_EQ(log, c.log);
    }
}

TEST_F(TuningImport, ManualVelocityStepIsCountedInMotorLinesAndHeldInRange) {
    const std::string warning = "Warning: Manual Velocity Tuning Step Size value is out of range. Setting to ";
    struct Case {
        uint32_t lines;
        bool geared; // 1:20, so that the motor shows 20 times its lines
        int64_t oldVelocity;
        uint32_t velocity;
        std::string log;
    } const cases[] = {
        // 3932160 x 2000 x 4 / 3932160
        {2000, false, 3932160, 8000, ""},
        // 2.5004 and 2.4984 counts: a half count rounds up
        {2000, false, 1229, 3, ""},
        {2000, false, 1228, 2, ""},
        // 0.7 counts with the half added is still below one
        {2000, false, 100, 1, warning + "min allowed.\n"},
        {2000, false, -3932160, 1, warning + "min allowed.\n"},
        {0, false, 3932160, 1, warning + "min allowed.\n"},
        // 983040 lines make the old unit one count
        {49152, true, 2147483646, 2147483646, ""},
        {49152, true, 2147483647, 2147483647, warning + "max allowed.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.oldVelocity);
        Motor().GetGearBox()->SetValue(c.geared);
        Motor().GetGearRatioNumerator()->SetInternalValue(1);
        Motor().GetGearRatioDenominator()->SetInternalValue(20);
        Motor().GetLinesRevolution()->SetInternalValue(c.lines);
        file.values[Old(115)] = 960;
        file.values[Old(120)] = c.oldVelocity;
        Import();
        EXPECT_EQ(Tuning().GetVelocity()->GetInternalValue(), c.velocity);
        EXPECT_EQ(log, c.log);
    }
}

} // namespace
