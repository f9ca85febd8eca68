// Not a check: the picture of an on-line drive's oscilloscope with a captured trace, for
// docs/screenshots (tools/screenshots).
#include "OnLineShot.h"

#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRScopeServicesView.h"
#include "kitbase/ui/ZRScopeView.h"
#include "quorvance/tarvik/ZRNoxelScope.h"
#include "quorvance/tarvik/ZRScopeNodeMgr.h"

#include <QAbstractButton>
#include <QTest>

#include <chrono>

namespace {

using ScopeScreenshot = OnLineShot;

// With QUORVANCE_SCOPE_SCREENSHOT naming a PNG file, under an X server (xvfb-run with
// QT_QPA_PLATFORM=xcb): the simulated drive on QUORVANCE_SCREENSHOT_PORT (or one of the test's own)
// is found by Rescan, its oscilloscope opened from the tree, channel A set to the velocity feedback
// and channel B to the position feedback, the trigger armed with the window's button, and the
// screen grabbed once the capture is plotted.
TEST_F(ScopeScreenshot, ScopeWindowWithACapturedTrace) {
    ZRNodeMgr* drive = ScanOneDrive({}, "QUORVANCE_SCOPE_SCREENSHOT");
    if (!drive)
        GTEST_SKIP() << "set QUORVANCE_SCOPE_SCREENSHOT and run under an X server";
    m_tree->Expand(drive->GetNode(), platform::ui::TreeExpand::Expand);
    ZRScopeNodeMgr* node = nullptr;
    for (ZRTreeItem* child : m_tree->Children(drive->GetNode()))
        if (!node)
            node = dynamic_cast<ZRScopeNodeMgr*>(m_tree->NodeOf(child));
    ASSERT_NE(node, nullptr) << "the drive has no oscilloscope node";
    DoubleClick(node);
    ASSERT_TRUE(RunEventsUntil([&] { return node->GetScopeFrame() && node->GetScopeFrame()->isVisible(); },
                               std::chrono::seconds(30)));
    node->GetScopeFrame()->showMaximized();

    auto* scope = dynamic_cast<ZRNoxelScope*>(node->GetModel());
    ASSERT_NE(scope, nullptr);
    scope->GetInputSignal(0)->SetValue(22); // Velocity Feedback
    scope->GetInputSignal(1)->SetValue(7);  // Position Feedback
    auto* arm = dynamic_cast<QAbstractButton*>(
        node->GetScopeView()->GetScopeServicesView()->Item(static_cast<int>(IDC_ARM_TRIGGER)));
    ASSERT_NE(arm, nullptr);
    QTest::mouseClick(arm, Qt::LeftButton);
    ASSERT_TRUE(RunEventsUntil([&] { return scope->ChannelValid(0) && scope->ChannelValid(1); },
                               std::chrono::seconds(30)))
        << "no capture was plotted";
    Shoot();
}

} // namespace
