#include "support/model/TestObjects.h"
#include "support/ui/UiTestApp.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRFloatAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/ZRAsStringRow.h"
#include "kitbase/ui/ZRBoolEditRow.h"
#include "kitbase/ui/ZRBoolRow.h"
#include "kitbase/ui/ZRCheckListRow.h"
#include "kitbase/ui/ZRChoiceRow.h"
#include "kitbase/ui/ZRDynamicHeader.h"
#include "kitbase/ui/ZREditRow.h"
#include "kitbase/ui/ZRFileSelectionRow.h"
#include "kitbase/ui/ZRProgressRow.h"
#include "kitbase/ui/ZRSpinRow.h"
#include "quorvance/shell/ZRMasterRowFactory.h"
#include "quorvance/shell/ZRVersionRow.h"

#include <gtest/gtest.h>

#include <memory>
#include <typeinfo>

namespace {

using Kind = ZRMasterRowFactory::RowKind;

constexpr int32_t Tarvik(int32_t p, int32_t index = 0xFFFF) {
    return static_cast<int32_t>((static_cast<uint32_t>(p) << 16) | static_cast<uint32_t>(index));
}

struct RuleCase {
    const char* what;
    int32_t owner;
    int32_t id;
    const char* name;
    bool status;
    Kind expected;
    bool writable = true;
    bool indexSelection = false;
};

} // namespace

TEST(ZRMasterRowFactory, RuleTable) {
    const RuleCase cases[] = {
        // Merrix objects are keyed by the whole id.
        {"jog edit range", 1, 131, "", false, Kind::Edit},
        {"jog other", 1, 133, "", false, Kind::AsString},
        {"digital input lamp", 2, 128, "", false, Kind::Bool},
        {"digital output choice", 3, 129, "", false, Kind::Choice},
        {"position regulator without id", 9, -1, "x", false, Kind::BoolEdit},
        {"position regulator gain, property", 9, 136, "", false, Kind::Edit},
        {"position regulator gain, status", 9, 136, "", true, Kind::AsString},
        {"current regulator 187, status", 11, 187, "", true, Kind::AsString},
        {"current regulator 187, property", 11, 187, "", false, Kind::BoolEdit},
        {"series writable", 12, 300, "Series", false, Kind::Choice},
        {"series read-only", 12, 300, "Series", false, Kind::AsString, false},
        {"merrix motor model", 13, 129, "", false, Kind::MotorChoice},
        {"merrix drive address", 16, -1, "Drive Address", false, Kind::AsString},
        {"merrix drive type", 16, -1, "Drive Type", false, Kind::Choice},
        {"merrix drive other name", 16, -1, "Anything", false, Kind::Edit},
        {"merrix drive version", 16, 131, "", false, Kind::Version},
        {"analog output channel", 23, 133, "", false, Kind::Channel},
        {"variable value", 24, 5, "", false, Kind::VarValue},
        {"sequencer progress", 25, 128, "", true, Kind::Progress},
        {"merrix file is unlisted", 5, 3, "", false, Kind::AsString},
        // Tarvik blocks are keyed by the parameter number: the array index never matters.
        {"tarvik drive p34 property", -177, Tarvik(34), "", false, Kind::Edit},
        {"tarvik drive p34 status", -177, Tarvik(34), "", true, Kind::AsString},
        {"tarvik drive other p is editable in both", -178, Tarvik(35, 3), "", true, Kind::Edit},
        {"tarvik drive p350 selection", -178, Tarvik(350), "", false, Kind::Choice, true, true},
        {"tarvik drive p350 otherwise", -178, Tarvik(350), "", false, Kind::BoolEdit},
        {"tarvik drive p207 array element", -177, Tarvik(207, 2), "", false, Kind::Bool},
        {"tarvik parameter number is 9 bits", -177, Tarvik(207 | 0x200), "", false, Kind::Bool},
        {"tarvik tuning spin", -170, Tarvik(51), "", false, Kind::Spin},
        {"tarvik motor model property", -171, Tarvik(235), "", false, Kind::MotorChoice},
        {"tarvik motor model status", -171, Tarvik(235), "", true, Kind::AsString},
        {"tarvik blob file", -169, -1, "Blob File", false, Kind::BlobFile},
        {"tarvik encoder status", -169, -1, "Status", false, Kind::AsString},
        {"tarvik encoder other", -169, Tarvik(3), "", false, Kind::Bool},
        {"tarvik digital inputs", -168, Tarvik(105, 4), "", false, Kind::CheckList},
        {"tarvik service version", -163, Tarvik(2), "", false, Kind::VersionTarvik},
        {"devicenet check list", -156, Tarvik(355), "", false, Kind::CheckList},
        {"devicenet other", -156, Tarvik(1), "", false, Kind::Bool},
        // Owners with no line of their own.
        {"tarvik scope version", -164, Tarvik(2, 0), "", false, Kind::VersionTarvik},
        {"tarvik scope lamp", -164, Tarvik(148), "", false, Kind::Bool},
        {"tarvik scope other", -164, Tarvik(149), "", false, Kind::AsString},
        {"operation modes are unlisted", -180, Tarvik(186), "", false, Kind::Bool},
        {"merrix devicenet node address", -152, -1, "Node Address", false, Kind::Edit},
        {"merrix devicenet read-only", -152, -1, "Node Address", false, Kind::AsString, false},
        // Fenwa and Zelna blocks by the whole id, some by name.
        {"fenwa drive lamp", -151, -1, "In Position", false, Kind::Bool},
        {"fenwa drive other property", -151, 5, "", false, Kind::Edit},
        {"fenwa drive other status", -151, 5, "", true, Kind::AsString},
        {"fenwa input check list", -146, -1, "Input 3", false, Kind::CheckList},
        {"fenwa input without the word", -146, -1, "Inputs", false, Kind::None},
        {"fenwa output", -145, -1, "Output 1", false, Kind::Choice},
        {"fenwa output other name", -145, -1, "Polarity", false, Kind::None},
        {"fenwa tef file", -142, -1, "Tef File", false, Kind::TefFile},
        {"fenwa fault channel", -139, 0x50260, "", false, Kind::Channel},
        {"fenwa service model", -138, -1, "Drive Model1", false, Kind::Choice},
        {"fenwa service status", -138, 700, "", true, Kind::AsString},
        {"zelna input is an option list", -130, -1, "Input 3", false, Kind::Choice},
        {"zelna indexing mode by name", -131, 12, "Mode", false, Kind::Choice},
        {"zelna encoder like fenwa", -126, 0x40017, "", false, Kind::Bool},
        {"zelna tuning named", -125, -1, "Gain Change Enable", false, Kind::Choice},
        {"zelna tuning other name", -125, -1, "Other", false, Kind::Edit},
        {"zelna service bool edit", -122, 605, "", false, Kind::BoolEdit},
        {"zelna homing", -120, 0x6006A, "", false, Kind::BoolEdit},
    };
    for (const RuleCase& c : cases) {
        auto choice =
            ZRMasterRowFactory::SelectRow(c.owner, c.id, c.name, c.writable, c.indexSelection, c.status);
        EXPECT_EQ(choice.kind, c.expected) << c.what;
    }
}

