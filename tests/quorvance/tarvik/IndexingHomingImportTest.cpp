// The indexing table and the homing settings taken from older-family parameter files.
#include "TarvikBlockFixture.h"
#include "support/model/ParFileWriter.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRHoming.h"
#include "quorvance/tarvik/ZRIndexing.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZROlbraConverter.h"
#include "quorvance/tarvik/ZROperMode.h"
#include "support/TempDir.h"

#include <string>

namespace {

class IndexingHomingImport : public TarvikBlockFixture {
protected:
    void SetUp() override {
        TarvikBlockFixture::SetUp();
        drive = std::make_unique<ZRDrive>(tarvik::kIndexingDriveType);
        drive->Init();
        indexing = drive->GetOperMode()->GetIndexing();
        homing = drive->GetOperMode()->GetHoming();
        ASSERT_TRUE(indexing && homing);
        SetLines(1000);
    }
    void TearDown() override {
        drive.reset();
        TarvikBlockFixture::TearDown();
    }

    void SetLines(uint32_t lines) { drive->GetMotor()->GetLinesRevolution()->SetInternalValue(lines); }

    // The file read into a fresh converter, then both blocks convert from it.
    std::string Import(const ParFile& file) {
        converter = std::make_unique<ZROlbraConverter>();
        EXPECT_TRUE(converter->OnOpenDocument(file.Write().Save(dir.File("drive.par")))) << converter->GetLog();
        EXPECT_TRUE(indexing->ImportParValues(converter.get()));
        homing->ImportParValues(converter.get());
        return converter->GetLog();
    }

    TempDir dir;
    std::unique_ptr<ZRDrive> drive;
    std::unique_ptr<ZROlbraConverter> converter;
    ZRIndexing* indexing = nullptr;
    ZRHoming* homing = nullptr;
};

// A file whose eight indexes and homing settings all differ from the defaults.
ParFile Programmed(int version) {
    ParFile file;
    file.version = version;
    file.values[215] = 1; // auto start
    for (int i = 0; i < 8; ++i) {
        file.values[218 + i] = i % 2 ? 3 : 2;            // Jog, Registration
        file.values[227 + i] = -500 - i;                 // distance
        file.values[236 + i] = 10 + i;                   // batch count
        file.values[245 + i] = 20 + i;                   // dwell
        file.values[254 + i] = 300 + i;                  // registration distance
        file.values[263 + i] = 983040 * (i + 1);         // velocity: 1000 counts/s per step at L 1000
        file.values[272 + i] = 150;                      // accel: 10000
        file.values[281 + i] = 300;                      // decel: 20000
        file.values[299 + i] = 2;                        // start next on input
        file.values[308 + i] = i + 1;                    // next index
    }
    file.values[318] = -983040; // homing velocity: -1000
    file.values[319] = 60;      // homing accel: 4000
    file.values[320] = -77;
    file.values[321] = 1234;
    file.values[322] = 3; // To Sensor/Back to Marker
    file.values[323] = 2; // Active
    file.values[324] = 1;
    return file;
}

TEST_F(IndexingHomingImport, AFormatSevenFileSetsTheEightIndexesAndHoming) {
    EXPECT_EQ(Import(Programmed(7)), "");
    EXPECT_TRUE(indexing->GetAutoStartIndexing()->GetValue());
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(indexing->GetMode(i)->GetAsString(), i % 2 ? "Jog" : "Registration");
        EXPECT_EQ(indexing->GetDistance(i)->GetInternalValue(), -500 - i);
        EXPECT_EQ(indexing->GetBatchCount(i)->GetInternalValue(), 10u + i);
        EXPECT_EQ(indexing->GetDwell(i)->GetInternalValue(), 20u + i);
        EXPECT_EQ(indexing->GetRegistrationDistance(i)->GetInternalValue(), 300u + i);
        EXPECT_EQ(indexing->GetVelocity(i)->GetInternalValue(), 1000u * (i + 1));
        EXPECT_EQ(indexing->GetAcceleration(i)->GetInternalValue(), 10000u);
        EXPECT_EQ(indexing->GetDeceleration(i)->GetInternalValue(), 20000u);
        EXPECT_EQ(indexing->GetActionWhenComplete(i)->GetAsString(), "Start next on input");
        EXPECT_EQ(indexing->GetNextIndex(i)->GetInternalValue(), static_cast<uint32_t>(i + 1));
    }
    // The older family had eight indexes.
    EXPECT_EQ(indexing->GetMode(8)->GetAsString(), "Incremental");
    EXPECT_EQ(indexing->GetDistance(8)->GetInternalValue(), 1000);

