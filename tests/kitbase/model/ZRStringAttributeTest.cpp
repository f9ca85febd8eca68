// String and composite attributes and the fields of a composite.
#include "AttributeFixture.h"

#include "kitbase/model/ZRAttributeField.h"
#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRCompositeAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRValStringLength.h"
#include "support/model/ReasonRecorder.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
constexpr int32_t kId = 7;
} // namespace

TEST(ZRStringAttribute, PadsWhatItWritesAndKeepsTheTrimmedText) {
    struct Case {
        int padded;
        StringPaddingType type;
        char pad;
        const char* text;
        const char* value;
        const char* stored;
    } cases[] = {{8, PadRight, ' ', "  ab  ", "ab", "ab      "},
                 {8, PadLeft, '0', "12", "12", "00000012"},
                 {4, PadRight, ' ', "abcdef", "abcdef", "abcd"},
                 {0, NoPadding, ' ', " x y ", "x y", "x y"},
                 {0, Verbatim, ' ', " x y ", " x y ", " x y "}};
    for (const Case& c : cases) {
        AttributeOwner owner;
        ZRStringAttribute a(owner.object.GetDevice(), c.padded, c.type, c.pad);
        owner.Bind(a, kId);
        EXPECT_TRUE(a.SetAsString(c.text)) << c.text;
        EXPECT_EQ(a.GetAsString(), c.value) << c.text;
        EXPECT_EQ(owner.storage.strings[owner.Key(kId)], c.stored) << c.text;
    }
}

TEST(ZRStringAttribute, RefreshTrimsUnlessVerbatim) {
    AttributeOwner owner;
    ZRStringAttribute padded(owner.object.GetDevice(), 8, PadRight, ' ');
    ZRStringAttribute verbatim(owner.object.GetDevice(), 0, Verbatim, ' ');
    owner.Bind(padded, 1);
    owner.Bind(verbatim, 2);
    owner.storage.strings[owner.Key(1)] = "ab      ";
    owner.storage.strings[owner.Key(2)] = " ab ";
    ReasonRecorder recorder(padded);
    EXPECT_TRUE(padded.Refresh(false));
    EXPECT_TRUE(padded.Refresh(false));
    EXPECT_EQ(padded.GetAsString(), "ab");
    EXPECT_EQ(recorder.Count(ZRUpdate::ValueChanged), 1);
    verbatim.Refresh(false);
    EXPECT_EQ(verbatim.GetAsString(), " ab ");
}

TEST(ZRStringAttribute, LengthLimits) {
    struct Case {
        int padded, maximum; // maximum 0: no length validation
        int expected;
    } cases[] = {{16, 10, 10}, {16, 20, 16}, {0, 10, 10}, {8, 0, 8}};
    ZRDevice* device = nullptr;
    for (const Case& c : cases) {
        ZRStringAttribute a(device, c.padded, NoPadding, ' ');
        if (c.maximum)
            a.SetLengthValidation(std::make_unique<ZRValStringLength>(c.maximum, 2));
        EXPECT_EQ(a.GetMaxLength(), c.expected) << c.padded << " " << c.maximum;
        EXPECT_EQ(a.GetMinLength(), c.maximum ? 2 : 0);
    }
}

TEST(ZRCompositeAttribute, ReadsAndWritesFieldsInsideItsText) {
    AttributeOwner owner;
    ZRCompositeAttribute c(owner.object.GetDevice());
    owner.Bind(c, kId);
    c.SetAsString("ABCDEFGH");
    EXPECT_EQ(c.GetFieldAsString(2, 3), "CDE");
    EXPECT_EQ(c.GetFieldAsString(6, 5), "GH");
    EXPECT_EQ(c.GetFieldAsString(9, 2), "");
    ReasonRecorder recorder(c);
    EXPECT_TRUE(c.SetFieldAsString("xyz", 2, 3));
    EXPECT_EQ(c.GetAsString(), "ABxyzFGH");
    EXPECT_EQ(owner.storage.strings[owner.Key(kId)], "ABxyzFGH");
    EXPECT_EQ(recorder.reasons, (std::vector<int>{ZRUpdate::ValueWritten, ZRUpdate::ValueChanged}));
    // Fields reaching past the text, or texts too short for the field, are refused.
    struct Case {
        const char* text;
        short start, length;
    } refused[] = {{"xyz", 7, 3}, {"xy", -1, 2}, {"x", 2, 3}, {"xyz", 2, -1}};
    for (const Case& r : refused) {
        EXPECT_FALSE(c.SetFieldAsString(r.text, r.start, r.length)) << r.start;
        EXPECT_EQ(c.GetAsString(), "ABxyzFGH");
    }
}

TEST(ZRAttributeField, HexFieldFollowsTheCompositeBothWays) {
    ZRDevice* device = nullptr;
    ZRCompositeAttribute composite(device);
    composite.SetAsString("ABCDEFGH");
    ZRUlongAttribute value(device, 1);
    value.SetField(std::make_unique<ZRAttributeField>(&value, &composite, 2, 2));
    EXPECT_EQ(composite.GetAsString(), "AB00EFGH"); // written at once
    EXPECT_TRUE(value.SetInternalValue(10));
    EXPECT_EQ(composite.GetAsString(), "AB0AEFGH");
    composite.SetAsString("AB1FEFGH");
    EXPECT_EQ(value.GetInternalValue(), 31u);
    composite.SetAsString("ABzzEFGH"); // not a number: the value stays
    EXPECT_EQ(value.GetInternalValue(), 31u);
    int32_t n = 0;
    EXPECT_FALSE(value.GetField()->GetLong(n));
    EXPECT_FALSE(value.GetField()->SetString("123"));
}

TEST(ZRAttributeField, OneBitFieldShownThroughTexts) {
    ZRDevice* device = nullptr;
    ZRCompositeAttribute composite(device);
    composite.SetAsString("-N-");
    ZRBoolAttribute flag(device, 1, -1);
    auto owned = std::make_unique<ZRAttributeField>(&flag, &composite, 1, 1);
    ZRAttributeField* field = owned.get();
    field->SetTrueString("Y");
    field->SetFalseString("N");
    flag.SetField(std::move(owned));
    composite.SetAsString("-Y-");
    EXPECT_TRUE(flag.GetValue());
    ReasonRecorder recorder(composite);
    EXPECT_TRUE(field->SetLong(1)); // already Y: nothing written
    EXPECT_TRUE(recorder.reasons.empty());
    EXPECT_TRUE(field->SetLong(0));
    EXPECT_EQ(composite.GetAsString(), "-N-");
    EXPECT_TRUE(flag.GetValue()); // the field's own write does not come back to it
}

TEST(ZRAttributeField, ForgetsACompositeThatIsGone) {
    ZRDevice* device = nullptr;
    auto composite = std::make_unique<ZRCompositeAttribute>(device);
    composite->SetAsString("0000");
    ZRUlongAttribute value(device, 1);
    value.SetField(std::make_unique<ZRAttributeField>(&value, composite.get(), 0, 2));
    composite.reset();
    EXPECT_EQ(value.GetField()->GetComposite(), nullptr);
    EXPECT_FALSE(value.Exists());
    EXPECT_FALSE(value.SetInternalValue(3));
    EXPECT_EQ(value.GetInternalValue(), 0u);
}
