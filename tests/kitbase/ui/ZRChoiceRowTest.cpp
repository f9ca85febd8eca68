#include "AttributeRowFixture.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/ui/ZRBoolEditRow.h"
#include "kitbase/ui/ZRBoolRow.h"
#include "kitbase/ui/ZRCheckListRow.h"
#include "kitbase/ui/ZRChoiceRow.h"
#include "kitbase/ui/ZRStringChoiceRow.h"
#include "platform/ui/StandardControls.h"

#include <QComboBox>
#include <QListWidget>

namespace CellControlId = platform::ui::CellControlId;

namespace {

class ChoiceRowTest : public AttributeRowTest {
protected:
    // Opens the drop-down of the row's value cell and picks the entry with the keyboard.
    void Pick(int row, int entry) {
        ClickButton(row);
        auto* combo = qobject_cast<QComboBox*>(grid->ActiveEditor());
        ASSERT_TRUE(combo && combo->view()->isVisible());
        combo->view()->setCurrentIndex(combo->model()->index(entry, 0));
        QTest::keyClick(combo->view(), Qt::Key_Return);
    }
    QComboBox* Combo() { return qobject_cast<QComboBox*>(grid->ActiveEditor()); }
};

} // namespace

TEST_F(ChoiceRowTest, PickedOptionIsWrittenAtOnceAndARefusedPickIsPutBack) {
    ZRIndexSelection mode(object.GetDevice());
    Bind(mode, 800, "Mode");
    auto options = std::make_unique<ZRLongOptions>(&object, 4);
    options->Add(0, "Off");
    options->Add(5, "On");
    options->Add(9, "Auto");
    mode.SetOptions(std::move(options));
    Add(new ZRChoiceRow(&mode, nullptr));
    Layout();
    EXPECT_EQ(Shown(1), "Off");

    Pick(1, 2);
    EXPECT_EQ(storage.longs[Key(800)], 9); // before the cell is left
    EXPECT_EQ(grid->Value(1, 2), "2");
    EXPECT_EQ(Combo()->count(), 3); // the "Unexpected Value" placeholder is not offered
    Key(Qt::Key_Return);
    EXPECT_EQ(grid->Value(1, 2), "2");
    EXPECT_EQ(Shown(1), "Auto");

    storage.RefuseNext("WriteLong");
    Pick(1, 1);
    EXPECT_EQ(storage.longs[Key(800)], 9);
    EXPECT_EQ(grid->ControlValue(), "2");
    Key(Qt::Key_Return);
    EXPECT_EQ(mode.GetValue(), 2);
    EXPECT_EQ(Shown(1), "Auto");
}

TEST_F(ChoiceRowTest, StringChoiceWritesOptionsOnlyAndAcceptsItsBackupText) {
    ZRStringAttribute gear(object.GetDevice(), 0, NoPadding, ' ');
    Bind(gear, 801, "Gear");
    gear.SetAsString("Legacy");
    auto* row = Add(new ZRStringChoiceRow(&gear, nullptr));
    row->SetOptions({"Fast", "Slow"});
    Layout(); // takes "Legacy" as the revert point
    EXPECT_EQ(grid->Style(1, 2).choices, "Fast\nSlow\n");

    Pick(1, 1);
    EXPECT_EQ(storage.strings[Key(801)], "Slow");
    Key(Qt::Key_Return);

    Edit(1, "Medium"); // passes validation but is no option: not written, replaced at the end
    EXPECT_EQ(gear.GetAsString(), "Slow");
    Key(Qt::Key_Return);
    EXPECT_EQ(grid->Value(1, 2), "Slow");

    Edit(1, "Legacy");
    EXPECT_EQ(gear.GetAsString(), "Legacy");
    Key(Qt::Key_Return);
    EXPECT_EQ(grid->Value(1, 2), "Legacy");
}

TEST_F(ChoiceRowTest, BooleanRows) {
    ZRBoolAttribute brake(object.GetDevice(), 4, -1);
    Bind(brake, 802, "Brake");
    brake.SetStrings("Released", "Engaged");
    ZRBoolAttribute ready(object.GetDevice(), 4, -1);
    Bind(ready, 803, "Ready");
    ready.SetValue(true);
    Add(new ZRBoolEditRow(&brake, nullptr));
    auto* lamp = Add(new ZRBoolRow(&ready, nullptr));
    Layout();

    // The drop-down lists the false text first; a pick writes at once.
    EXPECT_EQ(grid->Style(1, 2).choices, "Released\nEngaged\n");
    EXPECT_EQ(Shown(1), "Released");
    Pick(1, 1);
    EXPECT_TRUE(brake.GetValue());
    EXPECT_EQ(storage.longs[Key(802)], 1);
    Key(Qt::Key_Return);
    EXPECT_EQ(Shown(1), "Engaged");

    // The lamp follows its attribute only when refreshed.
    EXPECT_EQ(grid->Value(2, 2), "#BMP(19704)");
    EXPECT_TRUE(grid->IsReadOnly(2, 2));
    ready.SetValue(false);
    EXPECT_EQ(grid->Value(2, 2), "#BMP(19704)");
    lamp->Refresh(false);
    EXPECT_EQ(grid->Value(2, 2), "#BMP(19703)");
    lamp->SetBitmaps(1, 2);
    lamp->Refresh(true);
    EXPECT_EQ(grid->Value(2, 2), "#BMP(1)");
}

TEST_F(ChoiceRowTest, CheckListSummarisesTheBitsAndWritesEveryTick) {
    ZRLongBitField faults(object.GetDevice(), 5, 4);
    Bind(faults, 804, "Faults");
    faults.Add(0, "None");
    faults.Add(1, "Overvoltage");
    faults.Add(2, "Overcurrent");
    faults.Add(4, "Overtemperature");
    faults.Add(8, "Encoder");
    Add(new ZRCheckListRow(&faults, nullptr));
    Layout();
    const std::string items = "Overvoltage\nOvercurrent\nOvertemperature\nEncoder\n";

    struct Case {
        int32_t value;
        const char* summary;
        const char* selection;
    } cases[] = {{0, "Unassigned", "0"},
                 {2 | 8, "Multiple Assignment", "10"},
                 {4, "Overtemperature", "4"},
                 {16, "Out of Range", "0"}};
    for (const Case& c : cases) {
        faults.SetValue(c.value);
        EXPECT_EQ(grid->Style(1, 2).choices, c.summary + ("\n" + items)) << c.value;
        EXPECT_EQ(grid->Value(1, 2), c.selection) << c.value;
        EXPECT_EQ(Shown(1), c.summary) << c.value;
    }

    faults.SetValue(0);
    ClickButton(1);
    auto* control = static_cast<platform::ui::CheckListControl*>(grid->Control(CellControlId::CheckList));
    QListWidget* list = control->Popup();
    ASSERT_TRUE(list && list->isVisible());
    ASSERT_EQ(list->count(), 4);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(storage.longs[Key(804)], 2);
    EXPECT_EQ(grid->ControlText(), "Overcurrent");
    list->setCurrentRow(3);
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(storage.longs[Key(804)], 2 | 8);
    EXPECT_EQ(grid->ControlText(), "Multiple Assignment");
    QTest::keyClick(list, Qt::Key_Tab);
    EXPECT_EQ(faults.GetValue(), 2 | 8);
    EXPECT_EQ(grid->Value(1, 2), "10");
}
