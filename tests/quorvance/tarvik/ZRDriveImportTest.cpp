// A whole drive from an older-family parameter file: product type, the drive's own settings, the
// warnings of the conversion log and the files the drive refuses.
#include "TarvikBlockFixture.h"
#include "support/model/ParDriveFile.h"

#include "kitbase/model/ZRError.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDeviceNetTarvik.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZRServiceInfo.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace tarvik;

std::vector<std::string> Lines(const std::string& log) {
    std::vector<std::string> lines;
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Whether the lines appear in the log in this order (other lines may come between).
bool InOrder(const std::string& log, const std::vector<std::string>& expected) {
    const std::vector<std::string> lines = Lines(log);
    auto at = lines.begin();
    for (const std::string& line : expected) {
        at = std::find(at, lines.end(), line);
        if (at == lines.end())
            return false;
        ++at;
    }
    return true;
}

// A drive as Init leaves it, for its defaults.
std::unique_ptr<ZRDrive> FreshDrive(int32_t type) {
    auto drive = std::make_unique<ZRDrive>(type);
    drive->Init();
    return drive;
}

const std::vector<std::string> kUnsupportedTail = {
    "- Bemf Constant (Ke)",    "- Torque Scale Value",         "- Torque Scale Text",
    "- Current Feedforward",   "- Disable PWM Switching",      "- Motor Invert Rotation Flag",
    "- Fault actions",         "Warning: Using Tarvik default communication settings.",
};

class DriveImport : public TarvikBlockFixture {
protected:
    // Reads the file and converts it into a fresh drive of the type its model asks for, as the
    // import command does. The motor's lines and current and the drive size are first set as the file
    // gives them, so that the drive's own rules are seen whatever the blocks' conversions do.
    std::unique_ptr<ZRDrive> Convert(const ParFile& file, ZROlbraConverter& converter) {
        EXPECT_TRUE(converter.OnOpenDocument(file.Write().Save(dir.File("drive.par")))) << converter.GetLog();
        auto drive =
            std::make_unique<ZRDrive>(converter.IsIndexingModel() ? kIndexingDriveType : kStandardDriveType);
        drive->Init();
        ZRMotorTarvik* motor = drive->GetMotor();
        motor->GetLinesRevolution()->SetInternalValue(static_cast<uint32_t>(file.values.at(50)));
        motor->GetIntermittentCurrent()->SetInternalValue(static_cast<uint32_t>(file.values.at(52)));
        SelectValue(*drive->GetServiceInfo()->GetDriveSize(), 1);
        drive->ImportParValues(&converter);
        return drive;
    }

    TempDir dir;
};

TEST_F(DriveImport, AWholeFileFillsTheDriveWithItsWarnings) {
    ZROlbraConverter converter;
    const auto drive = Convert(DriveParFile(), converter);

    EXPECT_EQ(drive->GetName().GetValue(), "Axis 7");
    EXPECT_EQ(drive->GetProductType(), 0x0Eu);
    EXPECT_FALSE(drive->HasDeviceNetChild());
    // Both encoders take the same factors and labels.
    for (auto [scale, label] : {std::pair{drive->GetPositionScaleAttribute(), drive->GetPositionLabel()},
                                {drive->GetAuxEncoderPositionScale(), drive->GetAuxEncoderPositionLabel()}}) {
        EXPECT_FLOAT_EQ(scale->GetValue(), 2.0F);
        EXPECT_EQ(label->GetValue(), "mm");
    }
    for (auto [scale, label] : {std::pair{drive->GetVelocityScaleAttribute(), drive->GetVelocityLabel()},
                                {drive->GetAuxEncoderVelocityScale(), drive->GetAuxEncoderVelocityLabel()}}) {
        EXPECT_FLOAT_EQ(scale->GetValue(), 8000.0F / 60.0F);
        EXPECT_EQ(label->GetValue(), "mm/s");
    }
    // The acceleration factor has the velocity's divisor.
    for (auto [scale, label] :
         {std::pair{drive->GetAccelerationScaleAttribute(), drive->GetAccelerationLabel()},
          {drive->GetAuxEncoderAccelerationScale(), drive->GetAuxEncoderAccelerationLabel()}}) {
        EXPECT_FLOAT_EQ(scale->GetValue(), 400.0F);
        EXPECT_EQ(label->GetValue(), "mm/s2");
    }
    EXPECT_EQ(drive->GetDriveAddress()->GetInternalValue(), 253u);
    EXPECT_EQ(drive->GetOperationMode()->GetAsString(), "Preset Current");
    EXPECT_EQ(drive->GetAcceleration()->GetInternalValue(), 4000u);
    EXPECT_EQ(drive->GetMotorForwardDir()->GetAsString(), "Reverse");
    EXPECT_EQ(drive->GetInPositionTime()->GetInternalValue(), 20u) << "0 is below the range: the default stays";
    EXPECT_EQ(drive->GetZeroSpeed()->GetInternalValue(), 2000u);
    EXPECT_EQ(drive->GetSpeedWindow()->GetInternalValue(), 4000u);
    EXPECT_EQ(drive->GetUpToSpeed()->GetInternalValue(), 6000u);
    EXPECT_EQ(drive->GetPositive()->GetInternalValue(), 100u);
    EXPECT_EQ(drive->GetNegative()->GetInternalValue(), 50u);
    EXPECT_EQ(drive->GetOperModeOverride()->GetAsString(), "Preset Velocity");
    EXPECT_EQ(drive->GetBroadcastAddress()->GetInternalValue(), 7u);
    EXPECT_EQ(drive->GetDisplayedUnits()->GetAsString(), "User");
    EXPECT_EQ(drive->GetBaudRate()->GetValue(), FreshDrive(kStandardDriveType)->GetBaudRate()->GetValue());

    const std::string log = converter.GetLog();
    std::vector<std::string> expected = {
        "Warning: Drive address is out of range. Setting to max allowed.",
        "Warning: Forward current limit value is out of range. Setting to max allowed.",
        "Warning! The following parameters are not supported:",
        "- Velocity Update Rate",
        "- Repair History",
    };
    expected.insert(expected.end(), kUnsupportedTail.begin(), kUnsupportedTail.end());
    EXPECT_TRUE(InOrder(log, expected)) << log;
    const std::vector<std::string> lines = Lines(log);
    ASSERT_GE(lines.size(), kUnsupportedTail.size());
    EXPECT_TRUE(std::equal(kUnsupportedTail.begin(), kUnsupportedTail.end(), lines.end() - kUnsupportedTail.size()))
        << log;
}

TEST_F(DriveImport, ProductTypeFollowsTheModelWord) {
    struct Case {
        int version;
        uint16_t model;
        uint32_t productType;
        bool deviceNet;
        int32_t type;
    } const cases[] = {
        {8, 0, 0x0E, false, kStandardDriveType},  {8, 1, 0x0E, false, kStandardDriveType},
        {8, 2, 0x0D, false, kIndexingDriveType},  {8, 3, 0x0D, false, kIndexingDriveType},
        {8, 5, 0x2E, false, kStandardDriveType},  {8, 7, 0x2D, false, kIndexingDriveType},
        {8, 8, 0x1E, true, kStandardDriveType},   {8, 9, 0x1E, true, kStandardDriveType},
        {8, 10, 0x1D, true, kIndexingDriveType},  {8, 11, 0x1D, true, kIndexingDriveType},
        {8, 12, 0x0E, false, kStandardDriveType}, {8, 14, 0x0D, false, kIndexingDriveType},
        {3, 7, 0x0E, false, kStandardDriveType}, // no model word: a standard Calto drive
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "model " << c.model << " version " << c.version);
        ParFile file = DriveParFile();
        file.version = c.version;
        file.model = c.model;
        ZROlbraConverter converter;
        const auto drive = Convert(file, converter);
        EXPECT_EQ(drive->GetClass(), c.type);
        EXPECT_EQ(drive->GetProductType(), c.productType);
        EXPECT_EQ(drive->HasDeviceNetChild(), c.deviceNet);
        const auto& children = drive->GetChildren();
        EXPECT_EQ(std::count(children.begin(), children.end(), drive->GetDeviceNet()), c.deviceNet ? 1 : 0);
        // An Olbra file lists seven unsupported parameters, a Calto file nine.
        const bool olbra = c.version >= 4 && (c.model & 1);
        EXPECT_EQ(InOrder(converter.GetLog(), {"- Velocity Update Rate", "- Repair History"}), !olbra);
    }
}

