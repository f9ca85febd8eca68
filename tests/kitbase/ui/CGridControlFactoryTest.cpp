#include "kitbase/ui/CGridControlFactory.h"
#include "kitbase/ui/ZRCheckListComboBox.h"
#include "kitbase/ui/ZRComboBox.h"
#include "platform/ui/CellStyle.h"
#include "platform/ui/StandardControls.h"

#include <gtest/gtest.h>

TEST(CGridControlFactory, MakesTheSystemsDropDownsAndTheStandardSetForTheOtherIds) {
    using namespace platform::ui;
    CGridControlFactory factory;
    struct Case {
        int id;
        unsigned flags; // 0: not a combo
    } combos[] = {{52527, 1}, {52517, 2}, {52526, 8}, {52525, 4}, {52531, 24}, {52532, 20}};
    for (const Case& c : combos) {
        auto control = factory.CreateControl(c.id);
        auto* combo = dynamic_cast<ZRComboBox*>(control.get());
        ASSERT_NE(combo, nullptr) << c.id;
        EXPECT_EQ(combo->Flags(), c.flags) << c.id;
    }
    EXPECT_NE(dynamic_cast<ZRCheckListComboBox*>(factory.CreateControl(52542).get()), nullptr);
    EXPECT_NE(dynamic_cast<StaticControl*>(factory.CreateControl(52513).get()), nullptr);
    EXPECT_NE(dynamic_cast<PushButtonControl*>(factory.CreateControl(52514).get()), nullptr);
    EXPECT_NE(dynamic_cast<ProgressControl*>(factory.CreateControl(52536).get()), nullptr);
    EXPECT_NE(dynamic_cast<BrowseEditControl*>(factory.CreateControl(52518).get()), nullptr);
    for (int id : {52512, 52520, 12345}) {
        auto control = factory.CreateControl(id);
        EXPECT_EQ(typeid(*control), typeid(EditControl)) << id;
    }
    EXPECT_EQ(CGridControlFactory::ControlIds().size(), 18u);
    EXPECT_EQ(CGridControlFactory::ControlIds().back(), 52518);
}

TEST(CGridControlFactory, TheCheckListStoresOnlyThePlaceholderFromItsText) {
    ZRCheckListComboBox control;
    platform::ui::CellStyle style;
    style.value = "5";
    EXPECT_EQ(control.Value(style), "Skip");
    EXPECT_FALSE(control.StoresOnCommit());
}
