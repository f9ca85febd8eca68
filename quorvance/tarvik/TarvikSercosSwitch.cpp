#include "quorvance/tarvik/TarvikSercosSwitch.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRStorage.h"
#include "platform/core/Modal.h"
#include "platform/ui/WaitCursor.h"
#include "platform/ui/MainWindow.h"
#include "quorvance/shell/ZRQuorvanceApp.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikNodeSupport.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRServiceInfo.h"
#include "wirelink/WireClock.h"

#include <QCoreApplication>
#include <QTimer>

#include <memory>
#include <optional>

namespace tarvik {

namespace {

constexpr int32_t kResetService = (106 << 16) | 0xFFFF;
constexpr int32_t kDisableOptionCard = (260 << 16) | 0xFFFF;
constexpr unsigned kAskOk = platform::core::MB_OKCANCEL;

// The reset, the wait for the drive to come back, and the scan that finds it in its new mode.
void Restart(ZRObject* drive, ZRStorage& storage) {
    std::optional<ZRStorage::Bytes> reply;
    storage.InvokeService(0, 0, kResetService, {}, reply);
    // The link's clock, which tests run faster.
    WireClock::Get().Sleep(8000);
    ZRObject* parent = drive->GetParent();
    if (!parent)
        return;
    std::unique_ptr<ZRObject> gone = parent->RemoveChild(drive);
    gone.reset();
    parent->Refresh();
}

ZRStorage* StorageOf(ZRObject* drive) {
    return IsOnLine(drive) ? drive->GetDevice()->GetStorage() : nullptr;
}

} // namespace

void ActivateSercos(ZRDrive* drive) {
    platform::ui::WaitCursor wait;
    ZRStorage* storage = drive ? StorageOf(drive) : nullptr;
    if (!storage)
        return;
    try {
        // Read now: a value read earlier says nothing about the drive as it is.
        ZRBoolAttribute* enabled = drive->GetDriveEnabled();
        enabled->Refresh(true);
        if (enabled->GetValue()) {
            platform::core::MessageBox("Can't activate SERCOS while drive is enabled", {},
                                       platform::core::MB_OK | platform::core::MB_ICONWARNING);
            return;
        }
        if (platform::core::MessageBox("This will close all windows associated with the drive and reset the drive "
                                       "as a SERCOS drive. OK to continue?",
                                       {}, kAskOk) != platform::core::IDOK)
            return;
        if (ZRServiceInfo* info = drive->GetServiceInfo())
            info->GetDisableOptionCard()->SetValue(false);
        Restart(drive, *storage);
    } catch (const ZRError& error) {
        platform::core::MessageBox(error.GetComboMessage());
    }
}

void DeactivateSercos(ZRObject* drive) {
    platform::ui::WaitCursor wait;
    ZRStorage* storage = drive ? StorageOf(drive) : nullptr;
    if (!storage)
        return;
    if (platform::core::MessageBox("This will reset the drive as a NON-SERCOS drive. The drive enable\ninput should "
                                   "be deactivated before proceeding. OK to continue?",
                                   {}, kAskOk) != platform::core::IDOK)
        return;
    try {
        storage->WriteUlong(0, 0, kDisableOptionCard, 1, 1);
        Restart(drive, *storage);
    } catch (const ZRError& error) {
        platform::core::MessageBox(error.GetComboMessage());
    }
}

void PostSercosSwitch(ZRObject* drive, bool activate) {
    ZRObject* root = drive ? drive->GetParent() : nullptr;
    if (!root)
        return;
    QObject* target = QCoreApplication::instance();
    if (ZRQuorvanceApp* app = ZRQuorvanceApp::Instance(); app && app->GetMainWindow())
        target = app->GetMainWindow();
    QTimer::singleShot(0, target, [root, drive, activate] {
        // The drive may have gone (link lost, rescan) before the command arrives.
        if (!root->GetChildren().Contains(drive))
            return;
        if (!activate)
            DeactivateSercos(drive);
        else if (auto* working = dynamic_cast<ZRDrive*>(drive))
            ActivateSercos(working);
    });
}

} // namespace tarvik
