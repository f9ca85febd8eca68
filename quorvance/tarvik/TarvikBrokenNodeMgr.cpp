#include "quorvance/tarvik/TarvikBrokenNodeMgr.h"

#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "platform/core/HexDigit.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/ui/Menu.h"
#include "quorvance/online/OnlineCommands.h"
#include "quorvance/online/ZRBrokenDrive.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikSercosSwitch.h"
#include "quorvance/tarvik/TarvikStorage.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

using platform::core::Format;
using platform::core::MessageBox;

namespace {

constexpr uint32_t kFirstNewVersion = 0x12B01; // 1.43.1
// The progress counts every line as this many bytes, so no file position is read meanwhile.
constexpr unsigned long kBytesPerLine = 78;

// Where the header record's text sits on its line: data byte n is at character 8 + 2n.
constexpr size_t kProductAt = 8, kProductBytes = 8;
constexpr size_t kMajorAt = 60, kMinorAt = 66, kBuildAt = 72, kVersionBytes = 2;

void RegisterMenus() {
    using platform::ui::MenuItem;
    const auto sercos = static_cast<size_t>(kSercosBrokenSubMenu);
    if (platform::ui::HasSubMenu(IDR_OFFLINE_ROOT_MENU, sercos))
        return;
    platform::ui::RegisterSubMenu(
        IDR_OFFLINE_ROOT_MENU, kBrokenSubMenu,
        MenuItem("BrokenMenu", {MenuItem(ID_UPGRADE_FIRMWARE, "&Upgrade Firmware...")}));
    platform::ui::RegisterSubMenu(
        IDR_OFFLINE_ROOT_MENU, sercos,
        MenuItem("SercosBrokenMenu", {MenuItem(ID_UPGRADE_FIRMWARE, "&Upgrade Firmware..."),
                                      MenuItem(ID_DEACTIVATE_SERCOS_NODE, "&Deactivate Sercos...")}));
}

// The header's text of `bytes` data bytes from line position `at`; false when the line is too short.
bool HeaderText(const std::string& line, size_t at, size_t bytes, std::string& text) {
    // The last two characters are the checksum, not text.
    if (line.size() < at + 2 * bytes + 2)
        return false;
    text.clear();
    for (size_t i = at; i < at + 2 * bytes; i += 2) {
        const int high = platform::core::HexDigitValue(line[i]),
                  low = platform::core::HexDigitValue(line[i + 1]);
        if (high < 0 || low < 0)
            throw ZRError(0, "Invalid File");
        text.push_back(static_cast<char>(high * 16 + low));
    }
    return true;
}

} // namespace

TarvikBrokenNodeMgr::TarvikBrokenNodeMgr(ZRBrokenDrive* drive, ZRTreeItem* item, ZRWorkspaceView* view)
    : ZRBrokenNodeMgr(item, drive, view), m_pDrive(drive) {}

TarvikBrokenNodeMgr::~TarvikBrokenNodeMgr() = default;

std::unique_ptr<ZRNodeMgr> TarvikBrokenNodeMgr::Make(ZRObject* object, ZRTreeItem* item,
                                                     ZRWorkspaceView* view) {
    auto* drive = dynamic_cast<ZRBrokenDrive*>(object);
    if (!drive)
        return nullptr;
    return std::make_unique<TarvikBrokenNodeMgr>(drive, item, view);
}

void TarvikBrokenNodeMgr::Initialize() {
    RegisterMenus();
    SetMenu(IDR_OFFLINE_ROOT_MENU, m_pDrive && m_pDrive->IsSercos() ? kSercosBrokenSubMenu : kBrokenSubMenu);
    SetHelpTopic(tarvik::kHelpTopicBrokenDrive);
}

const platform::ui::CommandTable* TarvikBrokenNodeMgr::Commands() const {
    using Row = platform::ui::CommandRow<TarvikBrokenNodeMgr>;
    static const platform::ui::CommandTable table{
        {Row(ID_DEACTIVATE_SERCOS_NODE, &TarvikBrokenNodeMgr::OnDeactivateSercos)}, &TailCommands()};
    return &table;
}

void TarvikBrokenNodeMgr::OnDeactivateSercos() {
    tarvik::PostSercosSwitch(m_pDrive, false);
}

bool TarvikBrokenNodeMgr::ValidateRecord(const std::string& line) {
    return m_pDrive && m_pDrive->CheckRecord(line);
}

bool TarvikBrokenNodeMgr::DownloadFirmware(std::istream& file, const std::string& path) {
    m_pStorage = m_pDrive ? m_pDrive->GetTarvikStorage() : nullptr;
    m_pComm = m_pStorage ? m_pStorage->GetComm() : nullptr;
    m_bCancel = false;
    m_Progress = 0;
    m_bInUpgradeMode = false;
    if (!m_pStorage) {
        MessageBox("The Drive is Offline.");
        return false;
    }
    try {
        if (!ValidateFile(file, path))
            return false;
        EnableUpgradeMode();
        LoadFile(file);
        DisableUpgradeMode();
        return true;
    } catch (const ZRError& error) {
        LeaveUpgradeModeQuietly();
        MessageBox(error.GetMessage());
    } catch (const std::exception&) {
        // "Comm Loss" or "Cancelled": the caller reports the result.
        LeaveUpgradeModeQuietly();
    }
    return false;
}

