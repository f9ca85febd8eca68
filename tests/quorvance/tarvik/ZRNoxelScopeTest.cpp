// The Tarvik scope's model: the channel tree, the choice of a signal and what follows from it, and
// the decoding of the drive's sample blocks.
#include "TarvikBlockFixture.h"

#include "kitbase/model/ZRChannelOption.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRNoxelChannelOptionList.h"
#include "quorvance/tarvik/ZRNoxelScope.h"
#include "quorvance/tarvik/ZRVelocityUnits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Names(const ZRChannelOptionList& list) {
    std::vector<std::string> names;
    for (const auto& child : list.GetChildren())
        names.push_back(child->GetName());
    return names;
}

const ZRChannelOptionList* Child(const ZRChannelOptionList& list, const std::string& name) {
    for (const auto& child : list.GetChildren())
        if (child->GetName() == name)
            return child.get();
    return nullptr;
}

std::vector<std::string> OptionNames(const ZRChannelOptionList* list) {
    std::vector<std::string> names;
    if (list)
        for (ZRChannelOption* option : const_cast<ZRChannelOptionList*>(list)->GetChannelOptions())
            names.push_back(option->GetName());
    return names;
}

TEST(ZRNoxelChannelOptionList, TheTreeLeavesOutWhatASercosDriveLacksAndAddsTheEngineeringSignals) {
    struct Case {
        const char* what;
        bool sercos;
        bool engineering;
        std::vector<std::string> lists;
        size_t currentSignals;
        std::vector<std::string> inputs;
    };
    const std::vector<std::string> full{"Drive Status",     "Operation Mode", "Position Signals",
                                        "Velocity Signals", "Current Signals", "Encoders",
                                        "Digital Inputs",   "Digital Outputs", "Faults"};
    const std::vector<std::string> inputs{"Input 1 State", "Input 2 State", "Input 3 State", "Input 4 State",
                                          "Input 5 State", "Input 6 State", "Input 7 State", "Input 8 State"};
    const Case cases[] = {
        {"standard", false, false, full, 8, inputs},
        {"engineering", false, true, full, 15, inputs},
        {"sercos",
         true,
         false,
         {"Drive Status", "Position Signals", "Velocity Signals", "Current Signals", "Encoders", "Digital Inputs"},
         8,
         {"Drive Enable (if assigned)", "Home Sensor", "Registration Sensor 1", "Registration Sensor 2",
          "Positive Overtravel", "Negative Overtravel"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ZRNoxelChannelOptionList list(nullptr, c.sercos, c.engineering);
        EXPECT_EQ(list.GetName(), "Channel Options");
        EXPECT_EQ(Names(list), c.lists);
        EXPECT_EQ(OptionNames(Child(list, "Current Signals")).size(), c.currentSignals);
        EXPECT_EQ(OptionNames(Child(list, "Digital Inputs")), c.inputs);
        // Every signal is made, shown or not; a signal in two lists is one option.
        EXPECT_EQ(list.AllOptions().size(), 129u);
    }
}

TEST(ZRNoxelChannelOptionList, SignalsFindTheirFirstOptionWithItsWidthAndKind) {
    ZRNoxelChannelOptionList list(nullptr, false, true);
    struct Case {
        uint32_t signal;
        const char* name; // null: no option
        bool analog = false;
        bool is16Bit = false;
        const char* units = nullptr;
    };
    const Case cases[] = {
        {36, "Current Feedback", true, true, "Amps"},
        {40, "Analog Command Input", true, true, "Volts"},
        {7, "Position Feedback", true, false, nullptr},
        {22, "Velocity Feedback", true, true, nullptr},
        {30, "Drive Temperature", true, true, "% of Drive Rating"},
        {29, "Current Loop Gain", true, true, "% of Nominal"},
        {209, "Brake", false, true, nullptr},
        {0, nullptr},
        {999, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.signal);
        ZRChannelOption* option = list.FindOption(c.signal);
        if (!c.name) {
            EXPECT_EQ(option, nullptr);
            continue;
        }
        ASSERT_NE(option, nullptr);
        EXPECT_EQ(option->GetName(), c.name);
        EXPECT_EQ(option->IsAnalogType(), c.analog);
        EXPECT_EQ(option->Is16BitData(), c.is16Bit);
        ASSERT_NE(option->GetScaleObject(), nullptr);
        if (c.units) {
            EXPECT_EQ(option->GetUnitsObject()->GetUnits(), c.units);
        }
    }
    // A digital signal reads as 0 or 1.
    double factor = 0;
    list.FindOption(209)->GetScaleObject()->GetScaleFactor(factor);
    EXPECT_DOUBLE_EQ(factor, 1.0);
    const auto* modes = Child(list, "Operation Mode");
    ASSERT_NE(modes, nullptr);
    EXPECT_EQ(Child(*modes, "Analog")->FindOption(40), Child(list, "Drive Status")->FindOption(40));
}

TEST(TarvikChannelData, BlocksDecodeWithSignAndUnreadableTokensAreZero) {
    struct Case {
        const char* what;
        std::string text;
        bool is16Bit;
        std::vector<int32_t> first; // the leading samples; the rest are 0
    };
    const Case cases[] = {
        {"16-bit with sign", "FFFF00017FFF8000", true, {-1, 1, 32767, -32768}},
        {"32-bit", "FFFFFFFF0001000080000000", false, {-1, 65536, INT32_MIN}},
        {"not hexadecimal", "00G1000A", true, {0, 10}},
        {"short block", "12", true, {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int32_t samples[TarvikChannelData::kSamplesPerBlock];
        std::fill(std::begin(samples), std::end(samples), 77);
        TarvikChannelData::DecodeBlock(c.text, c.is16Bit, samples);
        for (size_t j = 0; j < std::size(samples); ++j)
            EXPECT_EQ(samples[j], j < c.first.size() ? c.first[j] : 0) << j;
    }
}

class NoxelScope : public TarvikBlockFixture {
protected:
    void SetUp() override {
        TarvikBlockFixture::SetUp();
        drive = std::make_unique<ZRDrive>(tarvik::kStandardDriveType);
        drive->SetProductType(0x0E);
        drive->Init();
        scope = drive->GetScope();
        ASSERT_NE(scope, nullptr);
    }
    void TearDown() override {
        drive.reset();
        TarvikBlockFixture::TearDown();
    }
    std::unique_ptr<ZRDrive> drive;
    ZRNoxelScope* scope = nullptr;
};

TEST_F(NoxelScope, AChosenSignalSetsTheDataParameterScaleAndLegend) {
    EXPECT_EQ(scope->GetChannelLegend(2), "Unassigned");
    EXPECT_EQ(scope->GetChannelDataAttribute(2)->GetAttribute(), 0);
    scope->GetInputSignal(2)->SetValue(7); // a 32-bit position
    EXPECT_EQ(scope->GetChannelDataAttribute(2)->GetAttribute(), tarvik::AttributeId(265, 16));
    EXPECT_EQ(scope->GetChannelLegend(2), "Position Feedback");
    EXPECT_EQ(scope->GetScale(2)->GetScaleObject(), scope->GetChannelOption(2)->GetScaleObject());
    EXPECT_EQ(scope->GetChannelUnits(2), "Counts");
    scope->GetInputSignal(1)->SetValue(36); // a 16-bit current
    EXPECT_EQ(scope->GetChannelDataAttribute(1)->GetAttribute(), tarvik::AttributeId(166, 8));
    EXPECT_EQ(scope->GetChannelUnits(1), "Amps");
    // A number no option has: no data to read and nothing to plot.
    scope->GetInputSignal(1)->SetValue(99);
    EXPECT_EQ(scope->GetChannelDataAttribute(1)->GetAttribute(), 0);
    EXPECT_EQ(scope->GetChannelLegend(1), "Unassigned");
    EXPECT_FALSE(scope->ReadChannel(1));
}

TEST_F(NoxelScope, ScaleTypeAndTriggerSourceShowTheRowsThatApply) {
    ZRLongAttribute* threshold = scope->GetTriggerThreshold();
    scope->GetTriggerSource()->SetValue(209); // digital
    EXPECT_TRUE(threshold->IsHidden());
    scope->GetTriggerSource()->SetValue(22); // analog
    EXPECT_FALSE(threshold->IsHidden());
    EXPECT_EQ(threshold->GetUnitsObject(), static_cast<ZRUnits*>(drive->GetVelocityUnits()));

    EXPECT_TRUE(scope->GetScale(3)->IsHidden());
    scope->GetScaleType(3)->SetAsString("Manual");
    EXPECT_FALSE(scope->GetScale(3)->IsHidden());
    EXPECT_FALSE(scope->GetOffset(3)->IsHidden());
    scope->GetScaleType(3)->SetAsString("Auto");
    EXPECT_TRUE(scope->GetOffset(3)->IsHidden());
}

} // namespace
