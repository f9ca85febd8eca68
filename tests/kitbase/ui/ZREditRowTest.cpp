#include "AttributeRowFixture.h"

#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/ui/ZREditRow.h"

using platform::core::IDOK;

namespace {

class EditRowTest : public AttributeRowTest {
protected:
    EditRowTest() {
        // 10 internal units per display unit, one decimal, 2 bytes: -3276.8 to 3276.7.
        Bind(speed, 500, "Speed");
        speed.SetScale(10);
        speed.SetPrecision(1);
        Bind(other, 501, "Other");
        speed.SetInternalValue(10);
        Add(new ZREditRow(&speed, nullptr));
        Add(new ZREditRow(&other, nullptr));
        Layout();
        storage.ResetCalls();
    }
    int32_t Stored(int32_t id) { return storage.longs[Key(id)]; }

    ZRLongAttribute speed{object.GetDevice(), 2};
    ZRLongAttribute other{object.GetDevice(), 2};
};

} // namespace

TEST_F(EditRowTest, LeavingAnEditedCellWritesAndShowsTheAttributesText) {
    EXPECT_EQ(grid->Value(1, 2), "1.0");
    Edit(1, "2.54");
    EXPECT_EQ(storage.Calls("WriteLong"), 0); // nothing before the cell is left
    Key(Qt::Key_Tab);
    EXPECT_EQ(Current(), std::make_pair(2, 2));
    EXPECT_EQ(Stored(500), 25);
    EXPECT_EQ(grid->Value(1, 2), "2.5"); // as the attribute rounded it

    // Enter on the last row commits in place.
    Edit(2, "7");
    Key(Qt::Key_Return);
    EXPECT_EQ(Current(), std::make_pair(2, 2));
    EXPECT_FALSE(grid->IsActive());
    EXPECT_EQ(Stored(501), 7);

    // The attribute's own text typed again writes nothing.
    storage.ResetCalls();
    Edit(1, "2.5");
    Key(Qt::Key_Return);
    EXPECT_EQ(Current(), std::make_pair(2, 2));
    EXPECT_EQ(storage.Calls("WriteLong"), 0);
}

TEST_F(EditRowTest, RefusedTextKeepsTheCellCurrentAndWritesNothing) {
    ModalScript script;
    script.ExpectMessage("Speed: ", IDOK);
    Edit(1, "5000");
    Key(Qt::Key_Tab);
    EXPECT_EQ(Current(), std::make_pair(1, 2));
    EXPECT_TRUE(grid->IsActive());
    EXPECT_EQ(grid->ControlText(), "5000");
    EXPECT_EQ(storage.Calls("WriteLong"), 0);
    EXPECT_EQ(speed.GetInternalValue(), 10);
    grid->CancelEditing();
}

TEST_F(EditRowTest, WriteFailuresAreShownAndTheGridGoesOn) {
    // The attribute reports a storage error itself; the cell shows the unchanged value.
    {
        ModalScript script;
        script.ExpectMessage("Speed: Drive returned bad data", IDOK);
        storage.FailNext(ZRError(3, "Drive returned bad data"), "WriteLong");
        Edit(1, "3");
        Key(Qt::Key_Tab);
        EXPECT_EQ(Current(), std::make_pair(2, 2));
        EXPECT_EQ(grid->Value(1, 2), "1.0");
        EXPECT_EQ(speed.GetInternalValue(), 10);
    }
    // An error thrown through the attribute gets the write-error display; the cell keeps the text.
    ThrowingAttribute failing(object.GetDevice());
    Bind(failing, 502, "Name");
    Add(new ZREditRow(&failing, nullptr));
    grid->UpdateRows();
    ModalScript script;
    script.ExpectMessage("Boom (error #5)", IDOK);
    Edit(3, "x");
    Key(Qt::Key_Return);
    EXPECT_EQ(Current(), std::make_pair(3, 2));
    EXPECT_EQ(grid->Value(3, 2), "x");
}

TEST_F(EditRowTest, RevertWritesTheBackupUnlessTheRowNeverLoaded) {
    Edit(1, "4");
    Key(Qt::Key_Tab);
    ASSERT_EQ(Stored(500), 40);
    grid->Revert();
    EXPECT_EQ(Stored(500), 10);
    EXPECT_EQ(grid->Value(1, 2), "1.0");

    speed.SetInternalValue(40);
    storage.ResetCalls();
    grid->RowAt(1)->SetDynamicLoad(false);
    grid->RowAt(1)->Revert();
    EXPECT_EQ(storage.Calls("WriteLong"), 0);
    EXPECT_EQ(speed.GetInternalValue(), 40);
}
