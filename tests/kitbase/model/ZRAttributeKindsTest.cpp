// Float, boolean, gear-ratio and 32.32 fixed-point attributes.
#include "AttributeFixture.h"

#include "kitbase/model/ZR3232Attribute.h"
#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRFloatAttribute.h"
#include "kitbase/model/ZRGearAttribute.h"
#include "support/ModalScript.h"
#include "support/model/ReasonRecorder.h"

#include <gtest/gtest.h>

using platform::core::IDNO;
using platform::core::IDOK;

namespace {
constexpr int32_t kId = 7;
constexpr int32_t kMasterId = 8;

FakeStorage::Bytes FixedBytes(int32_t integer, uint32_t fraction) {
    FakeStorage::Bytes b(8);
    for (int i = 0; i < 4; ++i) {
        b[size_t(i)] = uint8_t(fraction >> (8 * i));
        b[size_t(i) + 4] = uint8_t(uint32_t(integer) >> (8 * i));
    }
    return b;
}
} // namespace

TEST(ZRFloatAttribute, ReadsAndShowsNumbers) {
    AttributeOwner owner;
    ZRFloatAttribute a(owner.object.GetDevice());
    owner.Bind(a, kId, "Gain");
    EXPECT_TRUE(a.SetAsString("1.5"));
    EXPECT_EQ(a.GetAsString(), "1.5");
    EXPECT_EQ(owner.storage.floats[owner.Key(kId)], 1.5f);
    struct Case {
        float value;
        const char* text;
    } cases[] = {{1e-7f, "1E-07"}, {1e10f, "1E+10"}, {-2.25f, "-2.25"}};
    for (const Case& c : cases) {
        a.SetValue(c.value);
        EXPECT_EQ(a.GetInternalAsString(), c.text);
    }
    ReasonRecorder recorder(a);
    ModalScript script;
    script.ExpectMessage("Gain: Invalid Entry", IDOK);
    EXPECT_FALSE(a.SetAsString("abc"));
    EXPECT_TRUE(recorder.reasons.empty());
}

TEST(ZRFloatAttribute, OnLineReadErrorAsksAboutSaving) {
    AttributeOwner owner(false);
    ZRFloatAttribute a(owner.object.GetDevice());
    owner.Bind(a, kId, "Gain");
    ModalScript script;
    script.ExpectMessage("Gain: Data doesn't exist\nDo you want to save this parameter?", IDNO);
    EXPECT_FALSE(a.Refresh(false));
    EXPECT_FALSE(a.IsReadable());
}

TEST(ZRBoolAttribute, OneBitOfTheStoredInteger) {
    AttributeOwner owner;
    ZRBoolAttribute a(owner.object.GetDevice(), 2, 3);
    owner.Bind(a, kId);
    owner.Long(kId) = 0x00F0;
    a.Refresh(false);
    EXPECT_FALSE(a.GetValue());
    ReasonRecorder recorder(a);
    EXPECT_TRUE(a.SetValue(true));
    EXPECT_EQ(owner.Long(kId), 0x00F8);
    EXPECT_EQ(owner.storage.lastSize, 2);
    EXPECT_EQ(recorder.reasons, (std::vector<int>{ZRUpdate::ValueWritten, ZRUpdate::ValueChanged}));
    owner.Long(kId) = 0x0001;
    a.Refresh(false);
    EXPECT_FALSE(a.GetValue());
    EXPECT_TRUE(a.SetValue(true));
    EXPECT_EQ(owner.Long(kId), 0x0009);
}

TEST(ZRBoolAttribute, WholeValueTextsAndKey) {
    AttributeOwner owner;
    ZRBoolAttribute a(owner.object.GetDevice(), 4, -1);
    owner.Bind(a, 0x1234);
    a.SetStrings("Off", "On");
    struct Case {
        const char* text;
        bool value;
    } display[] = {{"ON", true}, {"off", false}, {"On", true}, {"yes", false}};
    for (const Case& c : display) {
        a.SetAsString(c.text);
        EXPECT_EQ(a.GetValue(), c.value) << c.text;
        EXPECT_EQ(owner.Long(0x1234), c.value ? 1 : 0) << c.text;
    }
    a.SetInternalAsFormattedString("2", 2);
    EXPECT_TRUE(a.GetValue());
    a.SetInternalAsFormattedString("0", 2);
    EXPECT_FALSE(a.GetValue());
    a.SetInternalAsString("False");
    EXPECT_TRUE(a.GetValue());
    EXPECT_EQ(a.GetInternalAsString(), "true");
    EXPECT_EQ(a.GetAsString(), "On");
    a.SetInternalAsString("false");
    EXPECT_FALSE(a.GetValue());
    EXPECT_EQ(a.GetKey(), "Bool.4660.-1");
}

