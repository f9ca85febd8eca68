#include "kitbase/ui/ZRLabelRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRStaticHeader.h"

#include <gtest/gtest.h>

TEST(ZRLabelRow, ACaptionSpansTheRowBoldAndWrappedAndGetsTheHeightItNeeds) {
    ZRPropertiesGrid grid;
    grid.SetOffLine(true);
    grid.OnInitialUpdate();
    const std::string text = "A long caption that explains what the values below mean and wraps over "
                             "several lines of the grid once the columns are narrow enough to need it";
    grid.GetRows().emplace_back(new ZRLabelRow(std::make_unique<ZRStaticHeader>("Short")));
    grid.GetRows().emplace_back(new ZRLabelRow(std::make_unique<ZRStaticHeader>(text)));
    grid.UpdateRows();
    for (int row : {1, 2}) {
        int top, left, bottom, right;
        grid.CoveredRange(row, 2, top, left, bottom, right);
        EXPECT_EQ(left, 1);
        EXPECT_EQ(right, 3);
        EXPECT_TRUE(grid.Style(row, 1).bold);
        EXPECT_TRUE(grid.Style(row, 1).wordWrap);
        EXPECT_TRUE(grid.IsReadOnly(row, 1));
    }
    EXPECT_EQ(grid.Value(2, 1), text);
    for (int col = 0; col <= 3; ++col)
        grid.SetColWidth(col, 60);
    grid.GetRows().back()->SetRow(2);
    EXPECT_GT(grid.RowHeight(2), 2 * grid.RowHeight(1));
}
