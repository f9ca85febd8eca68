#include "AttributeRowFixture.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRFloatAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/ZRAsStringRow.h"
#include "kitbase/ui/ZRBoolEditRow.h"
#include "kitbase/ui/ZRBoolRow.h"
#include "kitbase/ui/ZRCheckListRow.h"
#include "kitbase/ui/ZRChoiceRow.h"
#include "kitbase/ui/ZREditRow.h"
#include "kitbase/ui/ZRFileSelectionRow.h"
#include "kitbase/ui/ZRProgressRow.h"
#include "kitbase/ui/ZRSpinRow.h"
#include "kitbase/ui/ZRStaticHeader.h"
#include "kitbase/ui/ZRStringChoiceRow.h"
#include "platform/ui/Colour.h"

#include <functional>

using platform::ui::Colour;

namespace {

// One row kind over a fresh attribute: how to change the value through the model, and what the value
// cell holds afterwards (empty: the row does not follow value changes).
struct Kind {
    const char* name;
    std::function<std::pair<std::unique_ptr<ZRAttribute>, ZRAttributeRow*>(TestObject&)> make;
    std::function<void(ZRAttribute&)> change;
    std::string cellAfterChange;
    bool greysWhenDisabled;
};

template <class A, class... Args> std::unique_ptr<A> Make(TestObject& object, Args... args) {
    auto attribute = std::make_unique<A>(object.GetDevice(), args...);
    attribute->SetObject(&object);
    attribute->Define(500);
    attribute->SetName("Speed");
    attribute->SetUnits("rpm");
    return attribute;
}

std::vector<Kind> Kinds() {
    auto longKind = [](auto makeRow) {
        return [makeRow](TestObject& o) -> std::pair<std::unique_ptr<ZRAttribute>, ZRAttributeRow*> {
            auto a = Make<ZRLongAttribute>(o, 4);
            ZRAttributeRow* row = makeRow(a.get());
            return {std::move(a), row};
        };
    };
    auto setLong = [](ZRAttribute& a) { static_cast<ZRLongAttribute&>(a).SetInternalValue(42); };
    return {
        {"as string", longKind([](ZRLongAttribute* a) { return new ZRAsStringRow(a, nullptr); }), setLong,
         "42", false},
        {"edit", longKind([](ZRLongAttribute* a) { return new ZREditRow(a, nullptr); }), setLong, "42", true},
        {"file selection",
         [](TestObject& o) -> std::pair<std::unique_ptr<ZRAttribute>, ZRAttributeRow*> {
             auto a = Make<ZRStringAttribute>(o, 0, NoPadding, ' ');
             ZRAttributeRow* row = new ZRFileSelectionRow(a.get(), 1, "txt", 0, "Text|*.txt||", nullptr);
             return {std::move(a), row};
         },
         [](ZRAttribute& a) { a.SetAsString("/tmp/a.txt"); }, "/tmp/a.txt", true},
        {"spin", longKind([](ZRLongAttribute* a) { return new ZRSpinRow(a, nullptr); }), setLong, "42", true},
        {"progress",
         [](TestObject& o) -> std::pair<std::unique_ptr<ZRAttribute>, ZRAttributeRow*> {
             auto a = Make<ZRFloatAttribute>(o);
             ZRAttributeRow* row = new ZRProgressRow(a.get(), nullptr);
             return {std::move(a), row};
         },
         [](ZRAttribute& a) { static_cast<ZRFloatAttribute&>(a).SetValue(49.5f); }, "50", false},
        {"choice",
         [](TestObject& o) -> std::pair<std::unique_ptr<ZRAttribute>, ZRAttributeRow*> {
             auto a = Make<ZRIndexSelection>(o);
             auto options = std::make_unique<ZRLongOptions>(&o, 4);
             options->Add(0, "Off");
             options->Add(5, "On");
             options->Add(9, "Auto");
             a->SetOptions(std::move(options));
             ZRAttributeRow* row = new ZRChoiceRow(a.get(), nullptr);
             return {std::move(a), row};
         },
         [](ZRAttribute& a) { static_cast<ZRIndexSelection&>(a).SetValue(2); }, "2", true},
        {"string choice",
         [](TestObject& o) -> std::pair<std::unique_ptr<ZRAttribute>, ZRAttributeRow*> {
             auto a = Make<ZRStringAttribute>(o, 0, NoPadding, ' ');
             auto* row = new ZRStringChoiceRow(a.get(), nullptr);
             row->SetOptions({"Fast", "Slow"});
             return {std::move(a), row};
         },
         [](ZRAttribute& a) { a.SetAsString("Slow"); }, "Slow", true},
        {"bool edit",
         [](TestObject& o) -> std::pair<std::unique_ptr<ZRAttribute>, ZRAttributeRow*> {
             auto a = Make<ZRBoolAttribute>(o, 4, -1);
             ZRAttributeRow* row = new ZRBoolEditRow(a.get(), nullptr);
             return {std::move(a), row};
         },
         [](ZRAttribute& a) { static_cast<ZRBoolAttribute&>(a).SetValue(true); }, "1", true},
        {"check list",
         [](TestObject& o) -> std::pair<std::unique_ptr<ZRAttribute>, ZRAttributeRow*> {
             auto a = Make<ZRLongBitField>(o, 4, 4);
             a->Add(0, "None");
             a->Add(1, "A");
             a->Add(2, "B");
             a->Add(4, "C");
             ZRAttributeRow* row = new ZRCheckListRow(a.get(), nullptr);
             return {std::move(a), row};
         },
         [](ZRAttribute& a) { static_cast<ZRLongBitField&>(a).SetValue(4); }, "4", true},
        {"lamp",
         [](TestObject& o) -> std::pair<std::unique_ptr<ZRAttribute>, ZRAttributeRow*> {
             auto a = Make<ZRBoolAttribute>(o, 4, -1);
             ZRAttributeRow* row = new ZRBoolRow(a.get(), nullptr);
             return {std::move(a), row};
         },
         [](ZRAttribute& a) { static_cast<ZRBoolAttribute&>(a).SetValue(true); }, "", false},
    };
}

} // namespace