TEST(ZRMasterRowFactory, LampImagesOnlyWhereTheRuleGivesThem) {
    auto fault = ZRMasterRowFactory::SelectRow(-146, 0x4000F, "Fault State", true, false, false);
    EXPECT_TRUE(fault.extra & ZRMasterRowFactory::Bitmaps);
    EXPECT_EQ(fault.falseBitmap, 19704u); // lit while the input is off
    EXPECT_EQ(fault.trueBitmap, 19703u);
    auto plain = ZRMasterRowFactory::SelectRow(-146, 0x4000F, "Other", true, false, false);
    EXPECT_EQ(plain.kind, Kind::Bool);
    EXPECT_FALSE(plain.extra & ZRMasterRowFactory::Bitmaps);
    auto zelna = ZRMasterRowFactory::SelectRow(-136, 0x4001D, "", true, false, true);
    EXPECT_TRUE(zelna.extra & ZRMasterRowFactory::Bitmaps);
    EXPECT_EQ(zelna.falseBitmap, 19703u);
}

namespace {

class ZRMasterRowFactoryRows : public testing::Test {
protected:
    ZRMasterRowFactoryRows() { TestApp(); }

    template <class A> A& Own(std::unique_ptr<A> attribute, int32_t owner, int32_t id, const char* name) {
        object.SetClass(owner);
        attribute->SetObject(&object);
        attribute->Define(id);
        attribute->SetName(name);
        A& ref = *attribute;
        attributes.push_back(std::move(attribute));
        return ref;
    }
    std::unique_ptr<ZRGridRow> Make(ZRAttribute& attribute, bool status = false) {
        return std::unique_ptr<ZRGridRow>(ZRMasterRowFactory::Instance()->CreateRow(&attribute, status));
    }

