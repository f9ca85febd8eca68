#include "support/ui/UiTestApp.h"

#include "quorvance/shell/ZRHexEdit.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

TEST(ZRHexEdit, OnlyHexDigitsAndBackspaceAreTyped) {
    TestApp();
    QLineEdit edit;
    ZRHexEdit filter;
    ASSERT_TRUE(filter.Attach(&edit));
    QTest::keyClicks(&edit, "1a-g F9z.fB");
    EXPECT_EQ(edit.text().toStdString(), "1aF9fB");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text().toStdString(), "1aF9f");
    // Keys that type nothing still work.
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClicks(&edit, "c");
    EXPECT_EQ(edit.text().toStdString(), "c1aF9f");
    EXPECT_FALSE(filter.Attach(nullptr));
}
