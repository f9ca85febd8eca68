#include "support/ModalScript.h"
#include "support/model/FakeStorage.h"
#include "support/model/TestDevice.h"
#include "support/model/TestObjects.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "quorvance/shell/ZRValAutoMotorIden.h"

#include <gtest/gtest.h>

namespace {
constexpr const char* kRefusal =
    "Auto Motor Iden: Can't disable Auto Motor Iden when a motor with SRS/SRM or "
    "SKS/SKM \nencoder type is selected.";

class ZRValAutoMotorIdenTest : public testing::Test {
protected:
    ZRValAutoMotorIdenTest() {
        object.SetDevice(&device);
        object.SetInstance(1);
        encoder.SetObject(&object);
        encoder.Define(50);
        encoder.SetName("Encoder");
        autoIden.SetObject(&object);
        autoIden.Define(51);
        autoIden.SetName("Auto Motor Iden");
        autoIden.SetStrings("Disabled", "Enabled");
        autoIden.AddValidation(std::make_unique<ZRValAutoMotorIden>(&encoder, &autoIden));
    }
    void Set(const char* encoderText, bool on) {
        ASSERT_TRUE(encoder.SetAsString(encoderText));
        ASSERT_TRUE(autoIden.SetValue(on));
    }

    FakeStorage storage;
    TestDevice device{&storage, true};
    TestObject object;
    ZRStringAttribute encoder{object.GetDevice(), 0, NoPadding, ' '};
    ZRBoolAttribute autoIden{object.GetDevice(), 4, -1};
};
} // namespace

TEST_F(ZRValAutoMotorIdenTest, SerialEncoderKeepsIdentificationOn) {
    Set("SRS/SRM", true);
    {
        ModalScript script;
        script.ExpectMessage(kRefusal, platform::core::IDOK);
        EXPECT_FALSE(autoIden.Validate("Disabled"));
    }
    // Once on, every edit is refused, the candidate is not looked at.
    Set("SKS/SKM", true);
    {
        ModalScript script;
        script.ExpectMessage(kRefusal, platform::core::IDOK);
        EXPECT_FALSE(autoIden.Validate("Enabled"));
    }
}

TEST_F(ZRValAutoMotorIdenTest, OtherEncodersOrIdentificationOffPass) {
    ModalScript none;
    Set("Incremental", true);
    EXPECT_TRUE(autoIden.Validate("Disabled"));
    Set("srs/srm", true); // the comparison is exact
    EXPECT_TRUE(autoIden.Validate("Disabled"));
    Set("SKS/SKM", false);
    EXPECT_TRUE(autoIden.Validate("Enabled"));
}
