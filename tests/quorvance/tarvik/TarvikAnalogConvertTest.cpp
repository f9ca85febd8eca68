// The analog input and output blocks taking their part of an older-family parameter file: the
// values, the limits and the log lines, and a conversion whose divisor is 0.
#include "TarvikBlockFixture.h"
#include "support/model/ParFileWriter.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "quorvance/tarvik/TarvikAnalog.h"
#include "quorvance/tarvik/TarvikAnalogOut.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZROperMode.h"

#include "support/TempDir.h"

namespace {

const std::string kVelocityMax =
    "Warning: Analog Velocity Command Scale value is out of range. Setting to max allowed.\n";
const std::string kVelocityMin =
    "Warning: Analog Velocity Command Scale value is out of range. Setting to min allowed.\n";
const std::string kTorqueMin = "Warning: Analog Torque Command Scale value is out of range. Setting to min allowed.\n";
const std::string kDecelMax = "Warning: Analog Deceleration limit value is out of range. Setting to max allowed.\n";
const std::string kNoOutput2 = "Warning: Cannot configure analog output 2, since it does not exist on the tarvik\n";
const std::string kOutputScaleMin =
    "Warning: Analog Output Scale value is out of range. Setting to min allowed.\n";
const std::string kNoSignal =
    "Warning: Cannot configure analog output, signal is not supported in tarvik; using default\n";

class TarvikAnalogConvert : public TarvikBlockFixture {
protected:
    void SetUp() override {
        TarvikBlockFixture::SetUp();
        drive = std::make_unique<ZRDrive>(tarvik::kStandardDriveType);
        drive->Init();
        analog = drive->GetOperMode()->GetAnalog();
        output = drive->GetAnalogOut();
        ASSERT_NE(analog, nullptr);
        ASSERT_NE(output, nullptr);
    }
    void Motor(double maxSpeed, double intermittent, double lines) {
        ZRMotorTarvik* motor = drive->GetMotor();
        ASSERT_TRUE(motor->GetMaximumSpeed()->SetValue(maxSpeed));
        ASSERT_TRUE(motor->GetIntermittentCurrent()->SetValue(intermittent));
        ASSERT_TRUE(motor->GetLinesRevolution()->SetValue(lines));
        ASSERT_DOUBLE_EQ(motor->GetMaximumSpeed()->GetValue(), maxSpeed);
        ASSERT_DOUBLE_EQ(motor->GetIntermittentCurrent()->GetValue(), intermittent);
    }
    bool Open(const ParFile& file) {
        return converter.OnOpenDocument(file.Write().Save(dir.File("drive.par")));
    }

