#include "support/ui/UiTestApp.h"

#include "kitbase/model/ZREye.h"
#include "kitbase/ui/ZREyeView.h"
#include "platform/core/Clock.h"
#include "platform/ui/Dialog.h"

#include <QImage>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr unsigned long kRed = 0x0000FF; // 0x00BBGGRR
constexpr int kWidth = 30, kHeight = 40;

class SpyEye : public ZREyeView {
public:
    int paints = 0;

protected:
    void DoPaint(QPainter& dc) override {
        ++paints;
        ZREyeView::DoPaint(dc);
    }
};

// Whether column x is the foreground colour all down the inside of the border.
bool LineAt(const QImage& image, int x) {
    for (int y = 2; y < image.height() - 2; ++y)
        if (image.pixelColor(x, y) != QColor(255, 0, 0))
            return false;
    return true;
}

bool AnyLine(const QImage& image) {
    for (int x = 1; x < image.width() - 2; ++x)
        if (LineAt(image, x))
            return true;
    return false;
}

TEST(ZREyeView, LineMovesOnlyAfterWorkAndBouncesAtBothEdges) {
    TestApp();
    QWidget bar;
    SpyEye eye;
    ASSERT_TRUE(eye.Create(QRect(0, 0, kWidth, kHeight), &bar,
                           ZREyeView::StyleChild | ZREyeView::StyleVisible, 0xFFFF));
    EXPECT_FALSE(eye.Create(QRect(0, 0, kWidth, kHeight), &bar, 0, 0xFFFF));
    EXPECT_EQ(ZREye::Instance()->GetView(), &eye);
    eye.SetColors(kRed, 0xBEBEBE);
    eye.SetScrollStep(7);

    int position = ZREyeView::GetLinePosition();
    EXPECT_FALSE(AnyLine(eye.grab().toImage())); // "IDLE": nothing happened yet
    EXPECT_EQ(ZREyeView::GetLinePosition(), position);

    bool leftEdge = false, rightEdge = false;
    for (int tick = 0; tick < 15; ++tick) {
        ZREye::Instance()->Increment();
        ZREye::Instance()->Increment(); // many steps of work still move the line once per paint
        QImage image = eye.grab().toImage();
        int now = ZREyeView::GetLinePosition();
        ASSERT_GE(now, 0);
        ASSERT_LE(now, kWidth);
        leftEdge |= now == 0;
        rightEdge |= now == kWidth;
        if (now != 0 && now != kWidth) {
            EXPECT_EQ(std::abs(now - position), 7) << tick;
        }
        if (now - 1 >= 1 && now - 1 <= kWidth - 3) {
            EXPECT_TRUE(LineAt(image, now - 1)) << now;
        }
        position = now;
    }
    EXPECT_TRUE(leftEdge);
    EXPECT_TRUE(rightEdge);

    EXPECT_FALSE(AnyLine(eye.grab().toImage()));
    EXPECT_EQ(ZREyeView::GetLinePosition(), position);
}

TEST(ZREyeView, TimerRulesAndTakingOverADialogControl) {
    TestApp();
    // Parents first: they are destroyed after the indicators they hold.
    QWidget bar;
    platform::ui::Dialog box(299, "Working", {platform::ui::ControlSpec::Static(1077, "busy")});
    ZREyeView eye;
    ZREyeView next;
    EXPECT_EQ(next.GetTimerId(), eye.GetTimerId() + 1);

    eye.Start(); // no window yet
    EXPECT_FALSE(eye.IsTimerRunning());
    ASSERT_TRUE(eye.Create(QRect(0, 0, 100, 20), &bar, ZREyeView::StyleChild, 0xFFFF));
    EXPECT_FALSE(eye.IsTimerRunning());
    EXPECT_TRUE(eye.SetScrollDelay(70)); // the same delay starts nothing
    EXPECT_FALSE(eye.IsTimerRunning());
    EXPECT_TRUE(eye.SetScrollDelay(40));
    EXPECT_TRUE(eye.IsTimerRunning());
    EXPECT_EQ(eye.GetScrollDelay(), 40u);

    ASSERT_TRUE(box.Create());
    EXPECT_FALSE(next.AttachStatic(4242, &box));
    ASSERT_TRUE(next.AttachStatic(1077, &box));
    EXPECT_EQ(next.parentWidget(), &box);
    EXPECT_TRUE(box.Item(1077)->isHidden());
    EXPECT_EQ(ZREye::Instance()->GetView(), &next);
    box.DestroyWindow();
}

TEST(ZREyeView, TicksOnItsTimerAndWhileTheCallerBlocks) {
    TestApp();
    QWidget bar;
    bar.resize(120, 30);
    SpyEye eye;
    ASSERT_TRUE(
        eye.Create(QRect(0, 0, 100, 20), &bar, ZREyeView::StyleChild | ZREyeView::StyleVisible, 0xFFFF));
    ASSERT_TRUE(ShowActive(bar));
    ASSERT_TRUE(eye.SetScrollDelay(5));
    eye.Start();
    int before = eye.paints;
    EXPECT_TRUE(QTest::qWaitFor([&] { return eye.paints >= before + 3; }, 2000));

    // A blocking exchange ticks the count without returning to the event loop: a due tick is painted
    // at once.
    before = eye.paints;
    int position = ZREyeView::GetLinePosition();
    platform::core::Sleep(10);
    ZREye::Instance()->Increment();
    EXPECT_EQ(eye.paints, before + 1);
    EXPECT_NE(ZREyeView::GetLinePosition(), position);
}

} // namespace
