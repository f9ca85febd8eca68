// The encoder output settings taken from older-family parameter files.
#include "TarvikBlockFixture.h"
#include "support/model/ParFileWriter.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZREncodersTarvik.h"
#include "quorvance/tarvik/ZROlbraConverter.h"
#include "support/TempDir.h"

#include <string>

namespace {

using EncodersImport = TarvikBlockFixture;

TEST_F(EncodersImport, TheOlderOutputSettingChoosesTheDividerAndAlwaysGatesTheMarkerAt4MHz) {
    // The setting: off, a divider of 2, 4 or 8, or a value beyond those.
    struct Case {
        int setting;
        const char* signal;
        uint32_t divider;
    };
    const Case cases[] = {
        {0, "Buffered", 7}, {1, "Divided", 2}, {2, "Divided", 4}, {3, "Divided", 8}, {5, "Divided", 7},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting);
        ZRDrive drive(tarvik::kStandardDriveType);
        drive.Init();
        ZREncodersTarvik* encoders = drive.GetEncoders();
        ASSERT_NE(encoders, nullptr);
        // A divider the file cannot give, so that an untouched one shows.
        ASSERT_TRUE(encoders->GetDivider()->SetInternalValue(7));

        ParFile file;
        file.values[95] = c.setting;
        ZROlbraConverter converter;
        ASSERT_TRUE(converter.OnOpenDocument(file.Write().Save(dir.File("drive.par")))) << converter.GetLog();
        const std::string logBefore = converter.GetLog();
        EXPECT_TRUE(encoders->ImportParValues(&converter));

        EXPECT_EQ(encoders->GetOutputSignal()->GetAsString(), c.signal);
        EXPECT_EQ(encoders->GetDivider()->GetInternalValue(), c.divider);
        EXPECT_TRUE(encoders->GetMarkerOutputGating()->GetValue());
        EXPECT_EQ(encoders->GetMaximumOutputFrequency()->GetAsString(), "4 MHz");
        // The rules follow the converted choice as they follow the user's.
        EXPECT_EQ(encoders->GetDivider()->GetEnabled(), c.setting != 0);
        EXPECT_EQ(converter.GetLog(), logBefore);
    }
}

} // namespace