    // -1000 + 0.5, truncated toward zero.
    EXPECT_EQ(homing->GetHomingVelocity()->GetInternalValue(), -999);
    EXPECT_EQ(homing->GetHomingAccelDecel()->GetInternalValue(), 4000u);
    EXPECT_EQ(homing->GetOffsetMoveDistance()->GetInternalValue(), -77);
    EXPECT_EQ(homing->GetHomePosition()->GetInternalValue(), 1234);
    EXPECT_EQ(homing->GetHomeType()->GetAsString(), "To Sensor/Back to Marker");
    EXPECT_EQ(homing->GetAutoStartHomingOnEnable()->GetAsString(), "Active");
    EXPECT_TRUE(homing->GetHomeSensorBackoff()->GetValue());
    // What the older family did not have keeps its value.
    EXPECT_EQ(homing->GetCreepVelocity()->GetInternalValue(), 10000);
}

TEST_F(IndexingHomingImport, OlderFormatsLeaveOutWhatTheyDoNotCarry) {
    Import(Programmed(6));
    EXPECT_EQ(indexing->GetMode(0)->GetAsString(), "Registration");
    EXPECT_EQ(indexing->GetActionWhenComplete(0)->GetAsString(), "Stop");
    EXPECT_EQ(indexing->GetNextIndex(0)->GetInternalValue(), 0u);
    EXPECT_EQ(homing->GetHomingVelocity()->GetInternalValue(), 100000);
    EXPECT_EQ(homing->GetHomeType()->GetAsString(), "To Sensor/Fwd to Marker");

    drive = std::make_unique<ZRDrive>(tarvik::kIndexingDriveType);
    drive->Init();
    indexing = drive->GetOperMode()->GetIndexing();
    homing = drive->GetOperMode()->GetHoming();
    Import(Programmed(5));
    EXPECT_FALSE(indexing->GetAutoStartIndexing()->GetValue());
    EXPECT_EQ(indexing->GetMode(0)->GetAsString(), "Incremental");
    EXPECT_EQ(indexing->GetVelocity(0)->GetInternalValue(), 100000u);
}

TEST_F(IndexingHomingImport, ValuesOutOfRangeAreHeldAndLogged) {
    ParFile file = Programmed(8);
    file.values[227 + 1] = INT32_MIN;                  // distance
    file.values[254 + 2] = 0xFFFFFFFB;                 // registration distance -5
    // Rates are unsigned: a set top bit is a large value, never a negative one.
    file.values[263 + 4] = 0x80000000u;                // velocity: 2184533.3
    file.values[272 + 4] = 0x80000000u;                // accel
    file.values[272 + 5] = 2147483647;                 // accel
    file.values[281 + 6] = 2147483647;                 // decel
    file.values[319] = 0xFFFFFFFFu;                    // homing accel
    EXPECT_EQ(Import(file),
              "Warning: Index #1 distance value out of range. Setting to min allowed.\n"
              "Warning: Index #2 Registration Distance value out of range. Setting to min allowed.\n"
              "Warning: Index #4 Acceleration value out of range. Setting to max allowed.\n"
              "Warning: Index #5 Acceleration value out of range. Setting to max allowed.\n"
              "Warning: Index #6 Deceleration value out of range. Setting to max allowed.\n"
              "Warning: Homing acceleration value out of range. Setting to max allowed.\n");
    EXPECT_EQ(indexing->GetDistance(1)->GetInternalValue(), -2147483647);
    EXPECT_EQ(indexing->GetRegistrationDistance(2)->GetInternalValue(), 0u);
    EXPECT_EQ(indexing->GetVelocity(4)->GetInternalValue(), 2184533u);
    EXPECT_EQ(indexing->GetAcceleration(4)->GetInternalValue(), 2147483647u);
    EXPECT_EQ(indexing->GetAcceleration(5)->GetInternalValue(), 2147483647u);
    EXPECT_EQ(indexing->GetDeceleration(6)->GetInternalValue(), 2147483647u);
    EXPECT_EQ(homing->GetHomingAccelDecel()->GetInternalValue(), 2147483647u);
}

TEST_F(IndexingHomingImport, AStoredChoiceNoOptionHasKeepsTheSelection) {
    ParFile file = Programmed(7);
    file.values[218] = 9;  // mode
    file.values[299] = 7;  // action
    file.values[322] = 6;  // home type
    file.values[323] = 5;  // auto start homing
    EXPECT_EQ(Import(file), "Warning: Mode value 9 is not an option. Kept Incremental.\n"
                            "Warning: Action When Complete value 7 is not an option. Kept Stop.\n"
                            "Warning: Auto Start Homing on Enable value 5 is not an option. Kept Inactive.\n"
                            "Warning: Home Type value 6 is not an option. Kept To Sensor/Fwd to Marker.\n");
    EXPECT_EQ(indexing->GetMode(0)->GetAsString(), "Incremental");
    EXPECT_EQ(indexing->GetMode(1)->GetAsString(), "Jog");
}

} // namespace
