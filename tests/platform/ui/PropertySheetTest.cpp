#include "support/ui/UiTestApp.h"

#include "platform/ui/PropertySheet.h"
#include "support/ModalScript.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace platform::ui;
using namespace platform::core;

namespace {

// A page that logs its hooks and answers as the test sets it.
class LogPage : public PropertyPage {
public:
    LogPage(int id, std::vector<std::string>& log)
        : PropertyPage(id, "Step " + std::to_string(id), {ControlSpec::Static(-1, "text")}), m_log(log) {}

    bool agree = true;
    unsigned buttons = PSWIZB_BACK | PSWIZB_NEXT;
    int next = 0;
    bool finish = true;

    bool OnSetActive() override {
        Log("set");
        if (agree)
            GetSheet()->SetWizardButtons(buttons);
        return agree;
    }
    bool OnKillActive() override {
        Log("kill");
        return PropertyPage::OnKillActive();
    }
    int OnWizardNext() override { return next; }
    bool OnWizardFinish() override {
        Log("finish");
        return finish;
    }

protected:
    bool OnInitDialog() override {
        Log("init");
        return PropertyPage::OnInitDialog();
    }
    void OnCancel() override { Log("cancel"); }

private:
    void Log(const char* what) { m_log.push_back(std::to_string(TemplateId()) + " " + what); }
    std::vector<std::string>& m_log;
};

struct Wizard {
    explicit Wizard(int pages) {
        for (int i = 0; i < pages; ++i)
            page.push_back(sheet.AddPage(std::make_unique<LogPage>(101 + i, log)));
    }
    std::vector<std::string> log;
    PropertySheet sheet{"Wizard"};
    std::vector<LogPage*> page;
};

} // namespace

TEST(PropertySheet, MovesThroughPagesBuildingEachOnceAndHonouringRefusals) {
    TestApp();
    Wizard w(4);
    w.page[3]->buttons = PSWIZB_BACK | PSWIZB_FINISH;
    w.page[0]->next = 103; // Next from the first page skips to the page of template 103
    w.page[1]->agree = false;
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Wizard", [&](ModalRequest& r) {
        auto& sheet = *static_cast<PropertySheet*>(r.dialog);
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        EXPECT_FALSE(sheet.IsItemShown(PropertySheet::ID_WIZFINISH));
        EXPECT_TRUE(sheet.ClickButton(PropertySheet::ID_WIZNEXT));
        EXPECT_EQ(sheet.GetActiveIndex(), 2);
        // Back to a page that refuses: the sheet stays and the page it left is active again.
        EXPECT_TRUE(sheet.ClickButton(PropertySheet::ID_WIZBACK));
        EXPECT_EQ(sheet.GetActiveIndex(), 2);
        EXPECT_TRUE(sheet.ClickButton(PropertySheet::ID_WIZNEXT));
        EXPECT_EQ(sheet.GetActiveIndex(), 3);
        // Finish replaces Next; a page that refuses Finish keeps the sheet open.
        EXPECT_FALSE(sheet.ClickButton(PropertySheet::ID_WIZNEXT));
        w.page[3]->finish = false;
        sheet.ClickButton(PropertySheet::ID_WIZFINISH);
        EXPECT_FALSE(sheet.IsEnded());
        w.page[3]->finish = true;
        sheet.ClickButton(PropertySheet::ID_WIZFINISH);
        return sheet.Result();
    });
    EXPECT_EQ(w.sheet.DoModal(), PropertySheet::ID_WIZFINISH);
    EXPECT_EQ(w.log, (std::vector<std::string>{"101 init", "101 set", "101 kill", "103 init", "103 set",
                                               "103 kill", "102 init", "102 set", "103 set", "103 kill",
                                               "104 init", "104 set", "104 finish", "104 finish"}));
}

TEST(PropertySheet, CancelReachesEveryBuiltPageAndNoOther) {
    TestApp();
    Wizard w(3);
    w.page[0]->buttons = PSWIZB_NEXT;
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Wizard", [&](ModalRequest& r) {
        auto& sheet = *static_cast<PropertySheet*>(r.dialog);
        // Back is not offered on the first page.
        EXPECT_FALSE(sheet.ClickButton(PropertySheet::ID_WIZBACK));
        sheet.ClickButton(PropertySheet::ID_WIZNEXT);
        sheet.ClickButton(PropertySheet::ID_WIZBACK);
        w.log.clear();
        sheet.ClickButton(IDCANCEL);
        return sheet.Result();
    });
    EXPECT_EQ(w.sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(w.log, (std::vector<std::string>{"101 cancel", "102 cancel"}));
}
