#include "support/model/ReasonRecorder.h"
#include "support/ui/UiTestApp.h"

#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/ZRTabButton.h"
#include "kitbase/ui/ZRTabView.h"
#include "platform/ui/MainWindow.h"
#include "platform/ui/TabView.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <memory>

namespace {

class ZRTabViewTest : public testing::Test {
protected:
    void SetUp() override {
        main.resize(900, 700);
        ASSERT_TRUE(ShowActive(main));
    }
    // A tab view in a frame, with pages of 200 x 100 and 150 x 140.
    ZRTabView* Open() {
        auto* frame = new CSizableChildFrame;
        auto* view = new ZRTabView;
        frame->SetView(view);
        main.AddChildFrame(frame);
        frame->showNormal();
        first->resize(200, 100);
        second->resize(150, 140);
        view->AddTab(first.get(), "Limits");
        view->AddTab(second.get(), "Gains");
        return view;
    }

    platform::ui::MainWindow main;
    std::unique_ptr<QWidget> first = std::make_unique<QWidget>();
    std::unique_ptr<QWidget> second = std::make_unique<QWidget>();
};

TEST_F(ZRTabViewTest, InitialUpdateLaysOutThePagesUnderTabsWithACloseButton) {
    ZRTabView* view = Open();
    EXPECT_EQ(view->GetPageRect(), QRect(0, 0, 200, 140));
    auto* frame = platform::ui::ChildFrame::FrameOf(view);
    frame->SendInitialUpdate();

    EXPECT_EQ(frame->size(), QSize(220, 235));
    platform::ui::TabView* tabs = view->GetTabWindow();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->geometry(), QRect(0, 0, 210, 170));
    ASSERT_EQ(tabs->PageCount(), 2);
    EXPECT_EQ(tabs->Page(1), second.get());
    EXPECT_EQ(tabs->PageLabel(0), "Limits");
    EXPECT_EQ(tabs->CurrentPage(), 0);
    EXPECT_EQ(tabs->tabBar()->font().pointSizeF(), 8.0);
    EXPECT_EQ(view->GetCloseButton()->geometry(), QRect(150, 175, 57, 25));

    // A page added now is not shown.
    QWidget late;
    view->AddTab(&late, "Late");
    EXPECT_EQ(tabs->PageCount(), 2);

    // A font that cannot be made leaves the font as it was.
    EXPECT_FALSE(view->SetTabFont(0, "Sans"));
    EXPECT_EQ(tabs->tabBar()->font().pointSizeF(), 8.0);
}

TEST_F(ZRTabViewTest, TabWindowsGetConsecutiveIds) {
    ZRTabView* a = Open();
    platform::ui::ChildFrame::FrameOf(a)->SendInitialUpdate();
    ZRTabView* b = Open();
    platform::ui::ChildFrame::FrameOf(b)->SendInitialUpdate();
    EXPECT_EQ(b->GetTabWindowId(), a->GetTabWindowId() + 1);
    EXPECT_EQ(ZRTabView::m_ID, b->GetTabWindowId() + 1);
}

TEST_F(ZRTabViewTest, CloseClosesTheFrameAndThePagesOutliveTheView) {
    ZRTabView* view = Open();
    auto* frame = platform::ui::ChildFrame::FrameOf(view);
    frame->SendInitialUpdate();
    ReasonRecorder observer(*view);
    QPointer<QWidget> alive(frame);

    QTest::mouseClick(view->GetCloseButton(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(alive);
    EXPECT_EQ(observer.Count(3), 1);
    EXPECT_EQ(first->parent(), nullptr);
    EXPECT_EQ(second->parent(), nullptr);
}

TEST(ZRTabButton, HandsTheFocusToItsTargetOrKeepsIt) {
    platform::ui::MainWindow main;
    auto* frame = new CSizableChildFrame;
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* button = new ZRTabButton(page);
    auto* other = new QLineEdit(page);
    auto* target = new QLineEdit(page);
    layout->addWidget(button);
    layout->addWidget(other);
    layout->addWidget(target);
    frame->SetView(page);
    main.AddChildFrame(frame);
    ASSERT_TRUE(ShowActive(main));

    button->setFocus();
    EXPECT_TRUE(button->hasFocus());
    button->SetTarget(target);
    other->setFocus();
    button->setFocus();
    EXPECT_TRUE(target->hasFocus());
}

} // namespace
