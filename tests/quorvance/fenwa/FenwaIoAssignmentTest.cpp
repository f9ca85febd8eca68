// The packed input and output assignments of the Fenwa digital I/O blocks: the update managers
// keep the per-input functions, the output selections and the drive's parameters consistent, and
// assignment texts of any length are normalised before a character is read.
#include "FenwaLine.h"

#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "quorvance/fenwa/FenwaAssignmentText.h"
#include "quorvance/fenwa/FenwaDevice.h"
#include "quorvance/fenwa/FenwaDigIn.h"
#include "quorvance/fenwa/FenwaDigOut.h"
#include "quorvance/fenwa/FenwaIOUpdateMgr.h"
#include "quorvance/fenwa/FenwaInputUpdateMgr.h"
#include "support/ModalScript.h"
#include "support/model/ReasonRecorder.h"

namespace {

using platform::core::IDCANCEL;
using platform::core::IDOK;
using Strings = std::vector<std::string>;

constexpr int32_t kDriveEnable = 0x8;
constexpr int32_t kIntegratorInhibit = 0x1;
constexpr int32_t kOverride = 0x10;
constexpr int32_t kFaultReset = 0x80;

class FenwaInputs : public ::testing::Test {
protected:
    void SetUp() override { in.Init(); }
    Strings Assignments() {
        Strings texts;
        for (int k = 0; k < FenwaDigIn::kAssignments; ++k)
            texts.push_back(in.GetAssignment(k)->GetAsString());
        return texts;
    }
    std::vector<int32_t> Inputs() {
        std::vector<int32_t> values;
        for (int n = 1; n <= FenwaDigIn::kInputs; ++n)
            values.push_back(in.GetInput(n)->GetValue());
        return values;
    }
    FenwaDigIn in;
};

class FenwaOutputs : public ::testing::Test {
protected:
    void SetUp() override { out.Init(); }
    Strings Selections() {
        Strings texts;
        for (int n = 1; n <= FenwaDigOut::kOutputs; ++n)
            texts.push_back(out.GetOutput(n)->GetAsString());
        return texts;
    }
    FenwaDigOut out;
};

} // namespace

TEST_F(FenwaInputs, TheInitialAssignmentEnablesOnInputOneAndKeepsTheOvertravelsOn) {
    EXPECT_EQ(in.GetUpdateMgr().GetCurrentText(), "08810000000000000000");
    EXPECT_EQ(in.GetUpdateMgr().GetDefaultText(), "08880000000000000000");
    EXPECT_EQ(Inputs(), (std::vector<int32_t>{kDriveEnable, 0, 0, 0, 0, 0, 0}));
}

TEST_F(FenwaInputs, AFunctionMovesFromTheInputThatHadIt) {
    in.GetAssignment(1)->SetValue("0005");
    ASSERT_EQ(in.GetInput(5)->GetValue(), kFaultReset);
    ReasonRecorder fifth(*in.GetInput(5));
    in.GetInput(3)->SetValue(kFaultReset);
    EXPECT_EQ(in.GetInput(5)->GetValue(), 0);
    EXPECT_EQ(fifth.Count(ZRUpdate::ValueChanged), 1);
    EXPECT_EQ(Assignments(), (Strings{"0881", "0003", "0000", "0000", "0000"}));

    // Several functions on one input, and giving one up returns its position to the default.
    in.GetInput(3)->SetValue(kFaultReset | kOverride | kIntegratorInhibit);
    EXPECT_EQ(Assignments(), (Strings{"3881", "3003", "0000", "0000", "0000"}));
    in.GetInput(3)->SetValue(kOverride);
    EXPECT_EQ(Assignments(), (Strings{"0881", "3000", "0000", "0000", "0000"}));
    EXPECT_EQ(in.GetOverrideInput(), 3);
}

TEST_F(FenwaInputs, AFunctionThatWouldBeAlwaysOnIsConfirmedFirst) {
    {
        ModalScript script;
        script.ExpectMessage("Removing \"Drive Enable\" from selections. This will cause the Drive Enable to "
                             "ALWAYS be ON.",
                             IDCANCEL);
        in.GetInput(1)->SetValue(0);
    }
    EXPECT_EQ(in.GetInput(1)->GetValue(), kDriveEnable);
    EXPECT_EQ(Assignments()[0], "0881");
    EXPECT_EQ(in.GetUpdateMgr().GetCurrentText().substr(0, 4), "0881");
    {
        ModalScript script;
        script.ExpectMessage("Drive Enable", IDOK);
        in.GetInput(1)->SetValue(0);
    }
    EXPECT_EQ(Assignments()[0], "0888");
    EXPECT_EQ(in.GetEnableInput(), 0);

    // A function whose default is off goes without a question.
    in.GetInput(2)->SetValue(kIntegratorInhibit);
    EXPECT_EQ(Assignments()[0], "2888");
    in.GetInput(2)->SetValue(0);
    EXPECT_EQ(Assignments()[0], "0888");
}

