#include "quorvance/RowRuleCases.h"

using Kind = ZRRowKind;

TEST(ZelnaRowRules, BlocksAreKeyedByIdAndSomeByName) {
    const RowRuleCase cases[] = {
        {"zelna input is an option list", -130, -1, "Input 3", false, Kind::Choice},
        {"zelna indexing mode by name", -131, 12, "Mode", false, Kind::Choice},
        {"zelna encoder like fenwa", -126, 0x40017, "", false, Kind::Bool},
        {"zelna tuning named", -125, -1, "Gain Change Enable", false, Kind::Choice},
        {"zelna tuning other name", -125, -1, "Other", false, Kind::Edit},
        {"zelna service bool edit", -122, 605, "", false, Kind::BoolEdit},
        {"zelna homing", -120, 0x6006A, "", false, Kind::BoolEdit},
        {"zelna analog out below the signals", -124, 512, "", true, Kind::AsString},
        {"zelna analog out signal", -124, 514, "", false, Kind::Channel},
        {"zelna analog out scale", -124, 516, "", true, Kind::Edit},
        {"zelna analog out after the scales", -124, 517, "", true, Kind::AsString},
    };
    ExpectRows(cases);
}

TEST(ZelnaRowRules, DriveStatusLampsCarryTheirImages) {
    auto lamp = ZRMasterRowFactory::SelectRow(-136, 0x4001D, "", true, false, true);
    EXPECT_TRUE(lamp.extra & kRowBitmaps);
    EXPECT_EQ(lamp.falseBitmap, 19703u);
}
