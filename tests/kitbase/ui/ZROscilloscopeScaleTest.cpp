// Vertical labels of an oscilloscope display.
#include "kitbase/ui/ZROscilloscopeScale.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<double> Values(const ZROscilloscopeScale& scale) {
    std::vector<double> values;
    for (const auto& label : scale.GetLabels())
        values.push_back(label.value);
    return values;
}

std::vector<std::string> Texts(const ZROscilloscopeScale& scale) {
    std::vector<std::string> texts;
    for (const auto& label : scale.GetLabels())
        texts.push_back(label.text);
    return texts;
}

} // namespace

TEST(ZROscilloscopeScale, LabelsFourDivisionsForTheChannelsThatOwnThem) {
    struct Case {
        const char* what;
        double minimum, maximum, axis;
        int channel, yLabels;
        std::vector<double> values;
        std::vector<std::string> texts;
    } cases[] = {
        {"default: A on the first line", 0, 200, 300, 0, -1, {0, 50, 100, 150}, {" 0 ", "", "", ""}},
        {"default: C on the third line", 0, 200, 300, 2, -1, {0, 50, 100, 150}, {"", "", " 100 ", ""}},
        {"default: no fifth line", 0, 200, 300, 4, -1, {0, 50, 100, 150}, {"", "", "", ""}},
        {"chosen channel labels every line",
         0,
         200,
         300,
         1,
         1,
         {0, 50, 100, 150},
         {" 0 ", " 50 ", " 100 ", " 150 "}},
        {"other channels stay blank", 0, 200, 300, 0, 1, {0, 50, 100, 150}, {"", "", "", ""}},
        {"rounding noise prints as 0",
         -0.3,
         0.1,
         300,
         0,
         0,
         {-0.3, -0.2, -0.1, 0},
         {" -0.3 ", " -0.2 ", " -0.1 ", " 0 "}},
        {"axis too short for four: one step", 0, 200, 14, 0, -1, {0}, {" 0 "}},
        {"reversed range: nothing to label", 200, 0, 300, 0, 0, {}, {}},
    };
    for (const Case& c : cases) {
        ZROscilloscopeScale scale;
        scale.SetChannel(c.channel);
        scale.SetYLabels(c.yLabels);
        scale.CreateLabels(c.minimum, c.maximum, c.axis, 12);
        std::vector<double> values = Values(scale);
        ASSERT_EQ(values.size(), c.values.size()) << c.what;
        for (size_t i = 0; i < values.size(); ++i)
            EXPECT_NEAR(values[i], c.values[i], 1e-12) << c.what;
        EXPECT_EQ(Texts(scale), c.texts) << c.what;
    }
}

TEST(ZROscilloscopeScale, EmptyRangeClearsAndCollapsedAxisKeepsLabels) {
    ZROscilloscopeScale scale;
    scale.SetChannel(0);
    scale.CreateLabels(0, 200, 300, 12);
    ASSERT_EQ(scale.GetLabels().size(), 4u);
    scale.CreateLabels(0, 100, 0.5, 12); // not laid out yet: what was there stays
    EXPECT_EQ(Values(scale), (std::vector<double>{0, 50, 100, 150}));
    scale.CreateLabels(5, 5 + 1e-15, 300, 12);
    EXPECT_TRUE(scale.GetLabels().empty());
}
