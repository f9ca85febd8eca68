#include "AttributeFixture.h"

#include "kitbase/model/ZRFormat.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRRangeValidation.h"
#include "kitbase/model/ZRScale.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUnits.h"
#include "support/ModalScript.h"
#include "support/model/ReasonRecorder.h"

#include <gtest/gtest.h>

#include <climits>

using platform::core::IDOK;

namespace {

constexpr int32_t kId = 7;

// A scale with a settable factor; it cannot scale while failing is set.
class TestScale : public ZRScale {
public:
    explicit TestScale(double f) : factor(f) {}
    int GetPrecision() override { return 2; }
    bool GetScaleFactor(double& f) override {
        f = factor;
        return !failing;
    }
    double factor;
    bool failing = false;
};

// Signed, 2 bytes, 10 internal units per display unit, one decimal, named "Speed", off line.
struct Speed {
    AttributeOwner owner;
    ZRLongAttribute a{owner.object.GetDevice(), 2};
    Speed() {
        owner.Bind(a, kId, "Speed");
        a.SetScale(10);
        a.SetPrecision(1);
    }
};

} // namespace

TEST(ZRLongAttribute, ScalesRoundsHalvesUpAndWrites) {
    Speed s;
    s.owner.Long(kId) = 1234;
    s.a.Refresh(false);
    EXPECT_EQ(s.a.GetAsString(), "123.4");
    struct Case {
        const char* text;
        int32_t stored;
    } cases[] = {{"123.45", 1235}, {"-0.25", -2}, {"-0.35", -3}, {"0.04", 0}, {"3276.7", 32767}};
    for (const Case& c : cases) {
        EXPECT_TRUE(s.a.SetAsString(c.text)) << c.text;
        EXPECT_EQ(s.a.GetInternalValue(), c.stored) << c.text;
        EXPECT_EQ(s.owner.Long(kId), c.stored) << c.text;
        EXPECT_EQ(s.owner.storage.lastSize, 2);
    }
}

TEST(ZRLongAttribute, ValidateNamesTheTypeLimitInDisplayUnits) {
    Speed s;
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {{"3276.8", "Speed: Value cannot be more than 3276.7"},
                 {"-3276.9", "Speed: Value cannot be less than -3276.8"},
                 {"abc", "Speed: Invalid Entry"}};
    for (const Case& c : cases) {
        ModalScript script;
        script.ExpectMessage(c.message, IDOK);
        EXPECT_FALSE(s.a.Validate(c.text));
        EXPECT_EQ(script.Seen().at(0), c.message);
    }
    EXPECT_TRUE(s.a.Validate("3276.7"));
}

TEST(ZRLongAttribute, UnchangedDisplayTextWritesTheStoredValueAgain) {
    Speed s;
    s.owner.Long(kId) = 1235;
    s.a.Refresh(false);
    s.owner.storage.ResetCalls();
    ReasonRecorder recorder(s.a);
    EXPECT_TRUE(s.a.SetAsString("123.5")); // would round to 1235 anyway, but is not parsed again
    EXPECT_EQ(s.owner.storage.Calls("WriteLong"), 1);
    EXPECT_EQ(recorder.reasons, std::vector<int>{ZRUpdate::ValueWritten});
    EXPECT_EQ(s.a.GetPrevAsString(), "123.5");
}

TEST(ZRLongAttribute, RefusesValuesOutsideThe32BitRangeAndNonNumbers) {
    ZRDevice* device = nullptr;
    ZRLongAttribute a(device, 4);
    {
        ModalScript script;
        script.ExpectMessage("Invalid Entry", IDOK);
        EXPECT_FALSE(a.SetValue(2147483647.6));
    }
    EXPECT_TRUE(a.SetValue(-2147483648.4));
    EXPECT_EQ(a.GetInternalValue(), INT32_MIN);
    for (const char* text : {"nan", "inf", "-inf", "x1"}) {
        ModalScript script;
        script.ExpectMessage("Invalid Entry", IDOK);
        EXPECT_FALSE(a.SetAsString(text)) << text;
        EXPECT_EQ(a.GetInternalValue(), INT32_MIN) << text;
    }
}

TEST(ZRLongAttribute, DataSizeLimitsInternalValues) {
    struct Case {
        int size;
        int32_t value;
        bool accepted;
    } cases[] = {{1, -128, true},  {1, 127, true},     {1, 128, false},      {1, -129, false},
                 {2, 32767, true}, {2, -32769, false}, {4, INT32_MIN, true}, {3, 1, false}};
    for (const Case& c : cases) {
        ZRDevice* device = nullptr;
        ZRLongAttribute a(device, c.size);
        ReasonRecorder recorder(a);
        ModalScript script;
        if (!c.accepted)
            script.ExpectMessage("Invalid Entry", IDOK);
        EXPECT_EQ(a.SetInternalValue(c.value), c.accepted) << c.size << " " << c.value;
        EXPECT_EQ(a.GetInternalValue(), c.accepted ? c.value : 0);
        // A refusal sends reason ValueChanged so that the row shows the old value again.
        EXPECT_EQ(recorder.reasons, std::vector<int>{ZRUpdate::ValueChanged});
    }
}

