#include "AttributeRowFixture.h"

#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRScale.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/ZRSpinRow.h"
#include "kitbase/ui/ZRValSpinEdit.h"

#include <QToolButton>

namespace CellAttribute = platform::ui::CellAttribute;

namespace {

class TestScale : public ZRScale {
public:
    int GetPrecision() override { return precision; }
    bool GetScaleFactor(double& f) override {
        f = factor;
        return true;
    }
    double factor = 1;
    int precision = 0;
};

class SpinRowTest : public AttributeRowTest {
protected:
    SpinRowTest() {
        Bind(speed, 500, "Speed");
        Bind(accel, 501, "Accel");
        speed.SetInternalValue(9);
        Add(new ZRSpinRow(&speed, nullptr));
        Add(new ZRSpinRow(&accel, nullptr));
        Layout();
        storage.ResetCalls();
    }
    ZRLongAttribute speed{object.GetDevice(), 1};
    ZRLongAttribute accel{object.GetDevice(), 1};
};

} // namespace

TEST_F(SpinRowTest, EveryArrowClickWritesAtOnce) {
    EXPECT_EQ(grid->UserAttribute(1, 2, CellAttribute::SpinMinimum), "-128");
    EXPECT_EQ(grid->UserAttribute(1, 2, CellAttribute::SpinMaximum), "127");
    ClickButton(1, 0);
    EXPECT_EQ(Current(), std::make_pair(1, 2));
    EXPECT_EQ(storage.longs[Key(500)], 10);
    EXPECT_EQ(grid->Value(1, 2), "10");

    auto* down = grid->ActiveEditor()->findChild<QToolButton*>("down");
    ASSERT_NE(down, nullptr);
    QTest::mouseClick(down, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(storage.longs[Key(500)], 8);
    EXPECT_EQ(storage.Calls("WriteLong"), 3);

    // Leaving the cell writes nothing more: the value is already the attribute's.
    Key(Qt::Key_Tab);
    EXPECT_EQ(Current(), std::make_pair(2, 2));
    EXPECT_EQ(storage.Calls("WriteLong"), 3);
}

TEST_F(SpinRowTest, ScaleChangeGivesTheSpinEditNewBoundsWithoutALayout) {
    TestScale scale;
    speed.SetScaleObject(&scale);
    scale.factor = 10;
    scale.precision = 1;
    speed.SetIncrement(0.5);
    speed.SetPrecision(2);
    scale.Notify(ZRUpdate::ValueChanged);
    EXPECT_EQ(grid->UserAttribute(1, 2, CellAttribute::SpinMinimum), speed.GetMinAsString());
    EXPECT_EQ(grid->UserAttribute(1, 2, CellAttribute::SpinMaximum), speed.GetMaxAsString());
    EXPECT_EQ(grid->UserAttribute(1, 2, ZRValSpinEdit::IncrementAttribute), speed.GetIncrAsString());
    EXPECT_EQ(grid->UserAttribute(1, 2, ZRValSpinEdit::PrecisionAttribute), "2");
    EXPECT_EQ(grid->Value(1, 2), speed.GetAsString());
    speed.SetScaleObject(nullptr);
}

TEST_F(SpinRowTest, SpinRowsShareOneHeight) {
    grid->RowAt(1)->Show();
    grid->RowAt(2)->Show();
    EXPECT_EQ(grid->RowHeight(1), grid->RowHeight(2));
    EXPECT_GT(grid->RowHeight(1), grid->DefaultRowHeight());
    // A hidden attribute keeps its row at height 0 through a layout.
    accel.SetHidden(true);
    grid->UpdateRows();
    EXPECT_EQ(grid->RowHeight(2), 0);
}
