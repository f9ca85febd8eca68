// The oscilloscope model: the base scope, its capture cycle over idle ticks, and the vertical axes
// and labels of a plotting pass.
#include "kitbase/model/ZRScope.h"
#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRIndexSelection.h"

#include "platform/core/Text.h"
#include "support/ModalScript.h"
#include "support/model/FakeStorage.h"
#include "support/model/ScopeScaleTypes.h"
#include "support/model/TestDevice.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

// A family scope in miniature. The "drive" is a few fields: the signal chosen per channel (0 for
// none) and whether the capture it was armed for has completed.
class TestScope : public ZRScope {
public:
    static constexpr int32_t kClass = 300;
    static constexpr int32_t kArmService = 21;

    TestScope() { SetClass(kClass); }

    void Init() override {
        ZRScope::Init();
        DefineTestScope(*this, kArmService);
    }

    void ArmTrigger() override {
        ++arms;
        ZRScope::ArmTrigger();
    }
    bool ChannelEnabled(int c) override { return signal.at(size_t(c)) != 0; }
    bool ChannelValid(int c) override { return valid.at(size_t(c)); }
    void GetChannelData(int c, std::vector<float>& data) override {
        if (data.size() < size_t(GetNumDataPoints()))
            data.resize(size_t(GetNumDataPoints()));
        for (int i = 0; i < GetNumDataPoints(); ++i)
            data[size_t(i)] = float(c * 1000 + i);
    }
    ZRChannelOptionList* GetChannelOptionList() override { return nullptr; }
    std::string GetChannelUnits(int) override { return "rpm"; }
    double GetMsecPerSample() override { return 0.5; }
    void Idle() override { ++idles; }
    bool IsDataReady() override {
        ++polls;
        if (!IsArmed() || !captureComplete)
            return false;
        captureComplete = false;
        SetArmed(false);
        return true;
    }
    bool ReadChannel(int c) override {
        ++reads.at(size_t(c));
        valid.at(size_t(c)) = true;
        return true;
    }
    int GetTimeDivision() override { return 16; }

    using ZRScope::IsArmed;
    using ZRScope::SetArmed;

    std::array<uint32_t, 4> signal{};
    std::array<bool, 4> valid{};
    std::array<int, 4> reads{};
    bool captureComplete = false;
    int arms = 0, idles = 0, polls = 0;
};

struct ScopeFixture {
    FakeStorage storage;
    TestDevice device{&storage, false};
    TestScope scope;

    ScopeFixture() {
        scope.SetDevice(&device);
        scope.SetInstance(1);
        scope.Init();
    }
    // One idle tick of an on-line scope view; true when a capture was collected for plotting.
    bool Tick() {
        if (!scope.IsDataReady())
            return false;
        CollectScopeCapture(scope);
        return true;
    }
};

} // namespace

TEST(ZRScope, BaseAnswersWhatFamiliesDoNotOverride) {
    ScopeFixture f;
    EXPECT_EQ(f.scope.GetNumDataPoints(), 128);
    EXPECT_EQ(f.scope.GetChannelsNum(), 4);
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(f.scope.GetChannelLegend(c), std::string("Channel ") + char('A' + c));
        EXPECT_EQ(f.scope.GetChannelOffset(c), 0.0);
        EXPECT_EQ(f.scope.GetChannelScale(c), 0.0);
        EXPECT_EQ(f.scope.GetScaleType(c), "Auto");
        EXPECT_EQ(f.scope.GetChnScaleType(c)->GetName(), "Scale Type");
    }
    EXPECT_EQ(f.scope.GetChnScaleType(-1), nullptr);
    EXPECT_EQ(f.scope.GetChnScaleType(4), nullptr);
    EXPECT_EQ(f.scope.GetScaleType(4), "");
    ASSERT_TRUE(f.scope.GetChnScaleType(3)->SetValue(4));
    EXPECT_EQ(f.scope.GetScaleType(3), "Same As ChC");
}

