// The colour swatch of a scope channel.
#include "kitbase/ui/ZRSwatchButton.h"
#include "support/ModalScript.h"
#include "support/ui/UiTestApp.h"

#include <QTest>
#include <gtest/gtest.h>

using platform::core::ModalKind;
using platform::core::ModalRequest;

TEST(ZRSwatchButton, ClickOffersTheColourDialogAndCancelKeepsTheColour) {
    TestApp();
    ZRSwatchButton swatch(QColor(255, 0, 0));
    swatch.resize(16, 16);
    ASSERT_TRUE(ShowActive(swatch));
    {
        ModalScript script;
        script.Expect(ModalKind::Colour, "", [](ModalRequest& request) {
            EXPECT_EQ(request.colour, 0x0000FFu); // red, as 0x00BBGGRR
            request.colour = 0x804020;            // red 0x20, green 0x40, blue 0x80
            return platform::core::IDOK;
        });
        QTest::mouseClick(&swatch, Qt::LeftButton);
    }
    EXPECT_EQ(swatch.GetColour(), QColor(0x20, 0x40, 0x80));
    {
        ModalScript script;
        script.Expect(ModalKind::Colour, "", [](ModalRequest& request) {
            request.colour = 0xFFFFFF;
            return platform::core::IDCANCEL;
        });
        QTest::mouseClick(&swatch, Qt::LeftButton);
    }
    EXPECT_EQ(swatch.GetColour(), QColor(0x20, 0x40, 0x80));
    QImage image = swatch.grab().toImage();
    EXPECT_EQ(QColor(image.pixel(8, 8)), QColor(0x20, 0x40, 0x80));
}