bool TarvikBrokenNodeMgr::ValidateFile(std::istream& file, const std::string& path) {
    using namespace tarvik::param;
    file.clear();
    file.seekg(0);
    std::string header;
    if (!ZRBrokenDrive::ReadLine(file, header) || header.size() < 2 || header[1] != '0' ||
        header.size() > ZRBrokenDrive::kMaxLine || !ValidateRecord(header))
        throw ZRError(0, Format("File %s\nis not a valid firmware file", path.c_str()));
    // Every line now, while nothing has changed in the drive.
    m_pDrive->CheckFile(file);
    if (!m_pDrive->IsNodeActive())
        return false;

    // Only whether the drive answers.
    uint32_t productType = 0;
    bool answered = false;
    try {
        answered = m_pStorage->ReadUlong(0, 0, TarvikStorage::Id(kProductType), productType, 4);
    } catch (const ZRError&) {
        throw;
    } catch (...) {
        throw ZRError(0, "Failed to read the Product Type");
    }
    if (!m_pDrive->IsNodeActive())
        return false;
    if (!answered)
        throw ZRError(0, "Failed to read the Product Type");

    const std::string notCompatible = Format("File %s\nis not compatible with this product.", path.c_str());
    std::string text;
    unsigned product = 0;
    if (!HeaderText(header, kProductAt, kProductBytes, text) ||
        std::sscanf(text.c_str(), "%X", &product) != 1)
        throw ZRError(0, notCompatible);
    int numbers[3] = {};
    const size_t positions[3] = {kMajorAt, kMinorAt, kBuildAt};
    for (int i = 0; i < 3; ++i)
        if (!HeaderText(header, positions[i], kVersionBytes, text) ||
            std::sscanf(text.c_str(), "%d", &numbers[i]) != 1 || numbers[i] < 0 || numbers[i] > 255)
            throw ZRError(0, notCompatible);
    const uint32_t fileVersion = static_cast<uint32_t>(numbers[0] << 16 | numbers[1] << 8 | numbers[2]);

    // Whether the drive needs firmware 1.43.1 or later.
    bool needsNew = false;
    if (m_pDrive->ReadVersion()) {
        ZRUlongAttribute* upa = m_pDrive->GetUpaRevision();
        upa->CheckSupported();
        needsNew = upa->IsSupported() && upa->Refresh(true) && upa->GetInternalValue() != 0;
    } else {
        ZRAttribute* mode = m_pDrive->GetUpgradeModeAttribute();
        needsNew = mode && tarvik::ParameterOf(mode->GetAttribute()) == kUpgradeModeNew;
    }
    if (fileVersion < kFirstNewVersion && needsNew)
        throw ZRError(0, "Selected firmware file is not supported by the drive.\nFirmware version must be at "
                         "least 1.43 for this drive.");
    file.clear();
    file.seekg(0);
    return true;
}

void TarvikBrokenNodeMgr::EnableUpgradeMode() {
    auto* mode = dynamic_cast<ZRValAttribute*>(m_pDrive->GetUpgradeModeAttribute());
    // A refused write may still have reached the drive.
    m_bInUpgradeMode = mode != nullptr;
    if (!mode || !mode->SetValue(1))
        throw ZRError(0, "Failed to enable the firmware upgrade mode.");
}

void TarvikBrokenNodeMgr::LoadFile(std::istream& file) {
    file.clear();
    const std::streampos here = file.tellg();
    file.seekg(0, std::ios::end);
    const std::streamoff length = file.tellg();
    file.seekg(here);
    if (length <= 0)
        throw ZRError(0, "Invalid File");
    unsigned long long counted = 0;
    for (;;) {
        if (m_bCancel) {
            if (MessageBox(
                    "This will leave the drive in a minimally functional state.\nAre you sure you want to "
                    "cancel the firmware upgrade?",
                    {}, platform::core::MB_YESNO) == platform::core::IDYES) {
                DisableUpgradeMode();
                throw std::runtime_error("Cancelled");
            }
            m_bCancel = false;
        }
        PumpMessages();
        if (m_pDrive->DownloadRecord(file)) {
            m_Progress = 100;
            return;
        }
        counted += kBytesPerLine;
        // Short lines would run the estimate past the end.
        m_Progress = static_cast<unsigned long>(std::min<unsigned long long>(99, counted * 100 / length));
    }
}

void TarvikBrokenNodeMgr::DisableUpgradeMode() {
    auto* mode = dynamic_cast<ZRValAttribute*>(m_pDrive->GetUpgradeModeAttribute());
    if (!mode)
        throw ZRError(0, "Unable to disable the firmware upgrade mode.");
    if (!mode->SetValue(0))
        throw ZRError(0, "Failed to disable the firmware upgrade mode.");
    m_bInUpgradeMode = false;
    if (MessageBox("Do you want to Reset the drive now?", {}, platform::core::MB_YESNO) ==
            platform::core::IDYES &&
        !m_pDrive->ResetDrive())
        throw ZRError(0, "Failed to reset the drive.");
}

void TarvikBrokenNodeMgr::LeaveUpgradeModeQuietly() {
    if (!m_bInUpgradeMode)
        return;
    m_bInUpgradeMode = false;
    ZRAttribute* mode = m_pDrive->GetUpgradeModeAttribute();
    // A drive that stopped answering cannot be asked; the storage must not ask the user again.
    if (!mode || !m_pStorage || !m_pDrive->IsNodeActive())
        return;
    try {
        m_pStorage->WriteUlong(0, 0, mode->GetAttribute(), 0, 1);
    } catch (const ZRError&) {
    }
}
