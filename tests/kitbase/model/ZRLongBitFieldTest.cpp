#include "AttributeFixture.h"

#include "kitbase/model/ZRLongBitField.h"
#include "support/ModalScript.h"
#include "support/model/ReasonRecorder.h"

#include <gtest/gtest.h>

using platform::core::IDOK;

namespace {
constexpr int32_t kId = 7;

// Entries 0, 1, 4 and 8: "None", "A", "B", "C".
void Fill(ZRLongBitField& f) {
    f.Add(0, "None");
    f.Add(1, "A");
    f.Add(4, "B");
    f.Add(8, "C");
}
} // namespace

TEST(ZRLongBitField, ConvertsBetweenDriveValueAndCheckList) {
    ZRDevice* device = nullptr;
    ZRLongBitField f(device, 4, 4);
    Fill(f);
    struct Case {
        const char* in;
        const char* decoded;
    } decode[] = {{"12", "6"}, {"1", "1"}, {"0", "0"}, {"13x", "7"}, {"", "0"}};
    for (const Case& c : decode)
        EXPECT_EQ(f.DecodeCheckListBox(c.in), c.decoded) << c.in;
    struct Case2 {
        const char* in;
        const char* encoded;
    } encode[] = {{"5", "9"}, {"7", "13"}, {"8", "0"}, {"0", "0"}};
    for (const Case2& c : encode)
        EXPECT_EQ(f.EncodeCheckListBox(c.in), c.encoded) << c.in;
}

TEST(ZRLongBitField, TableLookupsStayInsideTheTable) {
    ZRDevice* device = nullptr;
    ZRLongBitField f(device, 4, 4);
    Fill(f);
    f.Add(16, "Extra"); // beyond the entry count
    EXPECT_EQ(f.GetStrings().size(), 4u);
    EXPECT_EQ(f.GetIndex(4), 2);
    EXPECT_EQ(f.GetIndex(2), -1);
    EXPECT_EQ(f.GetIndex(16), -1);
    EXPECT_EQ(ZRLongBitField::GetBitPosition(12), 2);
    EXPECT_EQ(ZRLongBitField::GetBitPosition(0), -1);
    EXPECT_EQ(ZRLongBitField::GetBitPosition(INT32_MIN), 31);
    EXPECT_TRUE(f.Modify(8, "Cee"));
    EXPECT_EQ(f.GetIndexedString(3), "Cee");
    EXPECT_FALSE(f.Modify(16, "x"));
    EXPECT_EQ(f.GetDataCode(3), 8);
    EXPECT_EQ(f.GetDataCode(4), 0);
    EXPECT_EQ(f.GetDataCode(-1), 0);
    EXPECT_EQ(f.GetIndexedString(4), "");
    EXPECT_TRUE(f.IsValid(3));
    EXPECT_FALSE(f.IsValid(4));
    EXPECT_EQ(f.GetSize(), 4);
}

TEST(ZRLongBitField, TextsAndTheRangeOfTheDataSize) {
    AttributeOwner owner;
    ZRLongBitField f(owner.object.GetDevice(), 4, 1);
    owner.Bind(f, kId, "Flags");
    EXPECT_TRUE(f.SetAsString("9"));
    EXPECT_EQ(owner.Long(kId), 9);
    EXPECT_EQ(owner.storage.lastSize, 1);
    EXPECT_TRUE(f.SetAsString(""));
    EXPECT_EQ(f.GetValue(), 0);
    {
        ModalScript script;
        script.ExpectMessage("Flags: Invalid Entry", IDOK);
        EXPECT_FALSE(f.SetAsString("x"));
    }
    {
        ModalScript script;
        script.ExpectMessage("Flags: Invalid Entry", IDOK);
        EXPECT_FALSE(f.SetValue(200)); // one byte
    }
    EXPECT_FALSE(f.SetInternalAsString("x"));
    EXPECT_EQ(f.GetInternalAsString(), "0");
    EXPECT_EQ(owner.storage.Calls("WriteLong"), 2);

    // Not bound to storage: kept without a range check.
    ZRDevice* none = nullptr;
    ZRLongBitField loose(none, 4, 1);
    EXPECT_TRUE(loose.SetInternalAsFormattedString("200", 2));
    EXPECT_EQ(loose.GetAsString(), "200");
}