TEST(ZRUlongAttribute, DataSizeLimitsInternalValues) {
    struct Case {
        int size;
        uint32_t value;
        bool accepted;
    } cases[] = {{1, 255, true},       {1, 256, false},       {2, 65535, true}, {3, 16777215, true},
                 {3, 16777216, false}, {4, UINT32_MAX, true}, {5, 0, false}};
    for (const Case& c : cases) {
        ZRDevice* device = nullptr;
        ZRUlongAttribute a(device, c.size);
        ModalScript script;
        if (!c.accepted)
            script.ExpectMessage("Invalid Entry", IDOK);
        EXPECT_EQ(a.SetInternalValue(c.value), c.accepted) << c.size << " " << c.value;
    }
    ZRDevice* device = nullptr;
    ZRUlongAttribute three(device, 3);
    EXPECT_EQ(three.GetMax(), 16777215.0);
}

TEST(ZRValAttribute, IncrementLimitsAndTheirTexts) {
    ZRDevice* device = nullptr;
    ZRLongAttribute a(device, 1);
    EXPECT_EQ(a.GetMaxAsString(), "127.0");
    EXPECT_EQ(a.GetMinAsString(), "-128.0");
    a.SetPrecision(2);
    struct Case {
        double increment, expected;
    } cases[] = {{0, 0.01}, {0.005, 0.01}, {0.5, 0.5}};
    for (const Case& c : cases) {
        a.SetIncrement(c.increment);
        EXPECT_DOUBLE_EQ(a.GetIncrement(), c.expected) << c.increment;
    }
    EXPECT_EQ(a.GetIncrAsString(), "0.5");
    a.SetPrecision(-3);
    EXPECT_EQ(a.GetPrecision(), 0);

    ZRUlongAttribute u(device, 4);
    u.SetScale(10);
    u.SetPrecision(1);
    auto range = std::make_unique<ZRRangeValidation>();
    range->SetMin(100);
    range->SetMax(5000);
    u.SetRangeValidation(std::move(range));
    EXPECT_DOUBLE_EQ(u.GetMin(), 10);
    EXPECT_EQ(u.GetMinAsString(), "10.00");
    EXPECT_EQ(u.GetMaxAsString(), "500.00");
}

TEST(ZRUlongAttribute, HexadecimalModeShowsAndReadsHex) {
    ZRDevice* device = nullptr;
    ZRUlongAttribute a(device, 4);
    a.SetHex(true);
    a.SetInternalValue(255);
    EXPECT_EQ(a.GetAsString(), "0xff");
    EXPECT_TRUE(a.SetAsString("1F"));
    EXPECT_EQ(a.GetInternalValue(), 31u);
    a.SetScale(2);
    EXPECT_TRUE(a.SetAsString("1F")); // a display value: multiplied by the factor
    EXPECT_EQ(a.GetInternalValue(), 62u);
    ModalScript script;
    script.ExpectMessage("Invalid Entry", IDOK);
    EXPECT_FALSE(a.SetAsString("zz"));
}

TEST(ZRValAttribute, InternalTextsSetOnlyWhatTheyHold) {
    // An unreadable text (from an exchange file or a composite field) leaves the value alone.
    struct Case {
        const char* text;
        int format;
        bool signedAccepts, unsignedAccepts;
        int64_t value;
    } cases[] = {{"FF", 2, true, true, 255},
                 {"12", 0, true, true, 12},
                 {"zz", 2, false, false, 0},
                 {"x", 0, false, false, 0},
                 {"", 0, false, false, 0},
                 {"4294967295", 0, false, true, UINT32_MAX},
                 {"FFFFFFFF", 2, true, true, UINT32_MAX}};
    ZRDevice* device = nullptr;
    for (const Case& c : cases) {
        ZRLongAttribute s(device, 4);
        ZRUlongAttribute u(device, 4);
        s.SetInternalValue(77);
        u.SetInternalValue(77);
        EXPECT_EQ(s.SetInternalAsFormattedString(c.text, c.format), c.signedAccepts) << c.text;
        EXPECT_EQ(s.GetInternalValue(), c.signedAccepts ? int32_t(uint32_t(c.value)) : 77) << c.text;
        EXPECT_EQ(u.SetInternalAsFormattedString(c.text, c.format), c.unsignedAccepts) << c.text;
        EXPECT_EQ(u.GetInternalValue(), c.unsignedAccepts ? uint32_t(c.value) : 77u) << c.text;
        if (c.signedAccepts && c.unsignedAccepts && c.value == UINT32_MAX) {
            EXPECT_EQ(s.GetInternalAsString(), "-1");
            EXPECT_EQ(u.GetInternalAsString(), "4294967295");
        }
    }
}

