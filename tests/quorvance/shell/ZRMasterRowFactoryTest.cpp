#include "support/model/TestObjects.h"
#include "support/ui/UiTestApp.h"
#include "quorvance/RowRuleCases.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRFloatAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRValAttribute.h"
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
#include "quorvance/shell/ZRFamilyRegistry.h"
#include "quorvance/shell/ZRMasterRowFactory.h"
#include "quorvance/shell/ZRVersionRow.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <typeinfo>

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
        return ZRMasterRowFactory::Instance()->CreateRow(&attribute, status);
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
        Make(Own(std::make_unique<ZRLongBitField>(device, 4, 4), -168, TarvikId(105, 1), "Functions"))));
    EXPECT_TRUE(
        Is<ZRSpinRow>(Make(Own(std::make_unique<ZRLongAttribute>(device, 2), -170, TarvikId(18), "Gain"))));
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

namespace {

ZRRowChoice ChannelRule(const ZRRowQuery& q) {
    return rowrule::Row(q.id == 7 ? ZRRowKind::Channel : ZRRowKind::Edit);
}
std::unique_ptr<ZRGridRow> MakeChannel(ZRAttribute* attribute, const ZRRowChoice& choice) {
    EXPECT_EQ(choice.kind, ZRRowKind::Channel);
    return std::make_unique<ZRSpinRow>(dynamic_cast<ZRValAttribute*>(attribute), nullptr);
}

} // namespace

TEST_F(ZRMasterRowFactoryRows, FamilyRowsAreMadeByTheFamilysMaker) {
    const ZRRowRule rules[] = {{-500, &ChannelRule, &MakeChannel}, {-501, &ChannelRule}};
    ZRFamilyRegistry families;
    families.AddRowRules(rules);
    ZRDevice*& device = object.GetDevice();
    auto& channel = Own(std::make_unique<ZRLongAttribute>(device, 4), -500, 7, "Channel");
    EXPECT_TRUE(Is<ZRSpinRow>(ZRMasterRowFactory::CreateRow(families, &channel, false)));
    // No maker yet: no row rather than a wrong one.
    auto& bare = Own(std::make_unique<ZRLongAttribute>(device, 4), -501, 7, "Channel");
    EXPECT_EQ(ZRMasterRowFactory::CreateRow(families, &bare, false), nullptr);
    // Owners no family lists fall back to read-only text while no unlisted rule is set.
    auto& stray = Own(std::make_unique<ZRLongAttribute>(device, 4), -502, 7, "Other");
    EXPECT_TRUE(Is<ZRAsStringRow>(ZRMasterRowFactory::CreateRow(families, &stray, false)));
}

TEST(ZRFamilyRegistry, ATypeRegisteredTwiceIsRefused) {
    ZRFamilyRegistry families;
    const ZRRowRule rules[] = {{-500, &ChannelRule}};
    families.AddRowRules(rules);
    EXPECT_THROW(families.AddRowRules(rules), std::logic_error);
    const ZRObjectEntry objects[] = {{-500, nullptr}};
    families.AddObjects(objects);
    EXPECT_THROW(families.AddObjects(objects), std::logic_error);
    families.SetUnlistedRule(&ChannelRule, nullptr);
    EXPECT_THROW(families.SetUnlistedRule(&ChannelRule, nullptr), std::logic_error);
}

TEST(ZRFamilyRegistry, TheProgramsFamiliesRegisterEachOwnerOnce) {
    // Filling the program's registry throws on any id two families claim.
    const ZRFamilyRegistry& families = ZRFamilyRegistry::Instance();
    for (int32_t owner : {-177, -156, -151, -136, -120, 1, 24, -152})
        EXPECT_NE(families.FindRowRule(owner).owner, 0) << owner;
    EXPECT_EQ(families.FindRowRule(-164).owner, 0); // the oscilloscope takes the unlisted rule
}
