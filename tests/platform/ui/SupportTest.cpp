#include "support/ui/UiTestApp.h"

#include "platform/ui/Resources.h"
#include "platform/ui/StandardControls.h"
#include "platform/ui/Text.h"
#include "platform/ui/TimerOwner.h"

#include <QEventLoop>
#include <QPixmap>
#include <QString>
#include <QTimer>
#include <gtest/gtest.h>

using namespace platform::ui;

namespace {

TEST(Text, ConvertsCodePage1252AtTheToolkitEdge) {
    EXPECT_EQ(ToQString("25\xB0"
                        "C \x80"),
              QString::fromUtf8("25\xC2\xB0"
                                "C \xE2\x82\xAC"));
    EXPECT_EQ(FromQString(QString::fromUtf8("\xE2\x82\xAC 5")), "\x80 5");
    EXPECT_EQ(FromQString(QString::fromUtf8("\xE4\xB8\xAD")), "?");
    EXPECT_EQ(FromQString(ToQString("plain")), "plain");
}

TEST(Resources, BitmapTextsAndRegistry) {
    TestApp();
    EXPECT_EQ(Resources::ParseBitmapText("#BMP(19702)"), 19702);
    for (const char* bad : {"#BMP()", "#BMP(12", "BMP(12)", "#BMP(1x)", "19702", ""})
        EXPECT_EQ(Resources::ParseBitmapText(bad), -1) << bad;
    EXPECT_EQ(Resources::BitmapText(19705), "#BMP(19705)");
    Resources::RegisterPixmap(19702, Resources::BoxedSign(true));
    EXPECT_TRUE(Resources::Has(19702));
    EXPECT_FALSE(Resources::Pixmap(19702).isNull());
    EXPECT_TRUE(Resources::Pixmap(4242).isNull());
}

TEST(ProgressCaption, OnlyTheValueConversionIsUnderstood) {
    EXPECT_EQ(ProgressControl::Caption("%ld %%", 50), "50 %");
    EXPECT_EQ(ProgressControl::Caption("%d of 100", 7), "7 of 100");
    EXPECT_EQ(ProgressControl::Caption("%s %n", 7), "%s %n");
}

TEST(TimerOwner, TicksByIdUntilKilled) {
    TestApp();
    class Ticker : public TimerOwner {
    public:
        std::vector<int> ticks;

    protected:
        void OnTimer(int id) override {
            ticks.push_back(id);
            if (ticks.size() == 3)
                KillTimer(id);
        }
    } ticker;
    EXPECT_TRUE(ticker.SetTimer(7, 5));
    EXPECT_TRUE(ticker.IsTimerRunning(7));
    EXPECT_FALSE(ticker.KillTimer(8));
    QEventLoop loop;
    QTimer::singleShot(120, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(ticker.ticks, (std::vector<int>{7, 7, 7}));
    EXPECT_FALSE(ticker.IsTimerRunning(7));
}

} // namespace
