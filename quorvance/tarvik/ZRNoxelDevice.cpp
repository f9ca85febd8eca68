#include "quorvance/tarvik/ZRNoxelDevice.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRStorage.h"
#include "platform/core/Modal.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikStorage.h"

using platform::core::MessageBox;

namespace {
constexpr uint32_t kEnableInputActive = 0x80000000u;
}

void ZRNoxelDevice::SendEnable(bool enable) {
    std::optional<ZRStorage::Bytes> reply;
    const ZRStorage::Bytes data = {'0', static_cast<uint8_t>(enable ? '1' : '0')};
    bool sent = false;
    try {
        sent = GetStorage() &&
               GetStorage()->InvokeService(0, 0, TarvikStorage::Id(tarvik::param::kEnableState), data, reply);
    } catch (const ZRError& e) {
        MessageBox(e.GetComboMessage());
        return;
    }
    if (!sent)
        MessageBox(enable ? "Problem with Enable function." : "Problem with Disable function.");
}

void ZRNoxelDevice::Disable() {
    if (IsOffLine())
        return;
    SendEnable(false);
}

void ZRNoxelDevice::EnableDrive() {
    if (IsOffLine()) {
        MessageBox("The Drive is Offline.");
        return;
    }
    int32_t inputs = 0;
    bool read = false;
    try {
        read = GetStorage() && GetStorage()->ReadLong(
                                   0, 0, TarvikStorage::Id(tarvik::param::kInputFunctionStates), inputs, 4);
    } catch (const ZRError&) {
        MessageBox("Unable to determine drive enable status. Enable failed.");
        return;
    }
    // A read that failed without a drive answer (a lost link) says nothing about the input: stop.
    if (!read) {
        MessageBox("Problem with Enable function.");
        return;
    }
    if (!(static_cast<uint32_t>(inputs) & kEnableInputActive))
        MessageBox(
            "The Enable input is not active.  The drive will enable when the enable input is set active.");
    SendEnable(true);
}

bool ZRNoxelDevice::IsEnabled() {
    if (IsOffLine() || !GetStorage())
        return false;
    try {
        if (m_pHostControlMode)
            m_pHostControlMode->Refresh(false);
        uint32_t state = 0;
        return GetStorage()->ReadUlong(0, 0, TarvikStorage::Id(tarvik::param::kEnableState), state, 1) &&
               state == 1;
    } catch (const ZRError&) {
        return false;
    }
}

void ZRNoxelDevice::ToggleEnabled() {
    if (IsEnabled())
        Disable();
    else
        EnableDrive();
}