    TempDir dir;
    ZROlbraConverter converter;
    std::unique_ptr<ZRDrive> drive;
    TarvikAnalog* analog = nullptr;
    TarvikAnalogOut* output = nullptr;
};

TEST_F(TarvikAnalogConvert, AnalogInputTakesEveryValueAndLimitsWhatDoesNotFit) {
    ASSERT_NO_FATAL_FAILURE(Motor(500, 5, 1000));
    ASSERT_LT(5, drive->GetDrivePeakCurrent());
    ParFile file;
    file.values = {{298, 2000}, {297, 150},  {79, -25},  {80, 150},  {81, 40},
                   {82, 256},   {115, 600}, {116, 0xFFFFFFFF}, {114, 1}};
    ASSERT_TRUE(Open(file)) << converter.GetLog();
    EXPECT_TRUE(analog->ImportParValues(&converter));

    EXPECT_EQ(analog->GetPositionScale()->GetInternalValue(), 2000);
    EXPECT_DOUBLE_EQ(analog->GetPositionOffset()->GetValue(), 150);
    EXPECT_DOUBLE_EQ(analog->GetVelocityOffset()->GetValue(), -25);
    // 150 x 1000 / 500 = 300, beyond the drive's 200.
    EXPECT_EQ(analog->GetVelocityScale()->GetInternalValue(), 200);
    EXPECT_DOUBLE_EQ(analog->GetCurrentOffset()->GetValue(), 40);
    // The motor's 5 A is below the drive's rating: 256 x 1000 / trunc(5 x 256) + 0.5.
    EXPECT_EQ(analog->GetCurrentScale()->GetInternalValue(), 200);
    // 600 x 1000 lines x 4 / 60 + 0.5.
    EXPECT_EQ(analog->GetAccelLimit()->GetInternalValue(), 40000u);
    EXPECT_EQ(analog->GetDecelLimit()->GetInternalValue(), 2147483647u);
    EXPECT_TRUE(analog->GetAccelDecelLimits()->GetValue());
    EXPECT_EQ(converter.GetLog(), kVelocityMax + kDecelMax);
}

TEST_F(TarvikAnalogConvert, FormatFiveKeepsThePositionInputAndAZeroDivisorKeepsTheDefault) {
    // No maximum speed and no intermittent current: neither scale has a divisor.
    ASSERT_NO_FATAL_FAILURE(Motor(0, 0, 1000));
    analog->GetPositionScale()->SetInternalValue(1234);
    analog->GetPositionOffset()->SetValue(-7);
    ParFile file;
    file.version = 5;
    file.values = {{298, 2000}, {297, 150}, {80, 150}, {82, 256}, {79, 12}};
    ASSERT_TRUE(Open(file)) << converter.GetLog();
    EXPECT_TRUE(analog->ImportParValues(&converter));
    EXPECT_EQ(analog->GetPositionScale()->GetInternalValue(), 1234);
    EXPECT_DOUBLE_EQ(analog->GetPositionOffset()->GetValue(), -7);
    EXPECT_DOUBLE_EQ(analog->GetVelocityOffset()->GetValue(), 12);
    EXPECT_EQ(analog->GetVelocityScale()->GetInternalValue(), 100);
    EXPECT_EQ(analog->GetCurrentScale()->GetInternalValue(), 100);
    EXPECT_EQ(converter.GetLog(), kVelocityMin + kTorqueMin);
}

TEST_F(TarvikAnalogConvert, VelocityScaleRoundsAndHoldsBothBounds) {
    ASSERT_NO_FATAL_FAILURE(Motor(500, 5, 1000));
    struct Case {
        int64_t old;
        int32_t scale;
        std::string log;
    } const cases[] = {{-150, -200, kVelocityMin}, {-50, -99, ""}, {51, 102, ""}, {99, 198, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.old);
        ZROlbraConverter conv;
        ParFile file;
        file.values = {{80, c.old}, {82, 128}};
        ASSERT_TRUE(conv.OnOpenDocument(file.Write().Save(dir.File("v.par"))));
        analog->ImportParValues(&conv);
        EXPECT_EQ(analog->GetVelocityScale()->GetInternalValue(), c.scale);
        EXPECT_EQ(conv.GetLog(), c.log);
    }
}

TEST_F(TarvikAnalogConvert, AnalogOutputMapsTheOldSignalAndConvertsItsScale) {
    ASSERT_NO_FATAL_FAILURE(Motor(500, 5, 1000));
    struct Case {
        const char* what;
        uint16_t model; // bit 0: an Olbra file
        int64_t code;
        int64_t scale;
        double lines;
        std::string signal;
        double shown;   // the 2-byte scale's display value
        double shown32; // the 4-byte scale's, set for position signals only
        std::string log;
    } const cases[] = {
        {"velocity", 0, 6, 320, 1000, "Velocity Feedback", 600, 0, kNoOutput2},
        {"current", 0, 0, 1280, 1000, "Current Command", 10, 0, kNoOutput2},
        {"position", 0, 9, 5000, 1000, "Position Feedback", 5000, 5000, kNoOutput2},
        {"unknown code", 0, 5, 77, 1000, "Unassigned", 77, 0, kNoSignal + kNoOutput2},
        {"olbra", 1, 7, 1234, 1000, "Velocity Command", 1234, 0, ""},
        // No lines: no velocity conversion, the scale goes back to its default, and the log says so.
        {"no lines", 0, 8, 320, 0, "Velocity Error", 0, 0, kOutputScaleMin + kNoOutput2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(drive->GetMotor()->GetLinesRevolution()->SetValue(c.lines));
        output->GetScale()->SetInternalValue(99);
        output->GetScale32()->SetInternalValue(0);
        ZROlbraConverter conv;
        ParFile file;
        file.model = c.model;
        file.values = {{83, c.code}, {85, -300}, {87, c.scale}};
        ASSERT_TRUE(conv.OnOpenDocument(file.Write().Save(dir.File("out.par"))));
        EXPECT_TRUE(output->ImportParValues(&conv));
        EXPECT_EQ(output->GetSignal()->GetAsString(), c.signal);
        EXPECT_DOUBLE_EQ(output->GetOffset()->GetValue(), -300);
        if (c.model & 1)
            EXPECT_EQ(output->GetScale()->GetInternalValue(), c.scale);
        else
            // A display value goes through the drive's output scale and comes back within its step.
            EXPECT_NEAR(output->GetScale()->GetValue(), c.shown, 0.05);
        EXPECT_NEAR(output->GetScale32()->GetValue(), c.shown32, 0.05);
        EXPECT_EQ(conv.GetLog(), c.log);
    }
}

TEST_F(TarvikAnalogConvert, NoFileConvertsNothing) {
    EXPECT_FALSE(analog->ImportParValues(nullptr));
    EXPECT_FALSE(output->ImportParValues(nullptr));
}

} // namespace