// Every kind redisplays on the attribute's messages and outlives the attribute.
TEST_F(AttributeRowTest, EveryKindFollowsItsAttributeAndSurvivesItsDestruction) {
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.name);
        grid = std::make_unique<ZRPropertiesGrid>();
        grid->SetOffLine(true);
        grid->OnInitialUpdate();
        auto [attribute, row] = kind.make(object);
        Add(new ZREditRow(nullptr,
                          std::make_unique<ZRStaticHeader>("first"))); // a row without attribute stays hidden
        Add(row);
        Layout();
        EXPECT_EQ(grid->RowHeight(1), 0);
        EXPECT_EQ(grid->Value(2, 1), "Speed");
        EXPECT_EQ(grid->Value(2, 3), "rpm");
        EXPECT_TRUE(grid->IsReadOnly(2, 1));
        EXPECT_GT(grid->RowHeight(2), 0);
        const std::string before = grid->Value(2, 2);

        // 0: value changed
        kind.change(*attribute);
        EXPECT_EQ(grid->Value(2, 2), kind.cellAfterChange.empty() ? before : kind.cellAfterChange);

        // 1: enabled changed
        attribute->SetEnabled(false);
        if (kind.greysWhenDisabled) {
            EXPECT_EQ(grid->Style(2, 1).textColour, Colour::System(Colour::GrayText));
            EXPECT_EQ(grid->Style(2, 3).textColour, Colour::System(Colour::GrayText));
            EXPECT_TRUE(grid->IsReadOnly(2, 2));
            attribute->SetEnabled(true);
            EXPECT_EQ(grid->Style(2, 2).textColour, Colour::System(Colour::WindowText));
            EXPECT_FALSE(grid->IsReadOnly(2, 2));
        } else {
            EXPECT_NE(grid->Style(2, 1).textColour, Colour::System(Colour::GrayText));
            attribute->SetEnabled(true);
        }

        // 9: hidden changed, unless the row is forced hidden
        attribute->SetHidden(true);
        EXPECT_EQ(grid->RowHeight(2), 0);
        attribute->SetHidden(false);
        EXPECT_GT(grid->RowHeight(2), 0);
        row->DisplayRow(true);
        attribute->SetHidden(false);
        EXPECT_EQ(grid->RowHeight(2), 0);
        row->DisplayRow(false);
        EXPECT_GT(grid->RowHeight(2), 0);

        // 11: units changed rewrites only the units
        const std::string value = grid->Value(2, 2);
        attribute->SetUnits("rps");
        attribute->Notify(ZRUpdate::UnitsChanged);
        EXPECT_EQ(grid->Value(2, 3), "rps");
        EXPECT_EQ(grid->Value(2, 2), value);

        // 14: name changed
        attribute->SetName("Velocity");
        EXPECT_EQ(grid->Value(2, 1), "Velocity");

        // 3: the attribute goes; the row hides, keeps its caption and goes on working.
        attribute.reset();
        EXPECT_EQ(grid->RowHeight(2), 0);
        EXPECT_EQ(grid->Value(2, 1), "Velocity");
        EXPECT_EQ(static_cast<ZRAttributeRow*>(grid->RowAt(2))->GetAttribute(), nullptr);
        grid->UpdateRows();
        EXPECT_EQ(grid->RowHeight(2), 0);
        EXPECT_EQ(grid->Value(2, 1), "Velocity");
        grid->Revert();
        grid->SetFormatBase(1);
        EXPECT_TRUE(grid->RowAt(2)->Validate("anything"));
        grid.reset();
    }
}

// A row is told only once it is in a grid, but it lets go of a dying attribute in any state.
TEST_F(AttributeRowTest, UnplacedRowIgnoresMessagesAndForgetsADyingAttribute) {
    auto attribute = std::make_unique<ZRLongAttribute>(object.GetDevice(), 4);
    auto row = std::make_unique<ZREditRow>(attribute.get(), nullptr);
    attribute->SetName("x");
    attribute->SetHidden(true);
    attribute.reset();
    EXPECT_EQ(row->GetAttribute(), nullptr);
}

// The row moves its observation with SetAttribute, so the old attribute keeps no pointer to it.
TEST_F(AttributeRowTest, SetAttributeRebuildsTheCellsAndMovesTheObservation) {
    auto first = Make<ZRLongAttribute>(object, 4);
    auto second = Make<ZRLongAttribute>(object, 4);
    second->SetInternalValue(7);
    second->SetUnits("mm");
    auto* row = Add(new ZREditRow(first.get(), std::make_unique<ZRStaticHeader>("Pos")));
    Layout();
    row->SetAttribute(second.get());
    EXPECT_EQ(grid->Value(1, 2), "7");
    EXPECT_EQ(grid->Value(1, 3), "mm");
    first->SetInternalValue(3); // no longer shown
    EXPECT_EQ(grid->Value(1, 2), "7");
    second->SetInternalValue(8);
    EXPECT_EQ(grid->Value(1, 2), "8");
    row->SetAttribute(nullptr);
    EXPECT_EQ(grid->RowHeight(1), 0);
    EXPECT_TRUE(first->GetObservers().empty());
    EXPECT_TRUE(second->GetObservers().empty());
}