TEST(ZRScope, InitReturnsToIdle) {
    ScopeFixture f;
    f.scope.SetRunContinuous(true);
    f.scope.ArmTrigger();
    ASSERT_TRUE(f.scope.IsArmed());
    f.scope.Init();
    EXPECT_FALSE(f.scope.IsArmed());
    EXPECT_FALSE(f.scope.GetRunContinuous());
}

TEST(ZRScope, ArmTriggerRunsTheCommandOnTheScope) {
    ScopeFixture f;
    f.scope.ArmTrigger();
    EXPECT_TRUE(f.scope.IsArmed());
    ASSERT_EQ(f.storage.serviceCalls.size(), 1u);
    EXPECT_EQ(f.storage.serviceCalls[0].cls, TestScope::kClass);
    EXPECT_EQ(f.storage.serviceCalls[0].instance, 1);
    EXPECT_EQ(f.storage.serviceCalls[0].service, TestScope::kArmService);
}

TEST(ZRScope, FailedArmShowsTheErrorAndStaysArmed) {
    {
        ScopeFixture f;
        f.storage.FailNext(ZRError(5, "Scope busy"), "InvokeService");
        ModalScript script;
        script.ExpectMessage("Scope busy (error #5)", platform::core::IDOK);
        f.scope.ArmTrigger();
        EXPECT_TRUE(f.scope.IsArmed());
    }
    {
        ScopeFixture f;
        f.device.SetOffLine(true);
        ModalScript script;
        script.ExpectMessage("The Drive is Offline.", platform::core::IDOK);
        f.scope.ArmTrigger();
        EXPECT_TRUE(f.scope.IsArmed());
        EXPECT_TRUE(f.storage.serviceCalls.empty());
    }
}

TEST(ZRScope, OneShotCaptureIsCollectedOnceThenTheScopeIdles) {
    ScopeFixture f;
    f.scope.signal = {5, 0, 7, 0};
    EXPECT_FALSE(f.Tick()); // not armed: nothing to wait for
    f.scope.ArmTrigger();
    EXPECT_FALSE(f.Tick());
    EXPECT_FALSE(f.Tick());
    f.scope.captureComplete = true;
    EXPECT_TRUE(f.Tick());
    EXPECT_EQ(f.scope.reads, (std::array<int, 4>{1, 0, 1, 0}));
    EXPECT_EQ(f.scope.idles, 1);
    EXPECT_EQ(f.scope.arms, 1);
    EXPECT_FALSE(f.scope.IsArmed());
    // The drive reporting completion again without a new arm reaches the screen no more.
    f.scope.captureComplete = true;
    EXPECT_FALSE(f.Tick());
    EXPECT_EQ(f.scope.reads, (std::array<int, 4>{1, 0, 1, 0}));
}

TEST(ZRScope, ContinuousCaptureReArmsAfterEachCollection) {
    ScopeFixture f;
    f.scope.signal = {0, 3, 0, 0};
    f.scope.SetRunContinuous(true);
    f.scope.ArmTrigger();
    for (int capture = 1; capture <= 3; ++capture) {
        EXPECT_FALSE(f.Tick());
        f.scope.captureComplete = true;
        EXPECT_TRUE(f.Tick());
        EXPECT_EQ(f.scope.reads[1], capture);
        EXPECT_TRUE(f.scope.IsArmed());
    }
    EXPECT_EQ(f.scope.arms, 4);
    EXPECT_EQ(f.storage.serviceCalls.size(), 4u);
    EXPECT_EQ(f.scope.idles, 0);
    // Stopping: run continuous cleared and the scope idled; the pending capture is collected once.
    f.scope.SetRunContinuous(false);
    f.scope.captureComplete = true;
    EXPECT_TRUE(f.Tick());
    EXPECT_EQ(f.scope.idles, 1);
    EXPECT_FALSE(f.Tick());
}

