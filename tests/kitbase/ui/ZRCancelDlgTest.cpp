// The modeless boxes that a polling loop reads: the cancel box and the scan box.
#include "support/ui/UiTestApp.h"

#include "kitbase/ui/ZRCancelDlg.h"
#include "kitbase/ui/ZRScanning.h"
#include "platform/core/Modal.h"

#include <QAbstractButton>
#include <QTimer>
#include <gtest/gtest.h>

using platform::core::IDCANCEL;

namespace {

void ClickSoon(platform::ui::Dialog& dialog, int id) {
    QTimer::singleShot(0, [&dialog, id] { static_cast<QAbstractButton*>(dialog.Item(id))->click(); });
}

TEST(ZRCancelDlg, CancelIsNotedOnceAndTheBoxStaysOpen) {
    TestApp();
    ZRCancelDlg box("Autotuning is in progress", "Quorvance");
    ASSERT_TRUE(box.Create());
    EXPECT_EQ(box.Title(), "Quorvance");
    EXPECT_EQ(box.GetItemText(ZRCancelDlg::IDC_MESSAGE), "Autotuning is in progress");
    EXPECT_EQ(box.Cancel(), 0);
    ClickSoon(box, IDCANCEL); // reaches the box only through the poll's pump
    EXPECT_EQ(box.Cancel(), 1);
    EXPECT_TRUE(box.isVisible());
    ClickSoon(box, IDCANCEL);
    EXPECT_EQ(box.Cancel(), 1);
    EXPECT_EQ(box.Cancel(), 1);
    box.DestroyWindow();
    EXPECT_FALSE(box.isVisible());
}

TEST(ZRScanning, ShowsTheScanAndStops) {
    TestApp();
    ZRScanning scan;
    ASSERT_TRUE(scan.Create());
    EXPECT_EQ(scan.Title(), "Scan For On-Line Drives");
    EXPECT_EQ(scan.GetItemText(IDCANCEL), "Stop Scanning");
    EXPECT_EQ(scan.GetItemText(ZRScanning::IDC_STATUS), ""); // the first exchange replaced the template text
    scan.m_Progress.SetRange(1, 10);
    scan.m_Progress.SetPos(4);
    EXPECT_EQ(scan.m_Progress.GetPos(), 4);
    scan.m_strStatus = "Scanning Node 4...";
    scan.UpdateData(false);
    EXPECT_EQ(scan.GetItemText(ZRScanning::IDC_STATUS), "Scanning Node 4...");

    EXPECT_FALSE(scan.m_bCancel);
    static_cast<QAbstractButton*>(scan.Item(IDCANCEL))->click();
    EXPECT_TRUE(scan.m_bCancel);
    EXPECT_FALSE(scan.isVisible());
}

} // namespace
