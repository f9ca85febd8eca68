#include "support/ui/UiTestApp.h"

#include "kitbase/ui/CGridControlFactory.h"
#include "kitbase/ui/ZRComboBox.h"
#include "platform/ui/CellStyle.h"
#include "platform/ui/Grid.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ComboBox : public testing::Test {
protected:
    ComboBox() {
        platform::ui::SetControlFactory(&factory);
        grid.SetRowCount(2);
        grid.SetColCount(3);
        grid.SetControl(1, 2, platform::ui::CellControlId::IndexTextList);
        grid.SetChoiceList(1, 2, "Slow\nMedium\nFast\nUnexpected Value\n");
        grid.resize(400, 200);
    }
    ~ComboBox() override { platform::ui::SetControlFactory(nullptr); }

    QComboBox* Drop() {
        EXPECT_TRUE(grid.SetCurrentCell(1, 2));
        QTest::keyClick(&grid, Qt::Key_F4);
        auto* combo = qobject_cast<QComboBox*>(grid.ActiveEditor());
        EXPECT_TRUE(combo && combo->view()->isVisible());
        return combo;
    }

    CGridControlFactory factory;
    platform::ui::Grid grid;
};

} // namespace

TEST_F(ComboBox, ThePlaceholderOfOptionListsIsNeverOffered) {
    ZRComboBox combo(20);
    platform::ui::CellStyle style;
    style.choices = "A\nUnexpected Value\nB\n";
    EXPECT_EQ(combo.Entries(style), (std::vector<std::string>{"A", "B"}));

    ASSERT_TRUE(ShowActive(grid));
    grid.SetValue(1, 2, "3"); // the stored value is none of the options
    QComboBox* box = Drop();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->count(), 3);
    EXPECT_EQ(grid.ControlText(), "Unexpected Value");
}

TEST_F(ComboBox, OpeningSelectsTheEntryOfTheValueAndEscapeTakesNothing) {
    ASSERT_TRUE(ShowActive(grid));
    grid.SetValue(1, 2, "2");
    QComboBox* box = Drop();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->view()->currentIndex().row(), 2);
    QTest::keyClick(box->view(), Qt::Key_Up);
    QTest::keyClick(box->view(), Qt::Key_Escape);
    EXPECT_FALSE(box->view()->isVisible());
    EXPECT_EQ(grid.ControlValue(), "2");

    // Tab takes the highlighted entry and moves on.
    QTest::keyClick(box, Qt::Key_F4);
    ASSERT_TRUE(box->view()->isVisible());
    QTest::keyClick(box->view(), Qt::Key_Up);
    QTest::keyClick(box->view(), Qt::Key_Tab);
    EXPECT_FALSE(box->view()->isVisible());
    EXPECT_EQ(grid.Value(1, 2), "1");
    EXPECT_TRUE(grid.IsCurrentCell(1, 3));
}
