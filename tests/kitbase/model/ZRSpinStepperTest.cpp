#include "kitbase/model/ZRSpinStepper.h"

#include <gtest/gtest.h>

TEST(ZRSpinStepper, AbsentSettingsMeanNoLimitsStepOneAndGeneralFormat) {
    ZRSpinStepper spin;
    spin.ReadSettings("", "", "", "", "", "");
    EXPECT_FALSE(spin.IsWrap());
    EXPECT_FALSE(spin.HasMin());
    EXPECT_FALSE(spin.HasMax());
    EXPECT_EQ(spin.GetIncrement(), 1.0);
    EXPECT_EQ(spin.GetPrecision(), -1);
    EXPECT_EQ(spin.Step("41", true), "42");
    EXPECT_EQ(spin.Step("-0.5", false), "-1.5");
    EXPECT_EQ(spin.Step("", true), "1");
}

TEST(ZRSpinStepper, StepsWrapsAndClampsWithinLimits) {
    struct Case {
        const char* wrap;
        const char* precision;
        const char* cell;
        bool up;
        const char* text;
    } cases[] = {
        {"0", "", "9", true, "10"},  // clamped to the maximum
        {"0", "", "10", true, "10"}, // stays at the maximum
        {"1", "", "10", true, "0"},  // wraps to the minimum
        {"0", "2", "9", true, "10.00"}, {"0", "", "4", true, "6"},
        {"0", "", "1", false, "0"},     // clamped to the minimum
        {"0", "", "0", false, "0"},     // stays at the minimum
        {"1", "", "0", false, "10"},    // wraps to the maximum
        {"1", "", "-3", false, "10"},   // below the minimum counts as at it
        {"0", "", "15", false, "10"},   // steps down, then clamped
        {"0", "", "", true, "7"},       // an empty cell starts from the start value
        {"0", "1", "abc", true, "2.0"}, // unreadable text counts as 0
    };
    for (const Case& c : cases) {
        ZRSpinStepper spin;
        spin.ReadSettings(c.wrap, "0", "10", "5", "2", c.precision);
        EXPECT_EQ(spin.Step(c.cell, c.up), c.text)
            << c.cell << (c.up ? " up" : " down") << " wrap " << c.wrap;
    }
}

TEST(ZRSpinStepper, WrapNeedsTheOtherLimit) {
    ZRSpinStepper spin;
    spin.ReadSettings("1", "", "10", "", "0.5", "1");
    EXPECT_EQ(spin.Step("10", true), "10.0");
    EXPECT_EQ(spin.Step("-100", false), "-100.5");
}
