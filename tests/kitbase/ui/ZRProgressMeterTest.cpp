#include "support/ui/UiTestApp.h"

#include "kitbase/model/ZRCleanup.h"
#include "kitbase/model/ZRProgress.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/ZRProgressMeter.h"
#include "platform/ui/AppWindow.h"
#include "support/ModalScript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using platform::core::IDCANCEL;
using platform::core::IDNO;
using platform::core::IDYES;

namespace {

const char* const kQuestion = "Warning! Copy is incomplete. The drive properties may be inconsistent.\n"
                              "Are you sure you want to cancel?";

class ZRProgressMeterTest : public testing::Test {
protected:
    ZRProgressMeterTest() {
        TestApp();
        ZRProgressMeter::InstallHost();
        platform::ui::SetMainWindow(&mainWindow);
    }
    ~ZRProgressMeterTest() override {
        ZRProgress::DestroyInstance();
        ZRProgressMeter::RemoveHost();
        platform::ui::SetMainWindow(nullptr);
    }

    static ZRProgressMeter* OpenMeter() {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* meter = dynamic_cast<ZRProgressMeter*>(widget); meter && meter->isVisible())
                return meter;
        return nullptr;
    }

    QWidget mainWindow;
    ZRProgress* progress = ZRProgress::Instance();
};

// Told after the meter (it registered earlier): reads the bar the meter has just set.
class BarWatcher : public platform::core::Observer {
public:
    explicit BarWatcher(ZRProgress& model) { model.AddObserver(this); }
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override {
        if (ReasonOf(message) == ZRUpdate::Destroying) {
            static_cast<ZRProgress*>(subject)->RemoveObserver(this);
            meter = nullptr;
        } else if (meter) {
            lastShown = meter->GetPos(ZRProgressMeter::IDC_PROGRESS);
        }
    }
    ZRProgressMeter* meter = nullptr;
    int lastShown = -1;
};

TEST_F(ZRProgressMeterTest, CancelledRunStopsAtTheNextCheckAndTheBarCompletes) {
    BarWatcher watcher(*progress);
    mainWindow.setEnabled(false); // the caller's part
    progress->Show("Copying Axis...", 100, true);
    QPointer<ZRProgressMeter> meter = OpenMeter();
    ASSERT_TRUE(meter);
    watcher.meter = meter;
    EXPECT_EQ(meter->Title(), "Working...");
    EXPECT_EQ(meter->GetItemText(ZRProgressMeter::IDC_MESSAGE), "Copying Axis...");
    EXPECT_EQ(meter->GetItemText(ZRProgressMeter::IDC_PERCENT), "0 %");
    EXPECT_TRUE(meter->IsItemShown(IDCANCEL));

    ModalScript script;
    script.ExpectMessage(kQuestion, IDNO).ExpectMessage(kQuestion, IDYES);
    auto pressCancel = [&] {
        QTimer::singleShot(0, [meter] { static_cast<QAbstractButton*>(meter->Item(IDCANCEL))->click(); });
    };
    int steps = 0;
    {
        ZRCleanup guard(progress);
        for (; steps < 100; ++steps) {
            progress->Increment(1.0);
            if (steps == 9 || steps == 39)
                pressCancel(); // No at 10 %, Yes at 40 %
            if (progress->IsCancelled())
                break;
        }
        EXPECT_EQ(steps, 39);
        EXPECT_EQ(meter->GetItemText(ZRProgressMeter::IDC_PERCENT), "40 %");
        EXPECT_TRUE(meter->isVisible()); // open until the clean-up
    }
    EXPECT_EQ(watcher.lastShown, 100);
    EXPECT_TRUE(meter.isNull());
    EXPECT_TRUE(mainWindow.isEnabled());
    EXPECT_FALSE(progress->IsCancelled());
}

TEST_F(ZRProgressMeterTest, WithoutCancelTheUserCannotStopIt) {
    progress->Show("loading a.txt...", 10, false);
    QPointer<ZRProgressMeter> meter = OpenMeter();
    ASSERT_TRUE(meter);
    EXPECT_FALSE(meter->IsItemShown(IDCANCEL));
    EXPECT_FALSE(meter->ClickButton(IDCANCEL));
    QTest::keyClick(meter, Qt::Key_Escape); // asks nothing
    EXPECT_FALSE(progress->IsCancelled());
    EXPECT_TRUE(meter->isVisible());
    progress->Increment(5);
    EXPECT_EQ(meter->GetPos(ZRProgressMeter::IDC_PROGRESS), 50);
    EXPECT_EQ(meter->GetItemText(ZRProgressMeter::IDC_PERCENT), "50 %");

    // The model going away closes a meter still open.
    ZRProgress::DestroyInstance();
    EXPECT_TRUE(meter.isNull());
}

} // namespace