TEST_F(DriveImport, CaltoSercosFilesAreRefusedBeforeTheDriveChanges) {
    for (uint16_t model : {4, 6}) {
        SCOPED_TRACE(model);
        ParFile file = DriveParFile();
        file.model = model;
        ZROlbraConverter converter;
        ASSERT_TRUE(converter.OnOpenDocument(file.Write().Save(dir.File("sercos.par"))));
        ZRDrive drive(kIndexingDriveType);
        drive.Init();
        const std::string name = drive.GetName().GetValue();
        EXPECT_THROW(drive.ImportParValues(&converter), ZRError);
        EXPECT_EQ(converter.GetLog(), "Error: Calto Sercos is not supported.\n");
        EXPECT_EQ(drive.GetName().GetValue(), name);
        EXPECT_FALSE(drive.IsProductTypeKnown());
    }
}

// The mode pair maps to an option value; a value the drive does not offer keeps the selection.
TEST_F(DriveImport, ModePairsSelectTheirModeOrKeepTheOldOne) {
    struct Case {
        uint16_t model;
        int32_t a, b;
        const char* mode;
    } const cases[] = {
        {0, 0, 0, "Analog Velocity Input"},
        {0, 0, 1, "Analog Current Input"},
        {0, 0, 2, "Preset Velocity"},
        {0, 1, 0, "Preset Velocity"},
        {0, 1, 1, "Preset Current"},
        {0, 1, 9, "Preset Current"},
        {0, 2, 5, "Follower: Auxiliary Encoder"},
        {0, 3, 0, "Follower: Step/Direction"},
        {2, 5, 0, "Indexing"},
        {2, 7, 0, "Preset Position"},
        {0, 5, 0, nullptr}, // no indexing on a standard drive
        {0, 8, 0, nullptr},
        {0, -2, 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << "," << c.b);
        ParFile file = DriveParFile();
        file.model = c.model;
        file.values[96] = file.values[213] = c.a;
        file.values[97] = file.values[214] = c.b;
        ZROlbraConverter converter;
        const std::string before =
            FreshDrive(c.model ? kIndexingDriveType : kStandardDriveType)->GetOperationMode()->GetAsString();
        const auto drive = Convert(file, converter);
        const std::string expected = c.mode ? c.mode : before;
        EXPECT_EQ(drive->GetOperationMode()->GetAsString(), expected);
        EXPECT_EQ(drive->GetOperModeOverride()->GetAsString(), expected);
        const bool warned = converter.GetLog().find("Operation Mode value") != std::string::npos;
        EXPECT_EQ(warned, c.mode == nullptr) << converter.GetLog();
    }
}

