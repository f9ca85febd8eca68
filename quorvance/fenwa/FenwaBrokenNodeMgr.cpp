#include "quorvance/fenwa/FenwaBrokenNodeMgr.h"

#include "platform/ui/Menu.h"
#include "quorvance/fenwa/FenwaBrokenDrive.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/online/OnlineCommands.h"

namespace {

constexpr unsigned long kHelpTopic = 1148;

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
    : ZRBrokenNodeMgr(item, drive, view) {}

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

bool FenwaBrokenNodeMgr::DownloadFirmware(std::istream& file, const std::string& path) {
    m_bCancel = false;
    m_Progress = 0;
    return ValidateFile(file, path);
}

bool FenwaBrokenNodeMgr::ValidateFile(std::istream&, const std::string&) {
    // No Fenwa firmware is loaded by this program yet: nothing is sent to the drive.
    return false;
}
