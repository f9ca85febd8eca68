#include "support/ui/UiTestApp.h"

#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRValStringLength.h"
#include "kitbase/ui/ZRStringEntry.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/HelpRequest.h"
#include "support/ModalScript.h"
#include "support/model/TestObjects.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::core::ModalKind;
using platform::ui::Dialog;
using platform::ui::PressDialogButton;

namespace {

TEST(ZRStringEntry, WithoutAttributeAnyTextIsTaken) {
    TestApp();
    std::vector<std::pair<unsigned long, unsigned>> help;
    auto previous = platform::ui::SetHelpHandler(
        [&](unsigned long topic, unsigned command) { help.emplace_back(topic, command); });
    for (const char* typed : {"main.c", ""}) {
        ZRStringEntry entry("Name:", "File Properties");
        entry.SetHelpTopic(*typed ? 1234 : 0);
        entry.m_strValue = "prog.c";
        ModalScript script;
        script.Expect(ModalKind::Dialog, "File Properties", PressDialogButton(IDOK, [&](Dialog& d) {
                          EXPECT_EQ(d.GetItemText(ZRStringEntry::IDC_VALUE), "prog.c");
                          EXPECT_EQ(d.GetItemText(ZRStringEntry::IDC_LABEL), "Name:");
                          d.ClickButton(static_cast<int>(platform::ui::ids::ID_HELP));
                          d.SetItemText(ZRStringEntry::IDC_VALUE, typed);
                      }));
        EXPECT_EQ(entry.DoModal(), IDOK);
        EXPECT_EQ(entry.m_strValue, typed);
    }
    platform::ui::SetHelpHandler(previous);
    EXPECT_EQ(help, (std::vector<std::pair<unsigned long, unsigned>>{{1234, platform::ui::HELP_CONTEXT},
                                                                     {0, platform::ui::HELP_CONTENTS}}));
}

TEST(ZRStringEntry, TextTheAttributeRefusesKeepsTheDialogOpen) {
    TestApp();
    TestObject object;
    ZRStringAttribute name(object.GetDevice(), 0, NoPadding, ' ');
    name.SetName("Name");
    name.AddValidation(std::make_unique<ZRValStringLength>(8, 1));
    ZRStringEntry entry("Name:", "File Properties");
    entry.SetAttribute(&name);
    ModalScript script;
    script.Expect(ModalKind::Dialog, "File Properties", [](platform::core::ModalRequest& request) {
        auto& d = *static_cast<Dialog*>(request.dialog);
        d.SetItemText(ZRStringEntry::IDC_VALUE, "longer_name.c");
        d.ClickButton(IDOK);
        EXPECT_FALSE(d.IsEnded());
        EXPECT_EQ(d.GetItemText(ZRStringEntry::IDC_VALUE), "longer_name.c");
        d.SetItemText(ZRStringEntry::IDC_VALUE, "a.c");
        d.ClickButton(IDOK);
        return d.Result();
    });
    script.ExpectMessage("Name: Cannot be more than 8 characters", IDOK);
    EXPECT_EQ(entry.DoModal(), IDOK);
    EXPECT_EQ(entry.m_strValue, "a.c");

    ZRStringEntry cancelled("Name:", "File Properties");
    cancelled.m_strValue = "kept";
    script.Expect(ModalKind::Dialog, "File Properties", PressDialogButton(IDCANCEL, [](Dialog& d) {
                      d.SetItemText(ZRStringEntry::IDC_VALUE, "typed");
                  }));
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.m_strValue, "kept");
}

} // namespace
