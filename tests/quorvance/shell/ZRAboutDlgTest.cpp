#include "support/ModalScript.h"
#include "support/ui/UiTestApp.h"

#include "quorvance/shell/ZRAboutDlg.h"

#include <gtest/gtest.h>

using platform::core::IDOK;
using platform::core::ModalKind;

TEST(ZRAboutDlg, ShowsTheCallersTextsUnderItsCaption) {
    TestApp();
    ZRAboutDlg about;
    about.m_VersionText = "Quorvance Version 1.4";
    about.m_Comment = "Set-up of servo drives";
    ModalScript script;
    script.Expect(ModalKind::Dialog, "About Quorvance",
                  platform::ui::PressDialogButton(IDOK, [](platform::ui::Dialog& d) {
                      EXPECT_EQ(d.TemplateId(), ZRAboutDlg::IDD);
                      EXPECT_EQ(d.GetItemText(ZRAboutDlg::IDC_VERSION), "Quorvance Version 1.4");
                      EXPECT_EQ(d.GetItemText(ZRAboutDlg::IDC_NOTICE), ""); // left empty by the caller
                      EXPECT_EQ(d.GetItemText(ZRAboutDlg::IDC_COMMENT), "Set-up of servo drives");
                  }));
    EXPECT_EQ(about.DoModal(), IDOK);
}