    TestObject object;
    std::vector<std::unique_ptr<ZRAttribute>> attributes;
};

template <class R> bool Is(const std::unique_ptr<ZRGridRow>& row) {
    return row && typeid(*row) == typeid(R);
}

} // namespace

TEST_F(ZRMasterRowFactoryRows, RowsAreOfTheChosenClass) {
    ZRDevice*& device = object.GetDevice();
    EXPECT_TRUE(Is<ZRAsStringRow>(Make(Own(std::make_unique<ZRLongAttribute>(device, 4), 1, 140, "Speed"))));
    EXPECT_TRUE(Is<ZREditRow>(Make(Own(std::make_unique<ZRLongAttribute>(device, 4), 1, 130, "Speed"))));
    EXPECT_TRUE(Is<ZRChoiceRow>(Make(Own(std::make_unique<ZRIndexSelection>(device), 8, 131, "Mode"))));
    EXPECT_TRUE(
        Is<ZRBoolEditRow>(Make(Own(std::make_unique<ZRBoolAttribute>(device, 4, -1), 14, 129, "On"))));
    EXPECT_TRUE(Is<ZRCheckListRow>(
        Make(Own(std::make_unique<ZRLongBitField>(device, 4, 4), -168, Tarvik(105, 1), "Functions"))));
    EXPECT_TRUE(
        Is<ZRSpinRow>(Make(Own(std::make_unique<ZRLongAttribute>(device, 2), -170, Tarvik(18), "Gain"))));
    EXPECT_TRUE(Is<ZRProgressRow>(Make(Own(std::make_unique<ZRFloatAttribute>(device), 25, 128, "Done"))));
    EXPECT_TRUE(Is<ZRFileSelectionRow>(
        Make(Own(std::make_unique<ZRStringAttribute>(device, 0, NoPadding, ' '), -169, -1, "Blob File"))));
    EXPECT_TRUE(
        Is<ZRVersionRow>(Make(Own(std::make_unique<ZRLongAttribute>(device, 4), 16, 129, "Firmware"))));
}

TEST_F(ZRMasterRowFactoryRows, LampOfADigitalPointIsNamedAfterItsOwner) {
    ZRDevice*& device = object.GetDevice();
    auto lamp = Make(Own(std::make_unique<ZRBoolAttribute>(device, 4, -1), 2, 128, "State"));
    ASSERT_TRUE(Is<ZRBoolRow>(lamp));
    auto* header = dynamic_cast<ZRDynamicHeader*>(lamp->GetHeader());
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->GetName(), &object.GetName());
    // A Zelna status lamp without an own header names itself after the attribute.
    auto zelna = Make(Own(std::make_unique<ZRBoolAttribute>(device, 4, -1), -136, 0x4001A, "Ready"), true);
    ASSERT_TRUE(Is<ZRBoolRow>(zelna));
    EXPECT_EQ(dynamic_cast<ZRDynamicHeader*>(zelna->GetHeader()), nullptr);
}

TEST_F(ZRMasterRowFactoryRows, AnAttributeOfAnotherKindThanTheRowNeedsIsShownReadOnly) {
    ZRDevice*& device = object.GetDevice();
    // A lamp rule for a number, a choice rule for a text.
    EXPECT_TRUE(Is<ZRAsStringRow>(Make(Own(std::make_unique<ZRLongAttribute>(device, 4), 15, 128, "Axis"))));
    EXPECT_TRUE(Is<ZRAsStringRow>(
        Make(Own(std::make_unique<ZRStringAttribute>(device, 0, NoPadding, ' '), 8, 131, "Mode"))));
}

TEST_F(ZRMasterRowFactoryRows, NoRowWhereTheRuleGivesNone) {
    ZRDevice*& device = object.GetDevice();
    EXPECT_EQ(Make(Own(std::make_unique<ZRLongBitField>(device, 4, 4), -146, -1, "Polarity")), nullptr);
    EXPECT_EQ(ZRMasterRowFactory::Instance()->CreateRow(nullptr, false), nullptr);
}
