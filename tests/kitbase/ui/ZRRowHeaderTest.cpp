#include "support/model/FakeStorage.h"
#include "support/model/TestDevice.h"
#include "support/model/TestObjects.h"
#include "support/ui/UiTestApp.h"

#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/ZRAttributeHeader.h"
#include "kitbase/ui/ZRDynamicHeader.h"
#include "kitbase/ui/ZRFullPathHeader.h"
#include "kitbase/ui/ZRStaticHeader.h"
#include "platform/ui/Grid.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class RowHeader : public testing::Test {
protected:
    RowHeader() {
        grid.SetRowCount(3);
        grid.SetColCount(3);
        for (TestObject* o : {&root, &project, &axis}) {
            o->SetDevice(&device);
            o->Init();
        }
        root.AddChild(std::move(ownedProject));
        project.AddChild(std::move(ownedAxis));
        project.GetName().SetAsString("P");
        axis.GetName().SetAsString("Axis1");
        axis.Long(0).SetName("Speed");
    }
    // Places a header in row 2.
    void Place(ZRRowHeader& header) {
        header.Initialize(&grid);
        header.SetRow(2);
    }

    platform::ui::Grid grid;
    FakeStorage storage;
    TestDevice device{&storage, true};
    TestObject root;
    // Made here, owned by the tree once the constructor added them.
    std::unique_ptr<TestObject> ownedProject = std::make_unique<TestObject>();
    std::unique_ptr<TestObject> ownedAxis = std::make_unique<TestObject>();
    TestObject& project = *ownedProject;
    TestObject& axis = *ownedAxis;
};

} // namespace

TEST_F(RowHeader, EachKindWritesItsCaptionIntoColumnOneOfItsRowOnlyOncePlaced) {
    ZRStaticHeader fixed("Group");
    fixed.Refresh();
    fixed.Initialize(&grid);
    fixed.Refresh(); // not placed yet
    EXPECT_EQ(grid.Value(2, 1), "");
    grid.SetReadOnly(2, 1, true);
    fixed.SetRow(2);
    EXPECT_EQ(grid.Value(2, 1), "Group");
    EXPECT_TRUE(grid.IsReadOnly(2, 1));

    ZRAttributeHeader named(&axis.Long(0));
    Place(named);
    EXPECT_EQ(grid.Value(2, 1), "Speed");
    EXPECT_EQ(grid.Value(2, 2), "");
}

TEST_F(RowHeader, FullPathFollowsRenamesAnywhereOnThePath) {
    auto header = std::make_unique<ZRFullPathHeader>(&axis.Long(0));
    Place(*header);
    EXPECT_EQ(grid.Value(2, 1), "P/Axis1:Speed"); // the root has no name
    axis.GetName().SetAsString("Axis2");
    EXPECT_EQ(grid.Value(2, 1), "P/Axis2:Speed");
    root.GetName().SetAsString("R");
    EXPECT_EQ(grid.Value(2, 1), "R/P/Axis2:Speed");
    header->Initialize(&grid); // a second layout observes each name once
    header.reset();
    root.GetName().SetAsString("S"); // nobody left observing
    EXPECT_EQ(grid.Value(2, 1), "R/P/Axis2:Speed");

    ZRLongAttribute loose(axis.GetDevice(), 4);
    loose.SetName("Alone");
    EXPECT_EQ(ZRFullPathHeader::PathOf(&loose), ":Alone");
}

TEST_F(RowHeader, FullPathForgetsAnAttributeOrPathObjectThatGoesFirst) {
    auto made = std::make_unique<TestObject>();
    TestObject* motor = made.get();
    motor->SetDevice(&device);
    motor->Init();
    axis.AddChild(std::move(made));
    motor->GetName().SetAsString("M");
    motor->Long(0).SetName("Current");
    auto owned = std::make_unique<ZRFullPathHeader>(&motor->Long(0));
    Place(*owned);
    EXPECT_EQ(grid.Value(2, 1), "P/Axis1/M:Current");
    axis.RemoveChild(motor).reset();
    EXPECT_EQ(owned->GetAttribute(), nullptr);
    owned->Refresh();
    axis.GetName().SetAsString("Axis2"); // nobody left observing
    EXPECT_EQ(grid.Value(2, 1), "P/Axis1/M:Current");
    owned.reset();

    auto loose = std::make_unique<ZRLongAttribute>(axis.GetDevice(), 4);
    loose->SetObject(&axis);
    loose->SetName("Alone");
    ZRFullPathHeader header(loose.get());
    Place(header);
    EXPECT_EQ(grid.Value(2, 1), "P/Axis2:Alone");
    loose.reset();
    EXPECT_EQ(header.GetAttribute(), nullptr);
    header.Refresh();
    axis.GetName().SetAsString("Axis3");
    EXPECT_EQ(grid.Value(2, 1), "P/Axis2:Alone");
}

TEST_F(RowHeader, DynamicHeaderShowsAnotherAttributesValueAndOutlivesIt) {
    auto value = std::make_unique<ZRStringAttribute>(axis.GetDevice(), 0, NoPadding, ' ');
    value->SetObject(&axis);
    value->SetAsString("Fast");
    ZRDynamicHeader header(value.get());
    Place(header);
    EXPECT_EQ(grid.Value(2, 1), "Fast");
    value->SetAsString("Slow");
    EXPECT_EQ(grid.Value(2, 1), "Slow");

    ZRDynamicHeader copy(header);
    value.reset();
    EXPECT_EQ(header.GetName(), nullptr);
    header.Refresh();
    EXPECT_EQ(grid.Value(2, 1), "Slow");
}
