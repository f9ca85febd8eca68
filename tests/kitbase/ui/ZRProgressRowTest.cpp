#include "AttributeRowFixture.h"

#include "kitbase/model/ZRFloatAttribute.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/ui/ZRAsStringRow.h"
#include "kitbase/ui/ZRProgressRow.h"

namespace CellAttribute = platform::ui::CellAttribute;

TEST_F(AttributeRowTest, ProgressRowShowsTheRoundedPercentage) {
    ZRFloatAttribute load(object.GetDevice());
    Bind(load, 700, "Load");
    Add(new ZRProgressRow(&load, nullptr));
    Layout();
    EXPECT_EQ(grid->UserAttribute(1, 2, CellAttribute::ProgressCaption), "%ld %%");
    EXPECT_EQ(grid->Style(1, 2).textColour, platform::ui::Colour::Rgb(0, 0, 255));
    for (auto [value, shown] : {std::pair{49.5f, "50"}, {49.4f, "49"}, {100.0f, "100"}, {0.0f, "0"}}) {
        load.SetValue(value);
        EXPECT_EQ(grid->Value(1, 2), shown) << value;
    }
}

TEST_F(AttributeRowTest, AsStringRowFollowsTheGridsFormatBase) {
    ZRLongAttribute mask(object.GetDevice(), 2);
    Bind(mask, 701, "Mask");
    mask.SetInternalValue(10);
    Add(new ZRAsStringRow(&mask, nullptr));
    Layout();
    EXPECT_EQ(grid->Value(1, 2), "10");
    EXPECT_TRUE(grid->IsReadOnly(1, 2));
    grid->SetFormatBase(2);
    EXPECT_EQ(grid->Value(1, 2), mask.GetFormattedString(2));
    EXPECT_NE(grid->Value(1, 2), "10");
}