TEST(ZRGearAttribute, ReadsRatiosWithAnySeparatorAndClamps) {
    AttributeOwner owner;
    ZRGearAttribute a(owner.object.GetDevice());
    a.SetObject(&owner.object);
    a.Define(kMasterId, kId);
    struct Case {
        const char* text;
        int32_t word;
        const char* shown;
    } cases[] = {{"3:4", 0x00040003, "3:4"},
                 {"5 -2", int32_t(0xFFFE0005), "5:-2"},
                 {"0:0", 0x00010001, "1:1"},
                 {"40000:1", 0x00017FFF, "32767:1"},
                 {"2/-40000", int32_t(0x80010002), "2:-32767"}};
    for (const Case& c : cases) {
        EXPECT_TRUE(a.SetAsString(c.text)) << c.text;
        EXPECT_EQ(a.GetInternalValue(), c.word) << c.text;
        EXPECT_EQ(a.GetAsString(), c.shown) << c.text;
    }
    EXPECT_EQ(owner.Long(kMasterId), 2);
    EXPECT_EQ(owner.Long(kId), -32767);
    EXPECT_EQ(owner.storage.lastSize, 2);
    a.SetName("Ratio");
    ModalScript script;
    script.ExpectMessage("Ratio: Invalid Entry", IDOK);
    EXPECT_FALSE(a.SetAsString("abc"));
    EXPECT_FALSE(a.SetInternalAsString("x"));
    EXPECT_EQ(a.GetAsString(), "2:-32767");
}

TEST(ZRGearAttribute, ValidateNeedsAColonAndSaneHalves) {
    ZRDevice* device = nullptr;
    ZRGearAttribute a(device);
    a.SetName("Ratio");
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {{"3:0", "Follower cannot be zero"},
                 {"3:40000", "Follower cannot be greater than 32767"},
                 {"3:-40000", "Follower cannot be less than -32767"},
                 {"0:5", "Master cannot be less than 1"},
                 {"40000:5", "Master cannot be greater than 32767"},
                 {"3/4", "Ratio: Gear ratios must be in <unsigned integer>:<integer> format"}};
    for (const Case& c : cases) {
        ModalScript script;
        script.ExpectMessage(c.message, IDOK);
        EXPECT_FALSE(a.Validate(c.text)) << c.text;
        EXPECT_EQ(script.Seen().at(0), c.message);
    }
    EXPECT_TRUE(a.Validate("3:-4"));
}

TEST(ZRGearAttribute, SaveMendsTheUnreadWord) {
    AttributeOwner owner;
    ZRGearAttribute a(owner.object.GetDevice());
    a.SetObject(&owner.object);
    a.Define(kMasterId, kId);
    EXPECT_EQ(a.GetInternalValue(), -9999);
    EXPECT_TRUE(a.Save());
    EXPECT_EQ(owner.Long(kMasterId), 1);
    EXPECT_EQ(owner.Long(kId), -1);
    EXPECT_EQ(a.GetAsString(), "1:-1");
}

TEST(ZRGearAttribute, FailedFollowerWriteShowsWhatTheDriveHolds) {
    AttributeOwner owner;
    ZRGearAttribute a(owner.object.GetDevice());
    a.SetObject(&owner.object);
    a.Define(kMasterId, kId);
    owner.Long(kMasterId) = 3;
    owner.Long(kId) = 4;
    owner.storage.RefuseNext("WriteLong");
    EXPECT_FALSE(a.SetAsString("7:8"));
    EXPECT_EQ(a.GetAsString(), "7:4"); // the master half went through
}

