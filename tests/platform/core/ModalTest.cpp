#include "platform/core/Modal.h"
#include "support/ModalScript.h"

#include <gtest/gtest.h>

using namespace platform::core;

TEST(Modal, ScriptAnswersInOrderAndRecordsTexts) {
    ModalScript script;
    script.ExpectMessage("Save changes", IDYES).ExpectFile(ModalKind::SaveFile, "/tmp/a.qdb");
    EXPECT_EQ(MessageBox("Save changes to x?", "", MB_YESNOCANCEL), IDYES);
    ModalRequest r;
    r.kind = ModalKind::SaveFile;
    EXPECT_EQ(RunModal(r), IDOK);
    EXPECT_EQ(r.value, "/tmp/a.qdb");
    EXPECT_EQ(script.Seen().front(), "Save changes to x?");
}

TEST(Modal, UnscriptedOrMismatchedModalThrows) {
    int before = UnexpectedModal::Count();
    {
        ScriptedModalHook hook;
        ModalHook* previous = SetModalHook(&hook);
        hook.ExpectMessage("Other", IDOK);
        EXPECT_THROW(MessageBox("Something"), UnexpectedModal);
        EXPECT_THROW(MessageBox("Something"), UnexpectedModal);
        SetModalHook(previous);
    }
    EXPECT_THROW(MessageBox("No hook at all"), UnexpectedModal);
    EXPECT_EQ(UnexpectedModal::Count(), before + 3);
    UnexpectedModal::Acknowledge(3);
}
