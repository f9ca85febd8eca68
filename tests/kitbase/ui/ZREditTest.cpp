// An edit box and a static text bound to attributes.
#include "support/ui/UiTestApp.h"

#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/ZREdit.h"
#include "kitbase/ui/ZREditController.h"
#include "kitbase/ui/ZRStatic.h"
#include "support/ModalScript.h"
#include "support/model/FakeStorage.h"
#include "support/model/TestDevice.h"
#include "support/model/TestObjects.h"

#include <QApplication>
#include <QFocusEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using platform::core::IDOK;

namespace {

// "Long 0" (id 100) of an off-line test object, stored as 25.
struct Owner {
    FakeStorage storage;
    TestDevice device{&storage, true};
    TestObject object;
    ZRLongAttribute& value = object.Long(0);

    Owner() {
        object.SetDevice(&device);
        object.SetInstance(1);
        object.Init();
        storage.objects.insert({TestObject::kClass, 1});
        Stored() = 25;
        value.Refresh(true);
    }
    int32_t& Stored() { return storage.longs[{TestObject::kClass, 1, TestObject::kFirstLongId}]; }
};

void LoseFocus(QWidget& widget) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(&widget, &out);
}

TEST(ZREdit, ShowsTheAttributeAndWritesOnEnterOrFocusLoss) {
    TestApp();
    Owner owner;
    ZREdit edit;
    edit.SetMvcData(&owner.value, new ZREditController);
    EXPECT_EQ(edit.text(), "25");
    EXPECT_EQ(edit.GetController()->GetCtl(), &edit);

    owner.Stored() = 30;
    owner.value.Refresh(true);
    EXPECT_EQ(edit.text(), "30");

    edit.setText("42");
    EXPECT_EQ(owner.value.GetAsString(), "30"); // typing alone writes nothing
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(owner.Stored(), 42);

    edit.setText("43");
    LoseFocus(edit);
    EXPECT_EQ(owner.Stored(), 43);

    owner.value.SetEnabled(false);
    EXPECT_FALSE(edit.isEnabled());
}

TEST(ZREdit, InvalidNumberIsReportedAndTheAttributeKeepsItsValue) {
    TestApp();
    Owner owner;
    ZREdit edit;
    edit.SetMvcData(&owner.value, new ZREditController);
    ModalScript script;
    script.ExpectMessage("Long 0: Invalid Entry", IDOK);
    edit.setText("fast");
    QTest::keyClick(&edit, Qt::Key_Enter);
    EXPECT_EQ(owner.Stored(), 25);
    EXPECT_EQ(owner.value.GetAsString(), "25");
    EXPECT_EQ(edit.text(), "25"); // shown again from the attribute
}

TEST(ZREdit, ErrorEscapingTheAttributeIsShownWithItsCode) {
    TestApp();
    class Failing : public ZRStringAttribute {
    public:
        Failing(ZRDevice*& device) : ZRStringAttribute(device, 0, NoPadding, ' ') {}
        bool SetAsString(const std::string&) override { throw ZRError(9, "Read only"); }
    };
    Owner owner;
    Failing text(owner.object.GetDevice());
    ZREdit edit;
    edit.SetMvcData(&text, new ZREditController);
    ModalScript script;
    script.ExpectMessage("Read only (error #9)", IDOK);
    edit.setText("x");
    QTest::keyClick(&edit, Qt::Key_Return);
}

TEST(ZRStatic, LabelOnlyKeepsItsCaptionAndFollowsTheEnabledState) {
    TestApp();
    Owner owner;
    ZRStatic label("Speed:"), value;
    label.SetMvcData(&owner.value, true);
    value.SetMvcData(&owner.value, false);
    EXPECT_EQ(label.text(), "Speed:");
    EXPECT_EQ(value.text(), "25");
    owner.value.SetAsString("7");
    EXPECT_EQ(label.text(), "Speed:");
    EXPECT_EQ(value.text(), "7");
    owner.value.SetEnabled(false);
    EXPECT_FALSE(label.isEnabled());
    EXPECT_FALSE(value.isEnabled());
}

TEST(ZRBoundTexts, OutliveTheirModels) {
    TestApp();
    auto owner = std::make_unique<Owner>();
    ZREdit edit;
    edit.SetMvcData(&owner->value, new ZREditController);
    ZRStatic value;
    value.SetMvcData(&owner->value, false);
    owner.reset();
    EXPECT_EQ(edit.GetModel(), nullptr);
    EXPECT_EQ(value.GetModel(), nullptr);
    EXPECT_FALSE(edit.isEnabled());
    EXPECT_FALSE(value.isEnabled());
    edit.setText("5");
    LoseFocus(edit); // nothing to write to
}

} // namespace
