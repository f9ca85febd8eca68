#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRRangeValidation.h"
#include "kitbase/model/ZRScale.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRValIllegalChars.h"
#include "kitbase/model/ZRValRangeValidation.h"
#include "kitbase/model/ZRValStringLength.h"
#include "kitbase/model/ZRValUniqueName.h"
#include "support/model/TestObjects.h"

#include <gtest/gtest.h>

#include <cfloat>

namespace {

struct Outcome {
    const char* text;
    bool passes;
    const char* message;
};

// Runs the validation on each text as the attribute's candidate.
void Expect(ZRAttribute& attribute, ZRValidation& validation, std::initializer_list<Outcome> outcomes) {
    for (const Outcome& o : outcomes) {
        attribute.SetTestString(o.text);
        std::string message;
        EXPECT_EQ(validation.Test(message), o.passes) << o.text;
        EXPECT_EQ(message, o.message) << o.text;
    }
}

struct Attr {
    ZRDevice* device = nullptr;
    ZRStringAttribute text{device, 0, NoPadding, ' '};
};

} // namespace

TEST(ZRRangeValidation, StartsOpenAndInclusive) {
    ZRRangeValidation range;
    EXPECT_TRUE(range.IsInclusiveMin());
    EXPECT_TRUE(range.IsInclusiveMax());
    EXPECT_EQ(range.GetMin(), -DBL_MAX);
    EXPECT_EQ(range.GetMax(), DBL_MAX);
    EXPECT_EQ(range.GetAttribute(), nullptr);
}

TEST(ZRRangeValidation, InclusiveBounds) {
    Attr a;
    ZRRangeValidation range;
    range.SetAttribute(&a.text);
    range.SetMin(0);
    range.SetMax(10);
    Expect(a.text, range,
           {{"10", true, ""},
            {"0", true, ""},
            {"10.5", false, "Value cannot be more than 10"},
            {"-1", false, "Value cannot be less than 0"},
            {"abc", false, "Invalid Entry"},
            {"", false, "Invalid Entry"}});
}

TEST(ZRRangeValidation, ExclusiveBounds) {
    Attr a;
    ZRRangeValidation range;
    range.SetAttribute(&a.text);
    range.SetMin(0);
    range.SetMax(10);
    range.SetInclusiveMax(false);
    range.SetInclusiveMin(false);
    Expect(a.text, range,
           {{"9.99", true, ""},
            {"10", false, "Value must be less than 10"},
            {"11", false, "Value must be less than 10"},
            {"0", false, "Value must be greater than 0"},
            {"0.01", true, ""}});
}

TEST(ZRValRangeValidation, ComparesInInternalUnitsAndNamesBoundsInDisplayUnits) {
    ZRDevice* device = nullptr;
    ZRLongAttribute attribute(device, 4);
    attribute.SetScale(10.0);
    ZRValRangeValidation range;
    range.SetAttribute(&attribute);
    range.SetMin(-5);
    range.SetMax(1000);
    Expect(attribute, range,
           {{"100", true, ""},
            {"100.5", false, "Value cannot be more than 100"},
            {"-0.6", false, "Value cannot be less than -0.5"},
            {"x", false, "Invalid Entry"}});
    range.SetInclusiveMax(false);
    range.SetMax(1234.5);
    Expect(attribute, range, {{"123.45", false, "Value must be less than 123.45"}});
    range.SetInclusiveMin(false);
    Expect(attribute, range, {{"-0.5", false, "Value must be greater than -0.5"}});
}

TEST(ZRValRangeValidation, ReportsScalingErrorAndRefusesOtherAttributes) {
    // Typed values convert, but the bound cannot be converted back for the message.
    struct OneWay : ZRScale {
        int GetPrecision() override { return 0; }
        bool GetScaleFactor(double& f) override {
            f = 1.0;
            return true;
        }
        bool ScaleValue(double&) override { return false; }
    } scale;
    ZRDevice* device = nullptr;
    ZRLongAttribute attribute(device, 4);
    attribute.SetScaleObject(&scale);
    ZRValRangeValidation range;
    range.SetAttribute(&attribute);
    range.SetMax(10);
    Expect(attribute, range, {{"11", false, "Scaling Error"}, {"10", true, ""}});
    attribute.SetScaleObject(nullptr);

    Attr a;
    ZRValRangeValidation onText;
    onText.SetAttribute(&a.text);
    Expect(a.text, onText, {{"5", false, "Invalid Entry"}});
}

TEST(ZRValIllegalChars, RefusesBlanksAndPathCharacters) {
    Attr a;
    ZRValIllegalChars chars;
    chars.SetAttribute(&a.text);
    const char* refused = "Spaces and the following characters are not allowed: \\/:*?\"<>|";
    Expect(a.text, chars, {{"Drive_1", true, ""}, {"", true, ""}, {"a-b.c", true, ""}});
    for (const char* text : {"my drive", "a\\b", "a/b", "a:b", "a*", "?", "\"q\"", "<", ">", "a|b"})
        Expect(a.text, chars, {{text, false, refused}});
}

TEST(ZRValStringLength, LimitsLengthBothWays) {
    Attr a;
    ZRValStringLength length(8, 1);
    length.SetAttribute(&a.text);
    Expect(a.text, length,
           {{"12345678", true, ""},
            {"123456789", false, "Cannot be more than 8 characters"},
            {"", false, "Cannot be less than 1 characters"},
            {"x", true, ""}});
}

TEST(ZRValUniqueName, ComparesWithSiblingsOfTheSameClassExactly) {
    TestObject folder;
    folder.Init();
    auto adopt = [&folder](ZRObject* child, const char* name) {
        child->Init();
        folder.AddChild(std::unique_ptr<ZRObject>(child), false);
        child->GetName().SetAsString(name);
        return child;
    };
    adopt(new TestObject, "Axis");
    ZRObject* second = adopt(new TestObject, "Second");
    adopt(new OtherObject, "Spindle");

    ZRValUniqueName unique;
    unique.SetAttribute(&second->GetName());
    Expect(second->GetName(), unique,
           {{"Axis", false, "Must be unique"},
            {"axis", true, ""},
            {"Spindle", true, ""},  // another class
            {"Second", true, ""}}); // its own name

    ZRValUniqueName orphan;
    orphan.SetAttribute(&folder.GetName());
    folder.GetName().SetAsString("Axis");
    Expect(folder.GetName(), orphan, {{"Axis", true, ""}});
}
