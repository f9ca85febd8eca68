#include "SelfTestScope.h"

#include "support/ModalScript.h"
#include "support/ui/UiTestApp.h"

#include "quorvance/shell/ZRNewDriveTypeDlg.h"

#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <set>

using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::core::ModalKind;
using platform::ui::Dialog;
using platform::ui::PressDialogButton;

TEST(ZRNewDriveTypeDlg, FourGroupsOfElevenDistinctModels) {
    const auto& models = ZRNewDriveTypeDlg::GetModels();
    ASSERT_EQ(models.size(), 44u);
    const int groups[] = {0x0E, 0x0D, 0x1E, 0x1D};
    std::set<std::string> texts;
    for (size_t i = 0; i < models.size(); ++i) {
        EXPECT_EQ(models[i].productType, groups[i / 11]) << i;
        EXPECT_EQ(models[i].modelCode, static_cast<int>(i % 11)) << i;
        texts.insert(models[i].text);
    }
    EXPECT_EQ(texts.size(), 44u);
}

TEST(ZRNewDriveTypeDlg, OkTakesTheSelectedModel) {
    TestApp();
    const auto& models = ZRNewDriveTypeDlg::GetModels();
    ZRNewDriveTypeDlg dlg;
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Select New Drive", PressDialogButton(IDOK, [&](Dialog& d) {
                      EXPECT_EQ(d.GetItems(ZRNewDriveTypeDlg::IDC_DRIVE_MODEL).size(), 44u);
                      EXPECT_EQ(d.GetSelection(ZRNewDriveTypeDlg::IDC_DRIVE_MODEL), 0);
                      d.SetSelection(ZRNewDriveTypeDlg::IDC_DRIVE_MODEL, 13);
                  }));
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_ProductType, 0x0D); // an indexing drive
    EXPECT_EQ(dlg.m_ModelCode, 2);
    EXPECT_EQ(dlg.m_ModelText, models[13].text);
}

TEST(ZRNewDriveTypeDlg, DoubleClickActsAsOkAndNoSelectionAsCancel) {
    TestApp();
    {
        ZRNewDriveTypeDlg dlg;
        ModalScript script;
        script.Expect(ModalKind::Dialog, "Select New Drive", PressDialogButton(0, [](Dialog& d) {
                          auto* list = qobject_cast<QListWidget*>(d.Item(ZRNewDriveTypeDlg::IDC_DRIVE_MODEL));
                          ASSERT_NE(list, nullptr);
                          list->setCurrentRow(40);
                          emit list->itemDoubleClicked(list->item(40));
                      }));
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.m_ProductType, 0x1D);
        EXPECT_EQ(dlg.m_ModelCode, 7);
    }
    {
        ZRNewDriveTypeDlg dlg;
        ModalScript script;
        script.Expect(ModalKind::Dialog, "Select New Drive", PressDialogButton(IDOK, [](Dialog& d) {
                          d.SetSelection(ZRNewDriveTypeDlg::IDC_DRIVE_MODEL, -1);
                      }));
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(dlg.m_ProductType, 0);
    }
}

TEST(ZRNewDriveTypeDlg, SelfTestAnswersWithTheModelOfTheTestSettings) {
    TestApp();
    const auto& models = ZRNewDriveTypeDlg::GetModels();
    {
        SelfTestScope tests("[Test]\nModelTarvik=\"" + models[30].text + "\"\n");
        ZRNewDriveTypeDlg dlg;
        ModalScript none;
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.m_ProductType, 0x1E);
        EXPECT_EQ(dlg.m_ModelCode, 8);
        EXPECT_EQ(dlg.m_ModelText, models[30].text);
    }
    {
        SelfTestScope tests("[Test]\nModelTarvik=\"No such drive\"\n");
        ZRNewDriveTypeDlg dlg;
        ModalScript script;
        script.ExpectMessage("Test Error: Invalid Tarvik Model", IDOK);
        script.Expect(ModalKind::Dialog, "Select New Drive", PressDialogButton(IDCANCEL));
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
}
