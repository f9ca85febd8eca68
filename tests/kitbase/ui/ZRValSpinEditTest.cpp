#include "support/ui/UiTestApp.h"

#include "kitbase/ui/ZRGridRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRValSpinEdit.h"
#include "platform/ui/CellStyle.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// A spin cell in column 2 that logs the arrow clicks the grid passes on.
class SpinRow : public ZRGridRow {
public:
    void SetRow(int row) override {
        ZRGridRow::SetRow(row);
        using namespace platform::ui::CellAttribute;
        GetGrid()->SetControl(row, 2, ZRValSpinEdit::ControlId);
        GetGrid()->SetValue(row, 2, "9");
        GetGrid()->SetUserAttribute(row, 2, SpinMinimum, "0");
        GetGrid()->SetUserAttribute(row, 2, SpinMaximum, "10");
        GetGrid()->SetUserAttribute(row, 2, ZRValSpinEdit::IncrementAttribute, "2");
        GetGrid()->SetUserAttribute(row, 2, ZRValSpinEdit::PrecisionAttribute, "2");
    }
    void OnClickedButton(unsigned long column) override {
        clicks.push_back(GetGrid()->ControlText() + "@" + std::to_string(column));
    }
    std::vector<std::string> clicks;
};

} // namespace

TEST(ZRValSpinEdit, ThePropertyGridsSpinStepsByTheCellsIncrementWithItsPrecision) {
    ZRPropertiesGrid grid;
    grid.SetOffLine(true);
    grid.OnInitialUpdate();
    auto* row = new SpinRow;
    grid.GetRows().emplace_back(row);
    grid.UpdateRows();
    grid.resize(400, 200);
    ASSERT_TRUE(ShowActive(grid));
    ASSERT_NE(dynamic_cast<ZRValSpinEdit*>(grid.Control(ZRValSpinEdit::ControlId)), nullptr);

    QPoint up = grid.CellButtonRect(1, 2, 0).center();
    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, up);
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, up);
    EXPECT_EQ(grid.ControlText(), "10.00"); // 9 + 2, held at the maximum
    grid.SetUserAttribute(1, 2, platform::ui::CellAttribute::SpinWrap, "1");
    grid.SetUserAttribute(1, 2, ZRValSpinEdit::PrecisionAttribute, "");
    QTest::mouseClick(grid.ActiveEditor()->findChild<QWidget*>("up"), Qt::LeftButton);
    EXPECT_EQ(grid.ControlText(), "0");
    EXPECT_EQ(row->clicks, (std::vector<std::string>{"10.00@2", "0@2"}));
}
