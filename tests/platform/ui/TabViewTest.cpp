#include "support/ui/UiTestApp.h"

#include "platform/ui/Guard.h"
#include "platform/ui/TabView.h"

#include <QLabel>
#include <QPointer>
#include <QTabBar>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

using namespace platform::ui;

namespace {

class Tabs : public TabView {
public:
    std::vector<int> changes;
    bool fail = false;

protected:
    void OnPageChanged(int index) override {
        changes.push_back(index);
        if (fail)
            throw std::runtime_error("page failed");
    }
};

TEST(TabView, PagesByIndexAndPageChanges) {
    TestApp();
    // Declared before the view, which hands its pages back instead of deleting them.
    auto first = std::make_unique<QLabel>("one");
    auto second = std::make_unique<QLabel>("two");
    Tabs tabs;
    EXPECT_EQ(tabs.AddPage(first.get(), "Parameters"), 0);
    EXPECT_EQ(tabs.AddPage(second.get(), "Caf\xE9"), 1);
    EXPECT_EQ(tabs.PageCount(), 2);
    EXPECT_EQ(tabs.Page(1), second.get());
    EXPECT_EQ(tabs.PageLabel(1), "Caf\xE9");
    EXPECT_EQ(tabs.CurrentPage(), 0);

    EXPECT_TRUE(tabs.SetCurrentPage(1));
    EXPECT_FALSE(tabs.SetCurrentPage(2));
    EXPECT_FALSE(tabs.SetCurrentPage(-1));
    EXPECT_EQ(tabs.CurrentPage(), 1);

    // A failing handler is reported, and the switch still happens.
    std::vector<std::string> reports;
    ExceptionReporter previous =
        SetExceptionReporter([&](const std::string& where, std::exception_ptr) { reports.push_back(where); });
    tabs.fail = true;
    tabs.SetCurrentPage(0);
    SetExceptionReporter(previous);
    EXPECT_EQ(tabs.CurrentPage(), 0);
    EXPECT_EQ(reports, (std::vector<std::string>{"OnPageChanged"}));
    EXPECT_EQ(tabs.changes, (std::vector<int>{0, 1, 0}));
}

TEST(TabView, TabFontAndPagesThatOutliveTheView) {
    TestApp();
    auto page = std::make_unique<QLabel>("kept");
    QPointer<QLabel> dropped = new QLabel("dropped");
    {
        Tabs tabs;
        tabs.AddPage(page.get(), "Kept");
        tabs.AddPage(dropped, "Dropped");
        EXPECT_TRUE(tabs.SetTabFont(80, "Sans Serif"));
        EXPECT_EQ(tabs.tabBar()->font().pointSizeF(), 8.0);
        EXPECT_FALSE(tabs.SetTabFont(0, "Sans Serif"));
        EXPECT_FALSE(tabs.SetTabFont(80, ""));
        EXPECT_EQ(tabs.tabBar()->font().pointSizeF(), 8.0);
        delete dropped.data(); // a page deleted first leaves its tab
        EXPECT_EQ(tabs.PageCount(), 1);
    }
    // The maker still owns the page: it was handed back, not deleted.
    EXPECT_EQ(page->parent(), nullptr);
    EXPECT_FALSE(page->isVisible());
}

} // namespace
