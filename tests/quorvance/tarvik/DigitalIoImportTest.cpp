// The digital input and output blocks taking their assignments from an older-family parameter file:
// which file slot lands on which input or output, the codes that change on the way, and the log.
#include "TarvikBlockFixture.h"
#include "support/model/ParFileWriter.h"

#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRLongBitField.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDigInTarvik.h"
#include "quorvance/tarvik/ZRDigOutTarvik.h"
#include "quorvance/tarvik/ZRDrive.h"

#include "support/TempDir.h"

#include <array>

namespace {

constexpr uint16_t kOlbra = 1;
constexpr uint16_t kCalto = 0;
constexpr int32_t kDriveEnable = static_cast<int32_t>(0x80000000);
constexpr int32_t kReady = static_cast<int32_t>(0x80000000);
constexpr int32_t kBrake = 0x40000000;
constexpr int32_t kFaultDisable = 0x2000000;
const std::string kNoReady = "Warning: Failed to assign Ready to an output; Calto has more outputs assigned than "
                             "are available on an tarvik\n";

class DigitalIoImport : public TarvikBlockFixture {
protected:
    // A new drive, as each conversion gets.
    void Fresh() {
        drive = std::make_unique<ZRDrive>(tarvik::kStandardDriveType);
        drive->Init();
        inputs = drive->GetDigIn();
        outputs = drive->GetDigOut();
        ASSERT_NE(inputs, nullptr);
        ASSERT_NE(outputs, nullptr);
    }
    // Opens the converter on a file of the version and model holding the values.
    bool Open(ZROlbraConverter& converter, int version, uint16_t model,
              const std::map<int, int64_t>& values) {
        ParFile file;
        file.version = version;
        file.model = model;
        file.values = values;
        return converter.OnOpenDocument(file.Write().Save(dir.File("drive.par")));
    }
    std::array<int32_t, 8> Inputs() const {
        std::array<int32_t, 8> values{};
        for (int i = 0; i < 8; ++i)
            values[i] = inputs->GetInput(i)->GetValue();
        return values;
    }
    std::array<int32_t, 5> Outputs() const {
        std::array<int32_t, 5> values{};
        for (int k = 0; k < 5; ++k)
            values[k] = outputs->GetOutput(k)->GetValue();
        return values;
    }

    TempDir dir;
    std::unique_ptr<ZRDrive> drive;
    ZRDigInTarvik* inputs = nullptr;
    ZRDigOutTarvik* outputs = nullptr;
};

TEST_F(DigitalIoImport, FileInputsBecomeInputsTwoToSix) {
    const std::string modeSelect = "Warning: Digital input #3: Drive Mode Select setting is not supported, using "
                                   "default.\n";
    struct Case {
        const char* what;
        int version;
        uint16_t model;
        std::map<int, int64_t> values;
        std::array<int32_t, 8> expected;
        std::string log;
    } const cases[] = {
        // Newer Olbra files keep the drive's codes for their inputs 2 to 4; four inputs only.
        {"olbra 8", 8, kOlbra, {{317, 0x20}, {326, 0x100}, {327, 0x2000}, {328, 0x4}, {69, 0x99}},
         {kDriveEnable, 0x200000, 0x100, 0x2000, 0x4, 0, 0, 0}, ""},
        // Older files: the first input is always fault reset, the others move into the high half and
        // the older preset selects and drive mode select are translated.
        {"calto 6", 6, kCalto, {{317, 0x99}, {67, 0x1}, {68, 0x40}, {69, 0x80}, {70, 0x100}},
         {kDriveEnable, 0x40000000, 0, 0x100, 0x200, 0x400, 0, 0}, modeSelect},
        {"olbra 7", 7, kOlbra, {{317, 0x4000}, {67, 0x20}, {68, 0x8}, {69, 0x2}, {70, 0x99}},
         {kDriveEnable, 0x40000000, 0x200000, 0x80000, 0x20000, 0, 0, 0}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ZROlbraConverter converter;
        ASSERT_NO_FATAL_FAILURE(Fresh());
        ASSERT_TRUE(Open(converter, c.version, c.model, c.values)) << converter.GetLog();
        EXPECT_TRUE(inputs->ImportParValues(&converter));
        EXPECT_EQ(Inputs(), c.expected);
        EXPECT_EQ(converter.GetLog(), c.log);
    }
}

TEST_F(DigitalIoImport, OutputsTakeTheFileAndOneOfThemCarriesReady) {
    const std::string faultDisable = "Warning: Output #2 assignment has been changed to Fault Disable.\n";
    struct Case {
        const char* what;
        int version;
        uint16_t model;
        std::map<int, int64_t> values;
        std::array<int32_t, 5> expected;
        std::string log;
    } const cases[] = {
        // Two outputs in an Olbra file; "Output 4" is the ready output.
        {"olbra", 8, kOlbra, {{293, 0x10000}, {294, 0x8000000}, {295, 0x1}, {77, 25}, {78, -40}},
         {0x10000, kFaultDisable, 0, kReady, kBrake}, faultDisable},
        // Older layout; the first free output is made the ready output.
        {"calto 5", 5, kCalto, {{71, 0x20}, {72, 0}, {73, 0x4}, {74, 0x8}, {77, 25}, {78, -40}},
         {0x20, kReady, 0x4, 0x8, kBrake}, ""},
        {"calto full", 8, kCalto, {{293, 0x1}, {294, 0x2}, {295, 0x4}, {296, 0x4000000}, {77, 25}, {78, -40}},
         {0x1, 0x2, 0x4, kFaultDisable, kBrake},
         "Warning: Output #4 assignment has been changed to Fault Disable.\n" + kNoReady},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ZROlbraConverter converter;
        ASSERT_NO_FATAL_FAILURE(Fresh());
        ASSERT_TRUE(Open(converter, c.version, c.model, c.values)) << converter.GetLog();
        EXPECT_TRUE(outputs->ImportParValues(&converter));
        EXPECT_EQ(Outputs(), c.expected);
        EXPECT_EQ(outputs->GetBrakeActiveDelay()->GetInternalValue(), 25);
        EXPECT_EQ(outputs->GetBrakeInactiveDelay()->GetInternalValue(), -40);
        EXPECT_EQ(converter.GetLog(), c.log);
    }
}

} // namespace
