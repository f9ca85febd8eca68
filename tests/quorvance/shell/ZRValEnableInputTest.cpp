#include "support/ModalScript.h"
#include "support/model/FakeStorage.h"
#include "support/model/TestDevice.h"
#include "support/model/TestObjects.h"

#include "kitbase/model/ZRLongBitField.h"
#include "quorvance/shell/ZRValEnableInput.h"

#include <gtest/gtest.h>

namespace {
constexpr const char* kQuestion = "Removing \"Drive Enable\" from selections. If this is the only input with "
                                  "this\nselection, this will cause the drive to ALWAYS be hardware enabled.";

class ZRValEnableInputTest : public testing::Test {
protected:
    ZRValEnableInputTest() {
        object.SetDevice(&device);
        object.SetInstance(1);
        functions.SetObject(&object);
        functions.Define(105);
        functions.SetName("Input 1");
        functions.Add(1, "Fault Reset");
        functions.Add(static_cast<int32_t>(0x80000000u), "Drive Enable");
        functions.AddValidation(std::make_unique<ZRValEnableInput>());
    }
    bool Check(const std::string& text) {
        std::string message;
        validation.SetAttribute(&functions);
        functions.SetTestString(text);
        bool ok = validation.Test(message);
        lastMessage = message;
        return ok;
    }

    FakeStorage storage;
    TestDevice device{&storage, true};
    TestObject object;
    ZRLongBitField functions{object.GetDevice(), 32, 4};
    ZRValEnableInput validation;
    std::string lastMessage;
};
} // namespace

TEST_F(ZRValEnableInputTest, TakingDriveEnableAwayAsks) {
    ASSERT_TRUE(functions.SetValue(static_cast<int32_t>(0x80000001u))); // shown as a negative number
    {
        ModalScript script;
        script.ExpectMessage(kQuestion, platform::core::IDCANCEL);
        script.ExpectMessage("Input 1: Changes cancelled", platform::core::IDOK);
        EXPECT_FALSE(functions.Validate("1"));
    }
    {
        ModalScript script;
        script.ExpectMessage(kQuestion, platform::core::IDOK);
        EXPECT_TRUE(Check("1"));
    }
    // An empty candidate is selection 0.
    {
        ModalScript script;
        script.ExpectMessage(kQuestion, platform::core::IDCANCEL);
        EXPECT_FALSE(Check(""));
        EXPECT_EQ(lastMessage, "Changes cancelled");
    }
}

TEST_F(ZRValEnableInputTest, OtherChangesPassWithoutAQuestion) {
    ModalScript none;
    ASSERT_TRUE(functions.SetValue(1));
    EXPECT_TRUE(Check("-2147483647")); // adding Drive Enable
    ASSERT_TRUE(functions.SetValue(static_cast<int32_t>(0x80000001u)));
    EXPECT_TRUE(Check("-2147483648")); // other bits only
    EXPECT_TRUE(Check("2147483648"));  // the same bit written unsigned
    EXPECT_TRUE(Check("Skip"));
}

TEST_F(ZRValEnableInputTest, ATextThatIsNotANumberIsAnInternalError) {
    ModalScript none;
    EXPECT_FALSE(Check("Drive Enable"));
    EXPECT_EQ(lastMessage, "Internal error processing selections");
}