TEST(ZRValAttribute, FormattedStringsOfUnscaledAndScaledValues) {
    ZRDevice* device = nullptr;
    ZRLongAttribute a(device, 2);
    a.SetInternalValue(5);
    EXPECT_EQ(a.GetFormattedString(1), "0000000000000101");
    EXPECT_EQ(a.GetFormattedString(2), "0x0005");
    EXPECT_EQ(a.GetFormattedString(0), "5");
    EXPECT_EQ(a.GetFormattedString(9), "");
    a.SetScale(10);
    a.SetPrecision(1);
    EXPECT_EQ(a.GetFormattedString(1), "0.5");

    ZRUlongAttribute u(device, 1);
    u.SetInternalValue(0xA5);
    EXPECT_EQ(u.GetFormattedString(2), "0xA5");
    EXPECT_EQ(u.GetFormattedString(1), "10100101");
}

TEST(ZRValAttribute, FollowsItsScaleModel) {
    ZRDevice* device = nullptr;
    ZRLongAttribute a(device, 4);
    TestScale scale(4096);
    a.SetScaleObject(&scale);
    a.SetPrecision(0);
    a.SetInternalValue(8192);
    EXPECT_EQ(a.GetAsString(), "2.00"); // the scale's precision
    EXPECT_TRUE(a.SetAsString("2.5"));
    EXPECT_EQ(a.GetInternalValue(), 10240);

    ReasonRecorder recorder(a);
    scale.Notify(ZRUpdate::ValueChanged);
    EXPECT_EQ(recorder.reasons, (std::vector<int>{ZRUpdate::ScaleChanged, ZRUpdate::ValueChanged}));

    scale.failing = true;
    EXPECT_EQ(a.GetAsString(), "Scaling Error");
    EXPECT_EQ(a.GetFormattedString(2), "Scaling Error");
    {
        ModalScript script;
        script.ExpectMessage("Invalid Entry", IDOK);
        EXPECT_FALSE(a.SetAsString("3"));
    }
    EXPECT_EQ(a.GetInternalValue(), 10240);

    recorder.Clear();
    scale.Notify(ZRUpdate::Destroying);
    EXPECT_EQ(recorder.reasons, std::vector<int>{ZRUpdate::ValueChanged});
    EXPECT_EQ(a.GetScaleObject(), nullptr);
    EXPECT_TRUE(scale.GetObservers().empty());
    EXPECT_EQ(a.GetAsString(), "10240");
}

TEST(ZRValAttribute, OwnsItsFormatModel) {
    ZRDevice* device = nullptr;
    ZRLongAttribute a(device, 4);
    auto owned = std::make_unique<ZRFormat>();
    ZRFormat* format = owned.get();
    format->SetFormatString("%.3f");
    a.SetFormat(std::move(owned));
    a.SetInternalValue(2);
    EXPECT_EQ(a.GetAsString(), "2.000");
    EXPECT_EQ(a.GetFormattedString(2), "2.000");
    ReasonRecorder recorder(a);
    format->SetFormatString("%.1f");
    EXPECT_EQ(recorder.reasons, std::vector<int>{ZRUpdate::ValueChanged});
    EXPECT_EQ(a.GetAsString(), "2.0");
    a.SetFormat(nullptr); // deletes the old one
    EXPECT_EQ(a.GetAsString(), "2");
}

TEST(ZRValAttribute, OffLineMissingValueIsStoredQuietly) {
    AttributeOwner owner;
    ZRUlongAttribute a(owner.object.GetDevice(), 4);
    owner.Bind(a, kId, "Gain");
    a.SetInternalValue(9); // stored already
    owner.storage.longs.clear();
    EXPECT_TRUE(a.Refresh(false));
    EXPECT_EQ(owner.Long(kId), 9);
    EXPECT_TRUE(a.Exists());
}

TEST(ZRValAttribute, WriteErrorKeepsTheValueAndSendsNothing) {
    AttributeOwner owner(false);
    ZRLongAttribute a(owner.object.GetDevice(), 4);
    owner.Bind(a, kId, "Speed");
    ReasonRecorder recorder(a);
    owner.storage.FailNext(ZRError(4, "Communications have been lost with node 3"), "WriteLong");
    ModalScript script;
    script.ExpectMessage("Speed: Communications have been lost with node 3", IDOK);
    EXPECT_FALSE(a.SetInternalValue(12));
    EXPECT_EQ(a.GetInternalValue(), 0);
    EXPECT_TRUE(recorder.reasons.empty());
    owner.storage.RefuseNext("WriteLong");
    EXPECT_FALSE(a.SetInternalValue(12));
    EXPECT_EQ(a.GetInternalValue(), 0);
}

TEST(ZRValAttribute, OutlivesItsScaleAndUnits) {
    // Families may delete a scale or units model before the attribute bound to it.
    Speed s;
    auto* scale = new TestScale(2.0);
    auto* units = new ZRUnits;
    s.a.SetScaleObject(scale);
    s.a.SetUnitsObject(units);
    delete scale;
    delete units;
    EXPECT_EQ(s.a.GetUnitsObject(), nullptr);
    EXPECT_TRUE(s.a.SetAsString("1.5"));
    EXPECT_EQ(s.owner.Long(kId), 15);
}