TEST(ZR3232Attribute, StoresFloorAndFraction) {
    AttributeOwner owner;
    ZR3232Attribute a(owner.object.GetDevice());
    owner.Bind(a, kId);
    struct Case {
        const char* text;
        int32_t integer;
        uint32_t fraction;
        const char* shown;
    } cases[] = {{"1.5", 1, 0x80000000u, "1.5"},
                 {"-1.25", -2, 0xC0000000u, "-1.25"},
                 {"  2e1", 20, 0, "20"},
                 {"2147483647", INT32_MAX, 0, "2147483647"},
                 {"-2147483648", INT32_MIN, 0, "-2147483648"}};
    for (const Case& c : cases) {
        EXPECT_TRUE(a.SetAsString(c.text)) << c.text;
        EXPECT_EQ(a.GetInteger(), c.integer) << c.text;
        EXPECT_EQ(a.GetFraction(), c.fraction) << c.text;
        EXPECT_EQ(a.GetAsString(), c.shown) << c.text;
        EXPECT_EQ(owner.storage.binaries[owner.Key(kId)], FixedBytes(c.integer, c.fraction)) << c.text;
    }
}

TEST(ZR3232Attribute, RefusesOutOfRangeAndTrailingText) {
    ZRDevice* device = nullptr;
    ZR3232Attribute a(device);
    a.SetAsString("1");
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {{"3e9", "Value out of range"},
                 {"-2147483648.5", "Value out of range"},
                 {"1.5x", "Invalid Entry"},
                 {"nan", "Invalid Entry"},
                 {"abc", "Invalid Entry"}};
    for (const Case& c : cases) {
        ReasonRecorder recorder(a);
        ModalScript script;
        script.ExpectMessage(c.message, IDOK);
        EXPECT_FALSE(a.SetAsString(c.text)) << c.text;
        EXPECT_EQ(recorder.reasons, std::vector<int>{ZRUpdate::ValueChanged});
        EXPECT_EQ(a.GetAsString(), "1");
    }
}

// What export writes, import must read back as the very same value.
TEST(ZR3232Attribute, ExportAndImportRoundTripEveryValue) {
    AttributeOwner owner;
    ZR3232Attribute source(owner.object.GetDevice());
    owner.Bind(source, kId);
    struct Case {
        int32_t integer;
        uint32_t fraction;
    } cases[] = {{0, 1},
                 {0, 0xFFFFFFFFu},
                 {INT32_MAX, 0xFFFFFFFFu},
                 {INT32_MIN, 1},
                 {123456, 0x12345678u},
                 {-1, 0x80000000u},
                 {1000000000, 1},
                 {-7, 3}};
    for (const Case& c : cases) {
        owner.storage.binaries[owner.Key(kId)] = FixedBytes(c.integer, c.fraction);
        ASSERT_TRUE(source.Refresh(false));
        std::string text = source.GetInternalAsString();
        ZRDevice* none = nullptr;
        ZR3232Attribute target(none);
        EXPECT_TRUE(target.SetInternalAsString(text)) << text;
        EXPECT_EQ(target.GetInteger(), c.integer) << text;
        EXPECT_EQ(target.GetFraction(), c.fraction) << text;
    }
    // Values that the display text already carries keep that text.
    owner.storage.binaries[owner.Key(kId)] = FixedBytes(0, 1);
    source.Refresh(false);
    EXPECT_EQ(source.GetInternalAsString(), source.GetAsString());
}

TEST(ZR3232Attribute, RefreshAndSaveFailures) {
    AttributeOwner owner;
    ZR3232Attribute a(owner.object.GetDevice());
    ReasonRecorder recorder(a);
    EXPECT_TRUE(a.Refresh(true)); // not read-valid: nothing at all, even forced
    EXPECT_TRUE(recorder.reasons.empty());

    owner.Bind(a, kId, "Offset");
    owner.storage.binaries[owner.Key(kId)] = {1, 2, 3};
    EXPECT_FALSE(a.Refresh(false)); // too short to be a value
    EXPECT_EQ(a.GetInteger(), -9999);

    a.SetAsString("2.5");
    owner.storage.FailNext(ZRError(0, "Database is read-only"), "WriteBinary");
    ModalScript script;
    script.ExpectMessage("Offset: Database is read-only", IDOK);
    EXPECT_FALSE(a.SetAsString("3.75"));
    EXPECT_EQ(a.GetAsString(), "2.5");
}
