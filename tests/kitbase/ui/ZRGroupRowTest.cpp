#include "support/ui/UiTestApp.h"

#include "kitbase/ui/ZRGroupRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRStaticHeader.h"

#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class Member : public ZRGridRow {
public:
    void Refresh(bool) override { ++refreshes; }
    void Backup() override { ++backups; }
    int refreshes = 0;
    int backups = 0;
};

class GroupRow : public testing::Test {
protected:
    GroupRow() {
        grid = std::make_unique<ZRPropertiesGrid>();
        grid->SetOffLine(true);
        grid->OnInitialUpdate();
        group = new ZRGroupRow(std::make_unique<ZRStaticHeader>("Motor"));
        grid->GetRows().emplace_back(group);
        for (int i = 0; i < 2; ++i) {
            members.push_back(new Member);
            grid->GetRows().emplace_back(group->AddRow(members.back()));
        }
        grid->GetRows().emplace_back(new Member); // not in the group
    }
    bool Open() const { return grid->RowHeight(2) > 0 && grid->RowHeight(3) > 0; }
    bool Closed() const { return grid->RowHeight(2) == 0 && grid->RowHeight(3) == 0; }

    std::unique_ptr<ZRPropertiesGrid> grid;
    ZRGroupRow* group;
    std::vector<Member*> members;
};

const std::string kPlus = "#BMP(19702)";
const std::string kMinus = "#BMP(19705)";

} // namespace

TEST_F(GroupRow, ALaidOutGroupIsOpenAndEachClickOrSpaceToggles) {
    grid->UpdateRows();
    EXPECT_EQ(grid->Value(1, 1), "Motor");
    EXPECT_TRUE(grid->Style(1, 1).bold);
    int top, left, bottom, right;
    grid->CoveredRange(1, 2, top, left, bottom, right);
    EXPECT_EQ(left, 1);
    EXPECT_EQ(right, 3);
    EXPECT_EQ(grid->Value(1, 0), kMinus);
    EXPECT_TRUE(Open());

    grid->resize(400, 300);
    ASSERT_TRUE(ShowActive(*grid));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(1, 1).center());
    EXPECT_EQ(grid->Value(1, 0), kPlus);
    EXPECT_TRUE(Closed());
    EXPECT_GT(grid->RowHeight(4), 0);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(1, 0).center());
    EXPECT_TRUE(Open());
    ASSERT_TRUE(grid->IsCurrentCell(1, 1));
    QTest::keyClick(grid.get(), Qt::Key_Space);
    EXPECT_TRUE(Closed());

    // A new layout opens it again.
    grid->UpdateRows();
    EXPECT_EQ(grid->Value(1, 0), kMinus);
    EXPECT_TRUE(Open());
}

TEST_F(GroupRow, ADynamicGroupReadsItsMembersOnTheFirstOpeningOnly) {
    group->LoadRowsDynamic();
    for (Member* m : members)
        EXPECT_FALSE(m->GetDynamicLoad());
    grid->UpdateRows();
    group->OnClicked(1); // folded as the node manager does after the layout
    EXPECT_TRUE(Closed());
    EXPECT_EQ(members[0]->refreshes, 0);

    group->OnClicked(0);
    EXPECT_TRUE(Open());
    for (Member* m : members) {
        EXPECT_TRUE(m->GetDynamicLoad());
        EXPECT_EQ(m->refreshes, 1);
        EXPECT_EQ(m->backups, 1);
    }
    group->OnClicked(0);
    group->OnClicked(0);
    EXPECT_EQ(members[1]->refreshes, 1);
    EXPECT_EQ(members[1]->backups, 1);
}

TEST(GroupRowLayout, MembersOfTheLastLayoutAreNotTouchedBeforeTheirTurn) {
    // A row that stays hidden, like the row of a hidden attribute.
    class HiddenRow : public ZRGridRow {
    public:
        void SetRow(int row) override {
            ZRGridRow::SetRow(row);
            Hide();
        }
        void AdjustRowHeight() override {}
    };
    ZRPropertiesGrid grid;
    grid.SetOffLine(true);
    grid.OnInitialUpdate();
    auto* group = new ZRGroupRow(std::make_unique<ZRStaticHeader>("G"));
    auto& rows = grid.GetRows();
    rows.emplace_back(new Member);
    rows.emplace_back(group);
    rows.emplace_back(group->AddRow(new Member));
    rows.emplace_back(group->AddRow(new Member));
    rows.emplace_back(new Member);
    rows.emplace_back(new HiddenRow);
    grid.UpdateRows();
    // Rows 5 and 6 move up to rows 2 and 3: the hidden row takes number 3, which a member of the
    // group held in the last layout.
    ASSERT_TRUE(grid.MoveRows(5, 6, 2));
    EXPECT_EQ(grid.RowHeight(3), 0);
    EXPECT_GT(grid.RowHeight(5), 0);
    EXPECT_GT(grid.RowHeight(6), 0);
}
