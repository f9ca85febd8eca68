#include "kitbase/ui/ZRIdleRefresh.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Rows of 20 pixels stacked from y = -top; a height of 0 hides a row (it takes no space).
struct Rows {
    std::vector<int> heights;
    int scroll = 0;

    ZRRowSpan SpanOf(size_t i) const {
        int y = -scroll;
        for (size_t k = 0; k < i; ++k)
            y += heights[k];
        return {heights[i], y, y + heights[i]};
    }
};

// Runs ticks and answers the refreshed row per tick (-1: none).
std::vector<int> Ticks(const Rows& rows, int ticks, int areaHeight, int edited = -1, bool always = false,
                       bool* wrappedOut = nullptr) {
    std::vector<size_t> index(rows.heights.size());
    for (size_t i = 0; i < index.size(); ++i)
        index[i] = i;
    auto cursor = index.begin();
    bool wrapped = true;
    auto editedIt = edited < 0 ? index.end() : index.begin() + edited;
    std::vector<int> out;
    for (int t = 0; t < ticks; ++t) {
        auto chosen = ZRPickRefreshRow(
            index.begin(), index.end(), cursor, wrapped, ZRRefreshArea{100, 0, areaHeight},
            [&](std::vector<size_t>::iterator it) { return rows.SpanOf(*it); }, editedIt, always);
        out.push_back(chosen == index.end() ? -1 : static_cast<int>(*chosen));
    }
    if (wrappedOut)
        *wrappedOut = wrapped;
    return out;
}

} // namespace

TEST(ZRIdleRefresh, OneVisibleRowPerTickInListOrderThenAgainFromTheTop) {
    // Three visible rows with hidden ones between them.
    Rows rows{{20, 0, 0, 20, 0, 0, 0, 20}};
    EXPECT_EQ(Ticks(rows, 6, 200), (std::vector<int>{0, 3, 7, 0, 3, 7}));
}

TEST(ZRIdleRefresh, OnlyRowsThatIntersectTheViewAreRead) {
    struct Case {
        const char* name;
        int scroll, areaHeight;
        std::vector<int> expected;
    } cases[] = {
        // Rows 0..9 of 20 px. Scrolled by 105: rows 0-4 are above; 5 is partly visible.
        {"scrolled", 105, 50, {5, 6, 7, -1, 5}}, // row 8 starts at 55, below the view: the pass ends
        {"top", 0, 30, {0, 1, -1, 0}},
        {"partial bottom row counts", 0, 41, {0, 1, 2, -1}},
    };
    for (const Case& c : cases) {
        Rows rows{std::vector<int>(10, 20), c.scroll};
        EXPECT_EQ(Ticks(rows, static_cast<int>(c.expected.size()), c.areaHeight), c.expected) << c.name;
    }
}

TEST(ZRIdleRefresh, EditedRowTakesItsTickUnlessTheGridAlwaysRefreshes) {
    Rows rows{std::vector<int>(3, 20)};
    EXPECT_EQ(Ticks(rows, 4, 100, 1, false), (std::vector<int>{0, -1, 2, 0}));
    EXPECT_EQ(Ticks(rows, 4, 100, 1, true), (std::vector<int>{0, 1, 2, 0}));
}

TEST(ZRIdleRefresh, EmptyGridOrEmptyAreaRefreshesNothing) {
    bool wrapped = false;
    EXPECT_EQ(Ticks(Rows{}, 3, 100, -1, false, &wrapped), (std::vector<int>{-1, -1, -1}));
    EXPECT_TRUE(wrapped);
    EXPECT_EQ(Ticks(Rows{std::vector<int>(3, 20)}, 3, 0), (std::vector<int>{-1, -1, -1}));
}

TEST(ZRIdleRefresh, RowsWithoutRectangleAreSkippedAtThePassStartAndEndItLater) {
    // An empty rectangle (but a height) stands for a row outside what the grid lays out.
    std::vector<int> order{0, 1, 2};
    std::vector<ZRRowSpan> spans{{20, 0, 0}, {20, 0, 20}, {20, 0, 0}};
    auto cursor = order.begin();
    bool wrapped = true;
    auto pick = [&] {
        auto it = ZRPickRefreshRow(
            order.begin(), order.end(), cursor, wrapped, ZRRefreshArea{10, 0, 100},
            [&](std::vector<int>::iterator i) { return spans[static_cast<size_t>(*i)]; }, order.end(), false);
        return it == order.end() ? -1 : *it;
    };
    EXPECT_EQ(pick(), 1);
    EXPECT_FALSE(wrapped);
    EXPECT_EQ(pick(), -1); // row 2 ends the pass
    EXPECT_TRUE(wrapped);
    EXPECT_EQ(cursor, order.begin());
}
