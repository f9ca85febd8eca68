#include "kitbase/model/ZRFormat.h"
#include "kitbase/model/ZRScale.h"
#include "kitbase/model/ZRUnits.h"
#include "kitbase/model/ZRUpdate.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Reasons : platform::core::Observer {
    std::vector<int> seen;
    void OnUpdate(platform::core::Subject*, platform::core::Message* m) override {
        seen.push_back(ReasonOf(m));
    }
};

struct FixedScale : ZRScale {
    bool known = true;
    double factor = 4096.0;
    int GetPrecision() override { return 3; }
    bool GetScaleFactor(double& f) override {
        if (known)
            f = factor;
        return known;
    }
};

} // namespace

TEST(ZRUnits, SetBaseUnitsReplacesTextSilently) {
    ZRUnits units;
    Reasons r;
    units.AddObserver(&r);
    EXPECT_EQ(units.GetUnits(), "");
    EXPECT_EQ(units.GetObject(), nullptr);
    units.SetBaseUnits("rpm");
    EXPECT_EQ(units.GetUnits(), "rpm");
    EXPECT_TRUE(r.seen.empty());
    units.RemoveObserver(&r);
}

TEST(ZRScale, ConvertsBothWaysWithItsFactor) {
    FixedScale scale;
    double v = 8192.0;
    EXPECT_TRUE(scale.ScaleValue(v));
    EXPECT_DOUBLE_EQ(v, 2.0);
    v = 2.5;
    EXPECT_TRUE(scale.UnscaleValue(v));
    EXPECT_DOUBLE_EQ(v, 10240.0);
}

TEST(ZRScale, WithoutFactorLeavesValueAndFails) {
    FixedScale scale;
    scale.known = false;
    double v = 123.0;
    EXPECT_FALSE(scale.ScaleValue(v));
    EXPECT_FALSE(scale.UnscaleValue(v));
    EXPECT_EQ(v, 123.0);
}

TEST(ZRFormat, FormatsWithItsStringAndFallsBackForUnsafeOnes) {
    struct Case {
        const char* format;
        double value;
        const char* text;
    } cases[] = {
        {"%.2f", 3.14159, "3.14"},
        {"%8.3lf mm", 2.5, "   2.500 mm"},
        {"100%% at %g", 1.5, "100% at 1.5"},
        {"", 1.0, ""},
        {"no number", 1.0, "no number"},
        // These would read arguments that are not there.
        {"%s", 1.5, "1.5"},
        {"%d", 2.0, "2"},
        {"%f %f", 2.0, "2"},
        {"%*f", 2.0, "2"},
        {"%.2Lf", 2.0, "2"},
    };
    ZRFormat format;
    for (const Case& c : cases) {
        format.SetFormatString(c.format);
        std::string text = "old";
        format.Format(text, c.value);
        EXPECT_EQ(text, c.text) << c.format;
    }
}

TEST(ZRFormat, UnformatReadsOneNumberWhateverTheFormat) {
    ZRFormat format;
    format.SetFormatString("%.2f rpm");
    double v = 7.0;
    EXPECT_TRUE(format.Unformat(" 12.5 rpm", v));
    EXPECT_EQ(v, 12.5);
    EXPECT_FALSE(format.Unformat("abc", v));
    EXPECT_FALSE(format.Unformat("", v));
    EXPECT_EQ(v, 12.5);
}

TEST(ZRFormat, NotifiesOnEverySetAndWhenDestroyed) {
    Reasons r;
    {
        ZRFormat format;
        format.AddObserver(&r);
        format.SetFormatString("%.1f");
        format.SetFormatString("%.1f");
        ZRFormat copy(format);
        EXPECT_EQ(copy.GetFormatString(), "%.1f");
        copy.RemoveObserver(&r);
    }
    EXPECT_EQ(r.seen,
              (std::vector<int>{ZRUpdate::ValueChanged, ZRUpdate::ValueChanged, ZRUpdate::Destroying}));
}