TEST(ZRScopeAxes, FitsAxesByScaleType) {
    struct Case {
        const char* what;
        const char* type;
        int value;
        double scale, offset, lowest, highest;
        ZRScopeAxis axis;
    } cases[] = {
        {"flat line", "Auto", 0, 0, 0, 5, 5, {4, 6, 0.5}},
        {"flat below float resolution", "Auto", 0, 0, 0, 2, 2 + 1e-8, {1, 3, 0.5}},
        {"mixed signs", "Auto", 0, 0, 0, -3.7, 33, {-11, 33, 11}},
        {"grid must clear the lowest value", "Auto", 0, 0, 0, -3.2, 7.9, {-8, 8, 4}},
        {"all negative", "Auto", 0, 0, 0, -250, -10, {-280, 0, 70}},
        {"small values", "Auto", 0, 0, 0, 0.0012, 0.0047, {0.001, 0.005, 0.001}},
        {"manual", "Manual", 1, 50, 100, -3, 3, {0, 200, 50}},
        {"manual without a scale fits", "Manual", 1, 0, 100, 5, 5, {4, 6, 0.5}},
        {"placeholder text fits", "Unexpected Value", -1, 50, 100, 5, 5, {4, 6, 0.5}},
    };
    for (const Case& c : cases) {
        ZRScopeAxes pass;
        ZRScopeAxis got = pass.Fit(0, c.type, c.value, c.scale, c.offset, c.lowest, c.highest);
        EXPECT_NEAR(got.minimum, c.axis.minimum, 1e-9) << c.what;
        EXPECT_NEAR(got.maximum, c.axis.maximum, 1e-9) << c.what;
        EXPECT_NEAR(got.step, c.axis.step, 1e-12) << c.what;
        // Four divisions that hold every value.
        EXPECT_NEAR(got.maximum - got.minimum, 4 * got.step, 1e-9) << c.what;
        if (std::string(c.type) == "Auto") {
            EXPECT_LT(got.minimum, c.lowest) << c.what;
            EXPECT_GE(got.maximum, c.highest - 1e-9) << c.what;
        }
    }
}

TEST(ZRScopeAxes, SameAsCopiesAnAxisPlottedEarlierInThePassElseFits) {
    const ZRScopeAxis a{-11, 33, 11};
    const ZRScopeAxis ownFit{4, 6, 0.5}; // values all 5
    {
        ZRScopeAxes pass;
        EXPECT_EQ(pass.Fit(0, "Auto", 0, 0, 0, -3.7, 33), a);
        EXPECT_EQ(pass.Fit(1, "Same As ChA", 2, 0, 0, 5, 5), a);
        // A copy is itself kept: D follows B, which followed A.
        EXPECT_EQ(pass.Fit(3, "Same As ChB", 3, 0, 0, 5, 5), a);
    }
    {
        // A was not plotted in this pass.
        ZRScopeAxes pass;
        EXPECT_EQ(pass.Fit(1, "Same As ChA", 2, 0, 0, 5, 5), ownFit);
    }
    {
        // B is plotted after C, so C has nothing to copy yet.
        ZRScopeAxes pass;
        pass.Fit(0, "Auto", 0, 0, 0, -3.7, 33);
        EXPECT_EQ(pass.Fit(2, "Same As ChB", 3, 0, 0, 5, 5), ownFit);
        EXPECT_EQ(pass.Fit(1, "Same As ChC", 4, 0, 0, 5, 5), ownFit);
    }
    {
        // Axes of the previous pass are gone.
        ZRScopeAxes pass;
        pass.Fit(0, "Auto", 0, 0, 0, -3.7, 33);
        pass.Clear();
        EXPECT_EQ(pass.Fit(1, "Same As ChA", 2, 0, 0, 5, 5), ownFit);
    }
}

TEST(ZRScopeAxes, ChannelLabelNamesTheGridStep) {
    EXPECT_EQ(FormatScopeLabel("Channel A", 250, "rpm"), "Channel A: 250 rpm/grid");
    EXPECT_EQ(FormatScopeLabel("Unassigned", 0.5, ""), "Unassigned: 0.5 /grid");
    EXPECT_EQ(FormatScopeLabel("Current", 1e-05, "A"), "Current: 1e-05 A/grid");
    EXPECT_EQ(FormatScopeLabel("Position", 1234567, "counts"), "Position: 1.23457e+06 counts/grid");
}
