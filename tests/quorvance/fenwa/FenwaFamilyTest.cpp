#include "quorvance/RowRuleCases.h"

using Kind = ZRRowKind;

TEST(FenwaRowRules, BlocksAreKeyedByIdAndSomeByName) {
    const RowRuleCase cases[] = {
        {"fenwa drive lamp", -151, -1, "In Position", false, Kind::Bool},
        {"fenwa drive other property", -151, 5, "", false, Kind::Edit},
        {"fenwa drive other status", -151, 5, "", true, Kind::AsString},
        {"fenwa input check list", -146, -1, "Input 3", false, Kind::CheckList},
        {"fenwa input without the word", -146, -1, "Inputs", false, Kind::None},
        {"fenwa output", -145, -1, "Output 1", false, Kind::Choice},
        {"fenwa output other name", -145, -1, "Polarity", false, Kind::None},
        {"fenwa tef file", -142, -1, "Tef File", false, Kind::TefFile},
        {"fenwa fault channel", -139, 0x50260, "", false, Kind::Channel},
        {"fenwa fault flag", -139, -1, "4: Motor Overtemperature Fault", true, Kind::Bool},
        {"fenwa fault capture bit", -139, -1, "Selected Signal", false, Kind::Choice},
        {"fenwa fault capture division", -139, -1, "Samples per division", false, Kind::Edit},
        {"fenwa service model", -138, -1, "Drive Model1", false, Kind::Choice},
        {"fenwa service status", -138, 700, "", true, Kind::AsString},
        {"fenwa analog out signal", -140, 512, "", false, Kind::Channel},
        {"fenwa analog out scale", -140, 515, "", true, Kind::Edit},
        {"fenwa analog out after the scales", -140, 516, "", false, Kind::Edit},
        {"fenwa analog out after the scales, status", -140, 516, "", true, Kind::AsString},
    };
    ExpectRows(cases);
}

TEST(FenwaRowRules, FaultStateLampIsLitWhileTheInputIsOff) {
    auto fault = ZRMasterRowFactory::SelectRow(-146, 0x4000F, "Fault State", true, false, false);
    EXPECT_TRUE(fault.extra & kRowBitmaps);
    EXPECT_EQ(fault.falseBitmap, 19704u);
    EXPECT_EQ(fault.trueBitmap, 19703u);
    auto plain = ZRMasterRowFactory::SelectRow(-146, 0x4000F, "Other", true, false, false);
    EXPECT_EQ(plain.kind, Kind::Bool);
    EXPECT_FALSE(plain.extra & kRowBitmaps);
}
