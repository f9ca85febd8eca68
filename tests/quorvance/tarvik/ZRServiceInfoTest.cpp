// Service information: the drive-size reaction of off-line drives and what a paste takes over.
#include "StandInDrive.h"

#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "quorvance/tarvik/ZRServiceInfo.h"
#include "quorvance/tarvik/ZRTimeFormat.h"

#include "support/ModalScript.h"
#include "support/model/FakeStorage.h"
#include "support/model/TestDevice.h"

#include <gtest/gtest.h>

namespace {

using platform::core::IDOK;

const char* const kSizeWarning = "Changing the drive size may have affected the:\n"
                                 " -> Analog Mode Current Command Scale\n"
                                 " -> Current Limits\n"
                                 "You should verify that these parameters still have appropriate values.";

class ZRServiceInfoTest : public testing::Test {
protected:
    ZRServiceInfoTest() : info(InitBlockUnder<ZRServiceInfo>(&drive)) {
        info->WatchDriveSize();
        info->WatchDriveSize(); // once is enough, however often asked
        drive.productType->SetInternalValue(0x1E);
    }

    void Place(ZRServiceInfo& block, bool offLine) {
        device.SetOffLine(offLine);
        block.DoSetDevice(&device);
        block.SetInstance(1);
    }

    FakeStorage storage;
    TestDevice device{&storage, true};
    StandInDrive drive;
    std::unique_ptr<ZRServiceInfo> info;
};

TEST_F(ZRServiceInfoTest, AnOffLineSizeChangeRewritesProductTypeAndModelAndWarns) {
    Place(*info, true);
    ModalScript script;
    script.ExpectMessage(kSizeWarning, IDOK);
    ASSERT_TRUE(info->GetDriveSize()->SetAsString("15"));
    EXPECT_EQ(drive.productType->GetInternalValue(), 0x0500001Eu);
    EXPECT_EQ(info->GetDriveModel()->GetValue(), ZRServiceInfo::MakeDriveModel(5, 0x1E));
}

TEST_F(ZRServiceInfoTest, AnOnLineSizeChangeWritesOnlyTheSize) {
    Place(*info, false);
    ASSERT_TRUE(info->GetDriveSize()->SetAsString("3"));
    EXPECT_EQ(drive.productType->GetInternalValue(), 0x1Eu);
    EXPECT_EQ(info->GetDriveModel()->GetValue(), "");
}

TEST(ZRServiceInfoModel, TheModelTextIsPrefixSizeAndOptionsInOrder) {
    const std::string plain = ZRServiceInfo::MakeDriveModel(1, 0);
    EXPECT_FALSE(plain.empty());
    // Each option code is appended in turn; an unknown size leaves its code out.
    const std::string indexing = ZRServiceInfo::MakeDriveModel(1, 0x01);
    const std::string all = ZRServiceInfo::MakeDriveModel(1, 0x31);
    EXPECT_EQ(indexing.rfind(plain, 0), 0u);
    EXPECT_EQ(all.rfind(indexing, 0), 0u);
    EXPECT_GT(all.size(), indexing.size());
    EXPECT_LT(ZRServiceInfo::MakeDriveModel(11, 0).size(), plain.size());
    EXPECT_NE(ZRServiceInfo::MakeDriveModel(0, 0), ZRServiceInfo::MakeDriveModel(6, 0));
}

TEST_F(ZRServiceInfoTest, APasteTakesOnlySizeAndModelAndNothingOnLine) {
    ZRServiceInfo source;
    source.Init();
    source.GetDriveSize()->SetAsString("7.5");
    source.GetDriveModel()->SetValue("FROM-SOURCE");
    source.GetPICSNumber()->SetValue("P-1");

    Place(*info, false);
    info->Copy(&source, true);
    EXPECT_EQ(info->GetDriveSize()->GetAsString(), "0.5");
    EXPECT_EQ(info->GetDriveModel()->GetValue(), "");

    Place(*info, true);
    {
        ModalScript script;
        script.ExpectMessage(kSizeWarning, IDOK);
        info->Copy(&source, true);
    }
    EXPECT_EQ(info->GetDriveSize()->GetAsString(), "7.5");
    EXPECT_EQ(info->GetDriveModel()->GetValue(), "FROM-SOURCE");
    EXPECT_EQ(info->GetPICSNumber()->GetValue(), "");
}

TEST(ZRTimeFormatTest, ShowsWholeSecondsAsMinutesOrHours) {
    struct Case {
        int mode;
        double seconds;
        const char* text;
    };
    const Case cases[] = {
        {1, 3600 + 120 + 5.9, "1:02:05"}, {0, 3600 + 120 + 5.9, "62:05"}, {0, 0, "0:00"},
        {1, 4294967295.0, "1193046:28:15"}, {0, -5, "0:00"}, {2, 100, "unchanged"},
    };
    for (const Case& c : cases) {
        ZRTimeFormat format(c.mode);
        std::string text = "unchanged";
        format.Format(text, c.seconds);
        EXPECT_EQ(text, c.text) << c.mode << " " << c.seconds;
    }
    double value = 7;
    EXPECT_FALSE(ZRTimeFormat(0).Unformat("1:00", value));
    EXPECT_EQ(value, 7);
}

TEST_F(ZRServiceInfoTest, TimeInServiceCountsTenMinuteUnitsAsHoursAndMinutes) {
    info->GetTimeInService()->SetInternalValue(37);
    EXPECT_EQ(info->GetTimeInService()->GetAsString(), "6:10");
}

} // namespace
