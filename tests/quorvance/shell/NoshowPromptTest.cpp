#include "AppFixture.h"

#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/ZRChoicesNoshow.h"
#include "quorvance/shell/ZRMessageNoshow.h"

using platform::core::IDCANCEL;
using platform::core::IDNO;
using platform::core::IDOK;
using platform::core::IDYES;
using platform::core::ModalKind;
using platform::core::ModalRequest;

class NoshowPrompt : public AppFixture {
protected:
    using ScriptedAnswer = platform::core::ScriptedModalHook::Answer;

    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(ZRGlobalDataMgr::Instance()->Init());
    }
    // Answers the prompt with the button, ticking "Don't show" first when asked.
    static ScriptedAnswer Press(int button, bool tick, unsigned long* helpSeen = nullptr) {
        return [=](ModalRequest& r) {
            auto* dialog = static_cast<platform::ui::Dialog*>(r.dialog);
            if (helpSeen)
                *helpSeen = ZRGlobalDataMgr::Instance()->m_HelpTopicOverride;
            int box = dialog->TemplateId() == ZRChoicesNoshow::IDD ? int(ZRChoicesNoshow::IDC_NOSHOW)
                                                                   : int(ZRMessageNoshow::IDC_NOSHOW);
            dialog->SetCheck(box, tick ? 1 : 0);
            dialog->ClickButton(button);
            return dialog->Result();
        };
    }
};

TEST_F(NoshowPrompt, ATickedYesNoPromptIsSilentAndAnswersNo) {
    const char* text = "Do you want to copy on-line data to offline before saving?";
    unsigned long help = 0;
    {
        ModalScript script;
        script.Expect(ModalKind::Dialog, "Quorvance", Press(IDOK, false, &help));
        EXPECT_EQ(ZRChoicesNoshow("Message3", text, 32821).DoModal(), IDYES);
        EXPECT_EQ(help, 32821u);
        EXPECT_EQ(ZRGlobalDataMgr::Instance()->m_HelpTopicOverride, 0u);
    }
    {
        // "No" takes the tick along.
        ModalScript script;
        script.Expect(ModalKind::Dialog, "Quorvance", Press(IDCANCEL, true));
        EXPECT_EQ(ZRChoicesNoshow("Message3", text, 32821).DoModal(), IDNO);
    }
    EXPECT_NE(ReadSettings().find("[Message3]\nShowMessage=0"), std::string::npos);
    EXPECT_EQ(ZRChoicesNoshow("Message3", text, 32821).DoModal(), IDNO);

    {
        ModalScript script;
        script.Expect(ModalKind::Dialog, "Information", Press(IDOK, true));
        ZRMessageNoshow("Message2", "note").Show();
    }
    ZRMessageNoshow("Message2", "note").Show();
}

TEST_F(NoshowPrompt, RestoreBringsBackEverySilencedPromptAndCreatesNoSection) {
    WriteSettings("[Message3]\nShowMessage=0\n[Message9]\nShowMessage=0\n[Tip Of Day]\nShowAtStartup=0\n");
    ZRGlobalDataMgr::DestroyInstance();
    StartEmpty();
    App().OnCommand(ID_RESTORE_MESSAGES);
    std::string settings = ReadSettings();
    EXPECT_NE(settings.find("[Message3]\nShowMessage=1"), std::string::npos) << settings;
    EXPECT_NE(settings.find("[Message9]\nShowMessage=1"), std::string::npos) << settings;
    EXPECT_NE(settings.find("[Tip Of Day]\nShowAtStartup=1"), std::string::npos) << settings;
    EXPECT_EQ(settings.find("[Message4]"), std::string::npos) << settings;
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Quorvance", Press(IDOK, false));
    EXPECT_EQ(ZRChoicesNoshow("Message3", "question", 0).DoModal(), IDYES);
}

TEST_F(NoshowPrompt, DriveAddedMessageNamesTheDrive) {
    StartEmpty();
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Information", [](ModalRequest& r) {
        auto* dialog = static_cast<platform::ui::Dialog*>(r.dialog);
        EXPECT_EQ(
            dialog->GetItemText(ZRMessageNoshow::IDC_MESSAGE),
            "Drive \"Axis 1\" has been added to the workspace.\nDouble click on the drive icon to begin "
            "basic setup.");
        dialog->ClickButton(IDOK);
        return dialog->Result();
    });
    App().ShowDriveAddedMessage("Axis 1");
}
