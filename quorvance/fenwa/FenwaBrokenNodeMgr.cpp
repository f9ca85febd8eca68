#include "quorvance/fenwa/FenwaBrokenNodeMgr.h"

#include "kitbase/model/ZRError.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/ui/Menu.h"
#include "quorvance/fenwa/FenwaBrokenDrive.h"
#include "quorvance/fenwa/FenwaCommand.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/online/OnlineCommands.h"
#include "quorvance/online/ZRBrokenDrive.h"

#include <algorithm>
#include <stdexcept>

using platform::core::Format;
using platform::core::MessageBox;

namespace {

constexpr unsigned long kHelpTopic = 1148;
// The progress counts every line as a record of 32 data bytes with CR LF, so no file position is
// read meanwhile.
constexpr unsigned long kBytesPerLine = 77;

void RegisterMenu() {
    using platform::ui::MenuItem;
    const auto position = static_cast<size_t>(kFenwaBrokenMenu);
    if (platform::ui::HasSubMenu(IDR_FENWA_NODE_MENU, position))
        return;
    platform::ui::RegisterSubMenu(
        IDR_FENWA_NODE_MENU, position,
        MenuItem("BrokenMenu", {MenuItem(ID_UPGRADE_FIRMWARE, "&Upgrade Firmware...")}));
}

} // namespace

FenwaBrokenNodeMgr::FenwaBrokenNodeMgr(FenwaBrokenDrive* drive, ZRTreeItem* item, ZRWorkspaceView* view)
    : ZRBrokenNodeMgr(item, drive, view), m_pDrive(drive) {}

FenwaBrokenNodeMgr::~FenwaBrokenNodeMgr() = default;

std::unique_ptr<ZRNodeMgr> FenwaBrokenNodeMgr::Make(ZRObject* object, ZRTreeItem* item,
                                                    ZRWorkspaceView* view) {
    auto* drive = dynamic_cast<FenwaBrokenDrive*>(object);
    return drive ? std::make_unique<FenwaBrokenNodeMgr>(drive, item, view) : nullptr;
}

void FenwaBrokenNodeMgr::Initialize() {
    RegisterMenu();
    SetMenu(IDR_FENWA_NODE_MENU, kFenwaBrokenMenu);
    SetHelpTopic(kHelpTopic);
}

bool FenwaBrokenNodeMgr::CheckLine(const std::string& line) {
    return m_pDrive && m_pDrive->CheckLine(line);
}

bool FenwaBrokenNodeMgr::DownloadFirmware(std::istream& file, const std::string& path) {
    m_bCancel = false;
    m_Progress = 0;
    if (!m_pDrive || !m_pDrive->GetFenwaStorage()) {
        MessageBox("The Drive is Offline.");
        return false;
    }
    try {
        if (!ValidateFile(file, path))
            return false;
        EnableUpgradeMode();
        LoadFile(file);
        if (!m_pDrive->ValidateChecksum(1)) {
            DisableUpgradeMode();
            MessageBox("The firmware upgrade failed - bad checksum");
            return false;
        }
        m_pDrive->EraseFlash();
        DisableUpgradeMode();
        return true;
    } catch (const ZRError& error) {
        MessageBox(error.GetMessage());
    } catch (const std::exception&) {
        // "Comm Loss" (reported by the storage) or "Cancelled": the caller reports the result.
    }
    return false;
}

bool FenwaBrokenNodeMgr::ValidateFile(std::istream& file, const std::string& path) {
    file.clear();
    file.seekg(0);
    std::string first;
    if (!ZRBrokenDrive::ReadLine(file, first) || first.size() > FenwaBrokenDrive::kMaxLine ||
        !CheckLine(first))
        throw ZRError(0, Format("File %s\nis not a valid firmware file", path.c_str()));
    // Every line now, while nothing has changed in the drive.
    m_pDrive->CheckFile(file);
    return true;
}

void FenwaBrokenNodeMgr::EnableUpgradeMode() {
    if (!m_pDrive->GetEnableUpgradeCommand().Execute(false))
        m_pDrive->Refused("Unexpected error enabling firmware upgrade mode.");
}

void FenwaBrokenNodeMgr::LoadFile(std::istream& file) {
    file.clear();
    const std::streampos start = file.tellg();
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg() - start;
    file.seekg(start);
    if (size <= 0)
        throw ZRError(0, "Invalid File");
    unsigned long long counted = 0;
    for (;;) {
        if (m_bCancel) {
            if (MessageBox("The firmware will not be upgraded.\nAre you sure you want to cancel the firmware "
                           "upgrade?",
                           {}, platform::core::MB_YESNO) == platform::core::IDYES) {
                DisableUpgradeMode();
                throw std::runtime_error("Cancelled");
            }
            m_bCancel = false;
        }
        PumpMessages();
        if (m_pDrive->ProcessLine(file)) {
            m_Progress = 100;
            return;
        }
        counted += kBytesPerLine;
        // Short lines would run the estimate past the end.
        m_Progress = static_cast<unsigned long>(
            std::min<unsigned long long>(99, counted * 100 / static_cast<unsigned long long>(size)));
    }
}

void FenwaBrokenNodeMgr::DisableUpgradeMode() {
    if (!m_pDrive->GetDisableUpgradeCommand().ExecuteWithArgument("00", false))
        m_pDrive->Refused("Unexpected error disabling firmware upgrade mode.");
    if (MessageBox("Do you want to Reset the drive now?", {}, platform::core::MB_YESNO) ==
        platform::core::IDYES) {
        if (!m_pDrive->ResetDrive())
            throw ZRError(0, "Failed to reset the drive.");
    } else {
        MessageBox("The new firmware will be used the next time the drive is powered up or reset.");
    }
}
