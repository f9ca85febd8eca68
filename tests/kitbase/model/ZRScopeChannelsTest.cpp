// The signals a scope channel can show and the scale of their samples.
#include "kitbase/model/ZRChannelOption.h"
#include "kitbase/model/ZRChannelOptionList.h"
#include "kitbase/model/ZRChannelScale.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct CountedOption : ZRChannelOption {
    explicit CountedOption(uint32_t id) : ZRChannelOption(id, nullptr, nullptr, false, true) {}
    ~CountedOption() override { ++destroyed; }
    static inline int destroyed = 0;
};

struct CountedList : ZRChannelOptionList {
    ~CountedList() override { ++destroyed; }
    static inline int destroyed = 0;
};

} // namespace

TEST(ZRChannelOptionList, FindsDepthFirstWithSubListsBeforeOwnOptions) {
    ZRChannelScale scale;
    ZRChannelOption own(7, &scale, nullptr, true, false);
    own.SetName("own");
    EXPECT_EQ(own.GetScaleObject(), &scale);
    EXPECT_TRUE(own.IsAnalogType());
    EXPECT_FALSE(own.Is16BitData());
    ZRChannelOption inner(7, nullptr, nullptr, false, true);
    inner.SetName("inner");
    ZRChannelOption deep(9, nullptr, nullptr, false, true);
    ZRChannelOption later(9, nullptr, nullptr, false, true);

    ZRChannelOptionList root;
    root.AddOption(&own);
    auto first = std::make_unique<ZRChannelOptionList>();
    auto nested = std::make_unique<ZRChannelOptionList>();
    nested->AddOption(&deep);
    first->AddChild(std::move(nested));
    first->AddOption(&inner);
    auto second = std::make_unique<ZRChannelOptionList>();
    second->AddOption(&later);
    root.AddChild(std::move(first));
    root.AddChild(std::move(second));

    EXPECT_EQ(root.FindOption(7), &inner); // shared id: the sub-list's option
    EXPECT_EQ(root.FindOption(9), &deep);  // the first sub-list's own sub-list comes before the second
    EXPECT_EQ(root.FindOption(8), nullptr);
    EXPECT_EQ(ZRChannelOptionList().FindOption(0), nullptr);
}

TEST(ZRChannelOptionList, DeletingAListDeletesSubListsButNotOptions) {
    CountedList::destroyed = 0;
    CountedOption::destroyed = 0;
    CountedOption a(1), b(2);
    {
        auto list = std::make_unique<ZRChannelOptionList>();
        auto child = std::make_unique<CountedList>();
        child->AddChild(std::make_unique<CountedList>());
        child->AddOption(&b);
        list->AddChild(std::move(child));
        list->AddOption(&a);
    }
    EXPECT_EQ(CountedList::destroyed, 2);
    EXPECT_EQ(CountedOption::destroyed, 0);
}

namespace {
// A family scale whose factor follows the drive; counts how often it is asked.
struct DriveScale : ZRChannelScale {
    bool GetScaleFactor(double& factor) override {
        ++asked;
        factor = 8.0;
        return true;
    }
    int asked = 0;
};
} // namespace

TEST(ZRChannelScale, DividesRawSamplesByTheFactor) {
    ZRChannelScale scale;
    double factor = 0;
    EXPECT_TRUE(scale.GetScaleFactor(factor));
    EXPECT_EQ(factor, 1.0);
    EXPECT_EQ(scale.GetPrecision(), 0);
    scale.SetBaseScaleFactor(1000);
    scale.SetPrecision(3);
    EXPECT_EQ(scale.GetPrecision(), 3);

    const int32_t raw[] = {2500, -500, 0};
    std::vector<float> out(4, 99.0f);
    scale.ScaleChannelData(raw, 3, out);
    EXPECT_EQ(out, (std::vector<float>{2.5f, -0.5f, 0.0f, 99.0f}));

    DriveScale drive;
    std::vector<float> short_; // sized short by its caller: grown, never overrun
    drive.ScaleChannelData(raw, 3, short_);
    EXPECT_EQ(short_, (std::vector<float>{312.5f, -62.5f, 0.0f}));
    EXPECT_EQ(drive.asked, 1);
}
