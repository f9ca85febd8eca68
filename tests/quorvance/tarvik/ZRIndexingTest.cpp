// The indexing table's visibility rules and copy.
#include "StandInDrive.h"

#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRProgress.h"
#include "quorvance/tarvik/ZRIndexing.h"

#include <gtest/gtest.h>

namespace {

class ZRIndexingTest : public testing::Test {
protected:
    ZRIndexingTest() : indexing(InitBlockUnder<ZRIndexing>(&drive)) {}

    bool DirectionShown(int i) { return !indexing->GetAbsoluteDirection(i)->IsHidden(); }

    StandInDrive drive;
    std::unique_ptr<ZRIndexing> indexing;
};

TEST_F(ZRIndexingTest, TheModeNamesTheDistanceAndShowsWhatItUses) {
    struct Case {
        const char* mode;
        const char* distanceName;
        bool registrationShown;
    };
    const Case cases[] = {
        {"Registration", "Distance", true},
        {"Absolute", "Position", false},
        {"Jog", "Maximum Distance", false},
        {"Incremental", "Distance", false},
    };
    EXPECT_TRUE(indexing->GetRegistrationDistance(5)->IsHidden());
    EXPECT_FALSE(DirectionShown(5));
    for (const Case& c : cases) {
        ASSERT_TRUE(indexing->GetMode(5)->SetAsString(c.mode));
        EXPECT_EQ(indexing->GetDistance(5)->GetName(), c.distanceName) << c.mode;
        EXPECT_EQ(!indexing->GetRegistrationDistance(5)->IsHidden(), c.registrationShown) << c.mode;
        EXPECT_FALSE(DirectionShown(5)) << c.mode;
    }
    EXPECT_EQ(indexing->GetDistance(4)->GetName(), "Distance");
}

TEST_F(ZRIndexingTest, AbsoluteDirectionShowsWhenTheDriveIsAbsoluteAndTheModeIsAbsolute) {
    indexing->GetMode(1)->SetAsString("Absolute");
    indexing->GetMode(2)->SetAsString("Absolute");
    EXPECT_FALSE(DirectionShown(1));

    drive.rollover->SetValue(true);
    for (int i = 0; i < ZRIndexing::kIndexCount; ++i)
        EXPECT_EQ(DirectionShown(i), i == 1 || i == 2) << i;
    indexing->GetMode(2)->SetAsString("Jog");
    EXPECT_FALSE(DirectionShown(2));
    indexing->GetMode(3)->SetAsString("Absolute");
    EXPECT_TRUE(DirectionShown(3));

    // A hidden setting does not count; the other one does.
    drive.rollover->SetHidden(true);
    drive.rollover->SetValue(false);
    drive.rollover->SetValue(true);
    EXPECT_FALSE(DirectionShown(1));
    drive.singleTurn->SetValue(true);
    EXPECT_TRUE(DirectionShown(1));
    EXPECT_TRUE(DirectionShown(3));
}

TEST_F(ZRIndexingTest, ADriveSettingThatGoesIsForgotten) {
    EXPECT_EQ(indexing->GetObservedRollover(), drive.rollover.get());
    drive.rollover.reset();
    EXPECT_EQ(indexing->GetObservedRollover(), nullptr);
    indexing->GetMode(0)->SetAsString("Absolute");
    EXPECT_FALSE(DirectionShown(0));
    drive.singleTurn->SetValue(true);
    EXPECT_TRUE(DirectionShown(0));
    // The block may also go first: nothing is left observing.
    indexing.reset();
    drive.singleTurn->SetValue(false);
    EXPECT_TRUE(drive.singleTurn->GetObservers().empty());
}

TEST_F(ZRIndexingTest, CopyTakesEveryIndexAndStopsAtAnIndexOnCancel) {
    ZRIndexing source;
    source.Init();
    source.GetName().SetValue("Table");
    source.GetMode(0)->SetAsString("Registration");
    source.GetDistance(0)->SetInternalValue(-5);
    source.GetDistance(1)->SetInternalValue(6);
    indexing->Copy(&source, false);
    EXPECT_EQ(indexing->GetName().GetValue(), "Table");
    EXPECT_EQ(indexing->GetMode(0)->GetAsString(), "Registration");
    EXPECT_FALSE(indexing->GetRegistrationDistance(0)->IsHidden());
    EXPECT_EQ(indexing->GetDistance(1)->GetInternalValue(), 6);

    ZRIndexing other;
    other.Init();
    ZRProgress::Instance()->SetCancelled(true);
    other.Copy(&source, false);
    ZRProgress::Instance()->SetCancelled(false);
    EXPECT_EQ(other.GetName().GetValue(), "Table") << "the block's own values come before the first index";
    EXPECT_EQ(other.GetDistance(0)->GetInternalValue(), 1000);
}

} // namespace
