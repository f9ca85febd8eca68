#include "support/ModalScript.h"
#include "support/TempDir.h"
#include "support/ui/UiTestApp.h"

#include "platform/ui/HelpRequest.h"
#include "quorvance/shell/ZRTipOfDay.h"

#include <gtest/gtest.h>

#include <fstream>

using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::core::ModalKind;
using platform::ui::Dialog;
using platform::ui::PressDialogButton;

namespace {
class ZRTipOfDayTest : public testing::Test {
protected:
    ZRTipOfDayTest() {
        TestApp();
        // Written on Windows, with a blank line between tips.
        std::ofstream(temp.File("Quorvance.tip"), std::ios::binary)
            << "First tip.\r\n\r\nSecond tip.\r\nThird tip.\r\n";
    }
    std::string TipFile() const { return temp.File("Quorvance.tip"); }

    TempDir temp;
};
} // namespace

TEST_F(ZRTipOfDayTest, StepsThroughTheTipsAndWrapsAround) {
    ZRTipOfDay tips(TipFile(), 2, true);
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Tip of the Day", PressDialogButton(IDOK, [](Dialog& d) {
                      EXPECT_EQ(d.GetItemText(ZRTipOfDay::IDC_TIP), "Second tip.");
                      d.ClickButton(ZRTipOfDay::IDC_NEXT_TIP);
                      EXPECT_EQ(d.GetItemText(ZRTipOfDay::IDC_TIP), "Third tip.");
                      d.ClickButton(ZRTipOfDay::IDC_NEXT_TIP);
                      EXPECT_EQ(d.GetItemText(ZRTipOfDay::IDC_TIP), "First tip.");
                      d.SetCheck(ZRTipOfDay::IDC_SHOW_AT_STARTUP, 0);
                  }));
    EXPECT_EQ(tips.DoModal(), IDOK);
    EXPECT_EQ(tips.GetCurrentTip(), 1);
    EXPECT_FALSE(tips.GetShowAtStartup());
    EXPECT_EQ(tips.GetTips().size(), 3u);
}

TEST_F(ZRTipOfDayTest, StartPastTheLastTipShowsTheFirstAndEscapeKeepsTheChoice) {
    ZRTipOfDay tips(TipFile(), 4, false);
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Tip of the Day", PressDialogButton(IDCANCEL, [](Dialog& d) {
                      EXPECT_EQ(d.GetItemText(ZRTipOfDay::IDC_TIP), "First tip.");
                      EXPECT_EQ(d.GetCheck(ZRTipOfDay::IDC_SHOW_AT_STARTUP), 0);
                      d.SetCheck(ZRTipOfDay::IDC_SHOW_AT_STARTUP, 1);
                  }));
    tips.DoModal();
    EXPECT_EQ(tips.GetCurrentTip(), 1);
    EXPECT_TRUE(tips.GetShowAtStartup());
}

TEST_F(ZRTipOfDayTest, HelpOpensItsTopic) {
    unsigned long topic = 0;
    unsigned command = 0;
    auto previous = platform::ui::SetHelpHandler([&](unsigned long t, unsigned c) {
        topic = t;
        command = c;
    });
    ZRTipOfDay tips(TipFile(), 1, true);
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Tip of the Day",
                  PressDialogButton(IDOK, [](Dialog& d) { d.ClickButton(ZRTipOfDay::IDC_HELP); }));
    tips.DoModal();
    platform::ui::SetHelpHandler(previous);
    EXPECT_EQ(topic, 1109u);
    EXPECT_EQ(command, platform::ui::HELP_CONTEXT);
}

TEST_F(ZRTipOfDayTest, AMissingFileSaysSo) {
    ZRTipOfDay tips(temp.File("none.tip"), 1, true);
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Tip of the Day", PressDialogButton(IDOK, [](Dialog& d) {
                      EXPECT_NE(d.GetItemText(ZRTipOfDay::IDC_TIP).find("none.tip"), std::string::npos);
                      EXPECT_FALSE(d.IsItemEnabled(ZRTipOfDay::IDC_NEXT_TIP));
                  }));
    tips.DoModal();
    EXPECT_EQ(tips.GetCurrentTip(), 0);
}
