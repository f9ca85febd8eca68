// Not a check: the picture of the autotuning window for docs/screenshots (tools/screenshots).
#include "../online/OnLineShot.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "quorvance/tarvik/ZRTuning.h"
#include "quorvance/tarvik/ZRTuningNodeMgr.h"

#include <chrono>

namespace {

using TuningScreenshot = OnLineShot;

// With QUORVANCE_SCREENSHOT naming a PNG file, under an X server (xvfb-run with QT_QPA_PLATFORM=xcb):
// a simulated drive (the test's own unless QUORVANCE_SCREENSHOT_PORT names one) is found by Rescan, its
// autotuning window opens from the tuning node, autotune runs to its end, and the screen is grabbed.
TEST_F(TuningScreenshot, AutotuningWindowAfterARun) {
    ZRNodeMgr* found = ScanOneDrive();
    if (!found)
        GTEST_SKIP() << "set QUORVANCE_SCREENSHOT and run under an X server";
    auto* drive = dynamic_cast<ZRDriveNodeMgr*>(found);
    ASSERT_NE(drive, nullptr);
    ZRTuningNodeMgr* tuning = nullptr;
    for (ZRTreeItem* item : m_tree->Children(drive->GetNode()))
        if (auto* node = dynamic_cast<ZRTuningNodeMgr*>(m_tree->NodeOf(item)))
            tuning = node;
    ASSERT_NE(tuning, nullptr);
    m_tree->Expand(drive->GetNode(), platform::ui::TreeExpand::Expand);
    m_tree->SelectItem(tuning->GetNode());

    tuning->DoCommand(ID_AUTOTUNE_WINDOW);
    ASSERT_NE(drive->GetModeFrame(), nullptr);
    tuning->DoCommand(ID_START_AUTOTUNE);
    ZRTuning* block = tuning->GetTuning();
    ASSERT_TRUE(
        RunEventsUntil([&] { return block->GetAutotuneComplete()->GetValue(); }, std::chrono::seconds(30)))
        << "autotune did not end";
    // Painted, with the new gains read.
    Shoot();
}

} // namespace