TEST_F(FenwaInputs, CharactersThatNameNoInputAssignNothing) {
    in.GetAssignment(0)->SetValue("9A81");
    in.GetAssignment(1)->SetValue("x9A0");
    EXPECT_EQ(Inputs(), (std::vector<int32_t>{kDriveEnable, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(in.GetUpdateMgr().GetCurrentText().substr(0, 8), "9A81x9A0");
}

TEST_F(FenwaInputs, AssignmentTextsOfAnyLengthAreNormalised) {
    struct Case {
        const char* text;
        bool reported;
        const char* current; // characters 4 to 7 of the manager's text
    };
    const Case cases[] = {
        {"7000", false, "7000"}, {"", true, "0000"},
        {"7", true, "0000"},     {"700", true, "0000"},
        {"70000", true, "0000"}, {"7000000000000000000000000000000000000000", true, "0000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        in.GetAssignment(1)->SetValue("0000");
        ModalScript script;
        if (c.reported)
            script.ExpectMessage("Pr-0.06", IDOK);
        in.GetAssignment(1)->SetValue(c.text);
        EXPECT_EQ(in.GetUpdateMgr().GetCurrentText().substr(4, 4), c.current);
        EXPECT_EQ(in.GetInput(7)->GetValue(), c.reported ? 0 : kOverride);
        EXPECT_EQ(in.GetOverrideInput(), c.reported ? 0 : 7);
        // The drive object's look at the text never reads past its end.
        EXPECT_EQ(in.GetEnableInput(), 1);
    }
    ModalScript script;
    script.ExpectMessage("Pr-0.05", IDOK);
    in.GetAssignment(0)->SetValue("088");
    EXPECT_EQ(in.GetEnableInput(), 0);
}

TEST(FenwaAssignmentText, NamesOnlyWhatItHolds) {
    EXPECT_EQ(fenwa::NormalisedAssignment("0123", "0000"), "0123");
    bool malformed = false;
    EXPECT_EQ(fenwa::NormalisedAssignment("01:3", "0888", &malformed), "0888");
    EXPECT_TRUE(malformed);
    EXPECT_EQ(fenwa::NormalisedAssignment(std::string("01\0"
                                                      "3",
                                                      4),
                                          "0000", &malformed),
              "0000");
    EXPECT_TRUE(malformed);
    EXPECT_EQ(fenwa::AssignedNumberAt("", 3, 7), 0);
    EXPECT_EQ(fenwa::AssignedNumberAt("0883", 3, 7), 3);
    EXPECT_EQ(fenwa::AssignedNumberAt("0888", 3, 7), 0);
    EXPECT_EQ(fenwa::AssignedNumberAt("0004", 3, 3), 0);
}

TEST_F(FenwaOutputs, AFunctionMovesFromTheOutputThatCarriedIt) {
    out.GetOutput(1)->SetAsString("Brake");
    EXPECT_EQ(out.GetAssignment(0)->GetAsString(), "0100");
    out.GetOutput(2)->SetAsString("Brake");
    EXPECT_EQ(Selections(), (Strings{"Unassigned", "Brake", "Unassigned"}));
    EXPECT_EQ(out.GetAssignment(0)->GetAsString(), "0200");

    // Another function for output 2 releases the brake; "Unassigned" clears what output 3 carried.
    out.GetOutput(3)->SetAsString("Absolute Position Valid");
    out.GetOutput(2)->SetAsString("Warning");
    EXPECT_EQ(out.GetUpdateMgr().GetCurrentText(), "000020000003");
    out.GetOutput(3)->SetAsString("Unassigned");
    EXPECT_EQ(out.GetUpdateMgr().GetCurrentText(), "000020000000");
    EXPECT_EQ(out.GetAssignment(2)->GetAsString(), "0000");
}

TEST_F(FenwaOutputs, ParametersSelectTheOutputs) {
    struct Case {
        const char* texts[3];
        Strings selections;
    };
    const Case cases[] = {
        {{"3000", "0000", "0010"}, {"Ready", "Unassigned", "Within Speed Window"}},
        // '4' and letters name no output.
        {{"4A00", "0000", "0000"}, {"Unassigned", "Unassigned", "Unassigned"}},
        // Codes 9 and 10 have no option: the output selects nothing.
        {{"0000", "0000", "2000"}, {"Unassigned", "Unexpected Value", "Unassigned"}},
    };
    for (const Case& c : cases) {
        for (int k = 0; k < 3; ++k)
            out.GetAssignment(k)->SetValue(c.texts[k]);
        EXPECT_EQ(Selections(), c.selections);
    }
    EXPECT_EQ(out.GetOutput(2)->GetValue(), -1);
    {
        ModalScript script;
        script.ExpectMessage("Pr-0.11", IDOK);
        out.GetAssignment(1)->SetValue("00300");
    }
    EXPECT_EQ(out.GetUpdateMgr().GetCurrentText().substr(4, 4), "0000");
}
