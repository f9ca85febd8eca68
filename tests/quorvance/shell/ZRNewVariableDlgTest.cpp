#include "SelfTestScope.h"

#include "support/ModalScript.h"
#include "support/ui/UiTestApp.h"

#include "quorvance/shell/ZRNewVariableDlg.h"

#include <gtest/gtest.h>

using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::core::ModalKind;
using platform::ui::Dialog;
using platform::ui::PressDialogButton;

TEST(ZRNewVariableDlg, OkTakesNameTypeAndCount) {
    TestApp();
    ZRNewVariableDlg dlg;
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Insert Variable", PressDialogButton(IDOK, [](Dialog& d) {
                      EXPECT_EQ(d.GetCheck(ZRNewVariableDlg::IDC_LONG), 0); // no type chosen yet
                      EXPECT_EQ(d.GetCheck(ZRNewVariableDlg::IDC_FLOAT), 0);
                      d.SetItemText(ZRNewVariableDlg::IDC_NAME, "Speeds");
                      d.SetCheck(ZRNewVariableDlg::IDC_FLOAT, 1);
                      d.SetItemText(ZRNewVariableDlg::IDC_ELEMENTS, "12");
                  }));
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_Name, "Speeds");
    EXPECT_EQ(dlg.m_Type, ZRNewVariableDlg::Float);
    EXPECT_EQ(dlg.m_Size, 12);
}

TEST(ZRNewVariableDlg, ACountThatIsNotANumberKeepsTheDialogOpen) {
    TestApp();
    ZRNewVariableDlg dlg;
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Insert Variable", PressDialogButton(IDCANCEL, [](Dialog& d) {
                      d.SetItemText(ZRNewVariableDlg::IDC_NAME, "Count");
                      d.SetItemText(ZRNewVariableDlg::IDC_ELEMENTS, "many");
                      d.ClickButton(IDOK);
                      EXPECT_FALSE(d.IsEnded());
                  }));
    script.ExpectMessage("Enter a whole number", IDOK);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_Size, 0);
}

TEST(ZRNewVariableDlg, SelfTestTakesItsAnswersFromTheQueue) {
    TestApp();
    SelfTestScope tests;
    tests.Queue().AddResponseToQue(ZRTestEx::NumberResponse, 20);
    tests.Queue().AddResponseToQue("Table");
    tests.Queue().AddResponseToQue(ZRTestEx::NumberResponse, 0);
    ZRNewVariableDlg dlg;
    ModalScript none;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_Size, 20);
    EXPECT_EQ(dlg.m_Name, "Table");
    EXPECT_EQ(dlg.m_Type, ZRNewVariableDlg::LongInt);
    EXPECT_TRUE(tests.Queue().IsRespQueEmpty());
}

TEST(ZRNewVariableDlg, SelfTestAnswerOfTheWrongTypeIsReportedAndTheUserAsked) {
    TestApp();
    struct {
        const char* missing;
        int numbers;
        bool text;
    } cases[] = {{"m_Size", 0, false}, {"m_Name", 1, false}, {"m_Type", 1, true}};
    for (const auto& c : cases) {
        SelfTestScope tests;
        if (c.numbers)
            tests.Queue().AddResponseToQue(ZRTestEx::NumberResponse, 3);
        if (c.text)
            tests.Queue().AddResponseToQue("Flags");
        // The next answer is of the wrong kind for the field asked.
        if (c.text || !c.numbers)
            tests.Queue().AddResponseToQue("Wrong");
        else
            tests.Queue().AddResponseToQue(ZRTestEx::NumberResponse, 9);
        ZRNewVariableDlg dlg;
        ModalScript script;
        script.ExpectMessage(std::string("Test Error: ZRNewVariableDlg has wrong type for ") + c.missing,
                             IDOK);
        script.Expect(ModalKind::Dialog, "Insert Variable", PressDialogButton(IDCANCEL, [&](Dialog& d) {
                          // What was taken before shows in the dialog.
                          EXPECT_EQ(d.GetItemText(ZRNewVariableDlg::IDC_ELEMENTS), c.numbers ? "3" : "0");
                      }));
        EXPECT_EQ(dlg.DoModal(), IDCANCEL) << c.missing;
    }
}
