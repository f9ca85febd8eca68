#include "support/ui/UiTestApp.h"

#include "platform/ui/Splitter.h"

#include <QResizeEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace platform::ui;

namespace {

// A pane that remembers the last size it was given, as the pane views do to notice a collapse.
class Pane : public QWidget {
public:
    QSize last{-1, -1};

protected:
    void resizeEvent(QResizeEvent* event) override { last = event->size(); }
};

struct Rows {
    Splitter splitter{Qt::Vertical};
    Pane* top = new Pane;
    Pane* bottom = new Pane;
    Rows() {
        TestApp();
        splitter.addWidget(top);
        splitter.addWidget(bottom);
        splitter.resize(200, 400);
    }
    int Total() const { return splitter.PaneSize(0) + splitter.PaneSize(1); }
};

TEST(Splitter, SizesSetBeforeTheFirstLayoutApplyThen) {
    Rows r;
    EXPECT_EQ(r.splitter.PaneSize(1), -1); // not laid out yet
    r.splitter.SetPaneSize(0, 180);
    EXPECT_EQ(r.splitter.PaneSize(0), 180);
    ASSERT_TRUE(ShowActive(r.splitter));
    EXPECT_EQ(r.splitter.PaneSize(0), 180);
    EXPECT_EQ(r.splitter.PaneSize(1), r.Total() - 180);
    EXPECT_EQ(r.top->last.height(), 180);
}

TEST(Splitter, AHiddenPaneCollapsesToNothingAndComesBackAtItsSize) {
    Rows r;
    ASSERT_TRUE(ShowActive(r.splitter));
    int total = r.Total();
    r.splitter.SetPaneSize(0, 250);
    EXPECT_EQ(r.splitter.PaneSize(1), total - 250);

    r.splitter.TogglePane(1);
    EXPECT_FALSE(r.splitter.IsPaneShown(1));
    EXPECT_EQ(r.splitter.PaneSize(1), 0);
    EXPECT_EQ(r.splitter.PaneSize(0), total); // the other pane takes the whole height
    EXPECT_EQ(r.bottom->last.height(), 0);    // the pane can tell it is collapsed

    r.splitter.TogglePane(1);
    EXPECT_TRUE(r.splitter.IsPaneShown(1));
    EXPECT_EQ(r.splitter.PaneSize(1), total - 250);
    EXPECT_EQ(r.bottom->last.height(), total - 250);

    // An oversized request is capped at what there is; the pane it squeezed out comes back as well.
    r.splitter.SetPaneSize(0, 100000);
    EXPECT_EQ(r.splitter.PaneSize(0), total);
    EXPECT_FALSE(r.splitter.IsPaneShown(1));
    r.splitter.ShowPane(1, true);
    EXPECT_EQ(r.splitter.PaneSize(1), total - 250);
}

TEST(Splitter, APaneThatNeverHadASizeComesBackWithAFairShare) {
    Rows r;
    r.splitter.ShowPane(1, false);
    ASSERT_TRUE(ShowActive(r.splitter));
    EXPECT_EQ(r.splitter.PaneSize(1), 0);
    r.splitter.ShowPane(1, true);
    EXPECT_EQ(r.splitter.PaneSize(1), r.Total() / 2);
}

} // namespace