TEST_F(DriveImport, OlderFormatsLeaveOverrideAndBroadcastAlone) {
    struct Case {
        int version;
        const char* override;
        uint32_t broadcast;
    } const cases[] = {{5, nullptr, 255}, {6, "Preset Velocity", 255}, {8, "Preset Velocity", 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        ParFile file = DriveParFile();
        file.version = c.version;
        ZROlbraConverter converter;
        const auto drive = Convert(file, converter);
        const std::string defaultOverride = FreshDrive(kStandardDriveType)->GetOperModeOverride()->GetAsString();
        EXPECT_EQ(drive->GetOperModeOverride()->GetAsString(), c.override ? c.override : defaultOverride);
        EXPECT_EQ(drive->GetBroadcastAddress()->GetInternalValue(), c.broadcast);
    }
}

TEST_F(DriveImport, CurrentLimitsAndAddressAreHeldWithinTheirRanges) {
    struct Case {
        int64_t forward, address;
        uint32_t limit, driveAddress;
        const char* warning;
    } const cases[] = {
        {1920, 253, 100, 253, nullptr},
        {1921, 253, 100, 253, "Warning: Forward current limit value is out of range. Setting to max allowed."},
        {960, 253, 50, 253, nullptr},
        {960, 254, 50, 253, "Warning: Drive address is out of range. Setting to max allowed."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.forward << " " << c.address);
        ParFile file = DriveParFile();
        file.values[42] = c.forward;
        file.values[94] = c.address;
        ZROlbraConverter converter;
        const auto drive = Convert(file, converter);
        EXPECT_EQ(drive->GetPositive()->GetInternalValue(), c.limit);
        EXPECT_EQ(drive->GetDriveAddress()->GetInternalValue(), c.driveAddress);
        const std::vector<std::string> lines = Lines(converter.GetLog());
        const long warnings = std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
            return line.find("Forward current") != std::string::npos || line.find("Drive address") != std::string::npos;
        });
        EXPECT_EQ(warnings, c.warning ? 1 : 0) << converter.GetLog();
        if (c.warning) {
            EXPECT_TRUE(InOrder(converter.GetLog(), {c.warning})) << converter.GetLog();
        }
    }
}

// Factors the drive cannot use (no lines, a zero or damaged float, no current base) keep their
// defaults, each with a warning, instead of storing infinity or garbage.
TEST_F(DriveImport, ValuesWithoutAUsableDivisorKeepTheirDefaults) {
    ParFile file = DriveParFile();
    file.values[13] = FloatBits(0.0F);
    file.values[14] = FloatBits(std::numeric_limits<float>::quiet_NaN());
    file.values[50] = 0; // no lines
    file.values[52] = 0; // no intermittent current
    ZROlbraConverter converter;
    const auto drive = Convert(file, converter);
    for (ZRFloatAttribute* factor :
         {drive->GetPositionScaleAttribute(), drive->GetAuxEncoderPositionScale(), drive->GetVelocityScaleAttribute(),
          drive->GetAuxEncoderVelocityScale(), drive->GetAccelerationScaleAttribute(),
          drive->GetAuxEncoderAccelerationScale()}) {
        EXPECT_TRUE(std::isfinite(factor->GetValue()));
        EXPECT_FLOAT_EQ(factor->GetValue(), 1.0F);
    }
    EXPECT_EQ(drive->GetPositive()->GetInternalValue(), 100u);
    EXPECT_EQ(drive->GetNegative()->GetInternalValue(), 100u);
    EXPECT_EQ(drive->GetZeroSpeed()->GetInternalValue(), 0u);
    EXPECT_TRUE(InOrder(converter.GetLog(),
                        {
                            "Warning: Position scale value is out of range. Keeping the default.",
                            "Warning: Velocity scale value is out of range. Keeping the default.",
                            "Warning: Acceleration scale value is out of range. Keeping the default.",
                            "Warning: Forward current limit cannot be converted without a current rating. Keeping "
                            "the default.",
                            "Warning: Reverse current limit cannot be converted without a current rating. Keeping "
                            "the default.",
                        }))
        << converter.GetLog();
}

} // namespace
