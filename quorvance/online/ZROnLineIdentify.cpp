// Drive identification of the on-line root: which family answers at a node, and the drive or
// placeholder that is built for it.
#include "quorvance/online/ZROnLine.h"

#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/ZRScanning.h"
#include "platform/core/Clock.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/ui/WaitCursor.h"
#include "quorvance/fenwa/FenwaBrokenDrive.h"
#include "quorvance/fenwa/FenwaDevice.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaStorage.h"
#include "quorvance/merrix/MerrixIds.h"
#include "quorvance/online/OnlineIds.h"
#include "quorvance/online/ZRBrokenDrive.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikStorage.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRNoxelDevice.h"
#include "quorvance/zelna/ZelnaIds.h"
#include "wirelink/FenwaComm.h"
#include "wirelink/HalvoMaster.h"
#include "wirelink/NoxelComm.h"
#include "wirelink/ZRCommError.h"
#include "wirelink/ZelnaComm.h"

#include <initializer_list>

using platform::core::Format;

namespace {

constexpr const char* kProgram = "Quorvance";

constexpr int32_t kProductTypeParameter = 0;
// Product type flags of a Tarvik drive.
constexpr uint32_t kIndexingDrive = 0x01;
constexpr uint32_t kStandardDrive = 0x02;
constexpr uint32_t kDrivePresent = 0x04;
constexpr uint32_t kMainFirmwareValid = 0x08;
constexpr uint32_t kSercosDrive = 0x20;

constexpr int kUserMemoryError = 55;
constexpr int kReadFailedCode = 255;

constexpr const char* kReadError = "Error reading drive information.";

// The accepted major version and the minor numbers that need no message.
struct VersionWindow {
    int major;
    int minorLow;
    int minorHigh;
};
constexpr VersionWindow kTarvikWindow{1, 1, 1};
constexpr VersionWindow kTarvikOldWindow{1, 29, 59}; // read from parameter 2 by older firmware
constexpr VersionWindow kFenwaWindow{1, 0, 19};

// Compares major << 8 | minor with the window; the status and its message.
int CompareVersion(uint32_t version, const VersionWindow& window, int node, std::string& message) {
    const int major = static_cast<int>(version >> 8 & 0xFF);
    const int minor = static_cast<int>(version & 0xFF);
    if (major < window.major) {
        message = Format("Firmware on node %d is too old. The firmware must be upgraded.", node);
        return ZROnLine::FirmwareTooOld;
    }
    if (major > window.major) {
        message = Format("Firmware on node %d is too new for this version of %s.\nYou must install a current "
                         "version of %s to access this drive.",
                         node, kProgram, kProgram);
        return ZROnLine::FirmwareTooNew;
    }
    if (minor < window.minorLow) {
        message = Format("Firmware on node %d is older than this version of %s.\nSome parameters may be "
                         "assigned default values",
                         node, kProgram);
        return ZROnLine::FirmwareOlder;
    }
    if (minor > window.minorHigh) {
        message = Format("Firmware on node %d is newer than this version of %s.\nNew parameters may not be "
                         "accessible",
                         node, kProgram);
        return ZROnLine::FirmwareNewer;
    }
    return ZROnLine::NothingToReport;
}

// One probe: true when the node answered. A failure under the probe's own filter ends the
// identification with its text.
template <class Link> bool Probe(Link* link, int node, bool own, bool& failed, std::string& message) {
    try {
        link->RefreshNode(node);
        return link->IsNodeActive(static_cast<short>(node));
    } catch (const ZRCommError& error) {
        if (own) {
            failed = true;
            message = error.GetMessage();
        }
        return false;
    }
}

bool IsPlaceholder(int32_t type) {
    for (int32_t placeholder :
         {merrix::kBrokenDriveType, tarvik::kBrokenDriveType, fenwa::kBrokenDriveType, zelna::kBrokenDriveType})
        if (type == placeholder)
            return true;
    return false;
}

// The placeholder's name, kept in the object only.
template <class Placeholder = ZRBrokenDrive>
std::unique_ptr<Placeholder> MakePlaceholder(int32_t type, const std::string& name) {
    auto placeholder = std::make_unique<Placeholder>();
    placeholder->SetClass(type);
    placeholder->Init();
    placeholder->GetName().SetValue(name);
    return placeholder;
}

} // namespace

int ZROnLine::IdentifyNode(int node, ZRObject*& drive, std::string& message, int filter) {
    drive = nullptr;
    m_pUnattached.reset();
    // A node is never held twice: its old drive goes first, out of the removal queue too.
    if (ZRObject* old = FindDrive(node))
        DeleteDrive(old);
    // No drive can answer outside the protocols' nodes; a storage keeps its node in one byte.
    if (node < 0 || node > online::kMaxNode)
        return NothingToReport;

    int family = -1;
    bool failed = false;
    if ((filter == AnyFamily || filter == MerrixFamily) && node <= 99 &&
        Probe(HalvoMaster::Instance(), node, filter == MerrixFamily, failed, message))
        family = MerrixFamily;
    if ((filter == AnyFamily || filter == FenwaFamily) && node > 0 && !failed &&
        Probe(FenwaComm::Instance(), node, filter == FenwaFamily, failed, message))
        family = FenwaFamily;
    if ((filter == AnyFamily || filter == ZelnaFamily) && node > 0 && !failed &&
        Probe(ZelnaComm::Instance(), node, filter == ZelnaFamily, failed, message))
        family = ZelnaFamily;
    if (family < 0 && (filter == AnyFamily || filter == TarvikFamily) && !failed &&
        Probe(NoxelComm::Instance(), node, true, failed, message))
        family = TarvikFamily;
    if (failed)
        return ReadFailed;
    if (family < 0)
        return NothingToReport;
    if (m_pScanning && m_bScanning) {
        m_pScanning->m_strStatus = Format("Attaching to Node %d...", node);
        m_pScanning->UpdateData(false);
    }
    if (family == TarvikFamily)
        return IdentifyTarvik(node, drive, message);
    if (family == FenwaFamily)
        return IdentifyFenwa(node, drive, message);
    // The Merrix and Zelna drive models are not part of this program yet: such a drive
    // answers but nothing is made for it, and the next family may probe the node.
    return NothingToReport;
}

int ZROnLine::IdentifyTarvik(int node, ZRObject*& drive, std::string& message) {
    using namespace tarvik::param;
    using platform::core::MessageBox;
    const uint8_t address = static_cast<uint8_t>(node);
    auto storage = std::make_unique<TarvikStorage>(NoxelComm::Instance(), address);
    auto device = std::make_unique<ZRNoxelDevice>();
    device->SetOffLine(false);
    device->SetStorage(storage.get());

    uint32_t powerUp = 0;
    uint32_t productType = 0;
    try {
        if (!storage->ReadUlong(0, 0, TarvikStorage::Id(kPowerUpError), powerUp, 1) ||
            !storage->ReadUlong(0, 0, TarvikStorage::Id(kProductTypeParameter), productType, 4)) {
            message = kReadError;
            return ReadFailed;
        }
    } catch (const ZRError& error) {
        message = Format("%s\n%s.", kReadError, error.GetMessage().c_str());
        return ReadFailed;
    }
    // The drive answered but could not tell its state: as a failed read, with the same text, so the
    // user sees why nothing was attached.
    if (powerUp == kReadFailedCode) {
        message = kReadError;
        return ReadFailed;
    }
    if (!(productType & kDrivePresent))
        return NothingToReport;

    if (powerUp == kUserMemoryError) {
        const std::string question =
            Format("Drive on Node %d has a user parameter memory error (E55). Doing\n"
                   "a Reset to Factory Settings should remove this error, but you\n"
                   "will lose the current drive settings. If you don't want to\n"
                   "Reset to Factory Settings, you should contact customer service.\n\n"
                   "Perform Reset to Factory Settings now?",
                   node);
        if (MessageBox(question, {}, platform::core::MB_YESNO) == platform::core::IDYES) {
            {
                platform::ui::WaitCursor wait;
                try {
                    std::string reply;
                    storage->SendMessage(TarvikStorage::Id(kFactoryReset), 1, {}, reply, 0, 2000);
                    platform::core::Sleep(500);
                    std::optional<ZRStorage::Bytes> none;
                    storage->InvokeService(0, 0, TarvikStorage::Id(kResetDrive), {}, none);
                    platform::core::Sleep(5000);
                } catch (const ZRError& error) {
                    wait.Restore();
                    MessageBox(error.GetComboMessage());
                }
            }
            bool read = false;
            try {
                read = storage->ReadUlong(0, 0, TarvikStorage::Id(kPowerUpError), powerUp, 1);
            } catch (const ZRError&) {
            }
            if (!read) {
                message = kReadError;
                return ReadFailed;
            }
            MessageBox(powerUp == kUserMemoryError
                           ? "Reset to Factory Settings failed to clear E55.\nContact customer service to resolve "
                             "the problem.\n\nDrive will show up in the workspace as a broken drive."
                           : "E55 has been successfully cleared.");
        } else {
            MessageBox("Drive will show up in the workspace as a broken drive.");
        }
    }

    int status = NothingToReport;
    bool sercos = false;
    if (powerUp == 0 && (productType & kMainFirmwareValid)) {
        sercos = (productType & kSercosDrive) && !GetLinkSettings().sercosMode;
        try {
            storage->WriteUlong(0, 0, TarvikStorage::Id(kHostLink, 0x200), 2, 1);
        } catch (const ZRError& error) {
            if (error.GetError() == 6)
                try {
                    storage->WriteUlong(0, 0, TarvikStorage::Id(kHostLink, 0x200), 1, 1);
                } catch (const ZRError&) {
                }
        }
        uint32_t version = 0;
        const VersionWindow* window = &kTarvikWindow;
        try {
            storage->ReadUlong(0, 0, TarvikStorage::Id(kFirmwareVersionWord), version, 2);
        } catch (const ZRError&) {
            window = &kTarvikOldWindow;
            try {
                storage->ReadUlong(0, 0, TarvikStorage::Id(kFirmwareVersion), version, 2);
            } catch (const ZRError&) {
                version = 0;
            }
        }
        status = CompareVersion(version, *window, node, message);
        if (status == FirmwareTooNew)
            return status;
        if (status != FirmwareTooOld) {
            int32_t type = 0;
            if (productType & kStandardDrive)
                type = tarvik::kStandardDriveType;
            else if (productType & kIndexingDrive)
                type = tarvik::kIndexingDriveType;
            else
                return NothingToReport;
            auto tarvikDrive = std::make_unique<ZRDrive>(type);
            tarvikDrive->SetProductType(productType);
            tarvikDrive->Init();
            tarvikDrive->Attach(device.get(), 1);
            drive = AddOnLineDrive(std::move(tarvikDrive), std::move(device), std::move(storage), true);
            return status;
        }
    }

    // A placeholder from which firmware can be loaded.
    std::string reason = "Main Firmware Error";
    if (powerUp != 0)
        reason = ZROnLineStorage::GetFaultText(static_cast<int>(powerUp));
    else if (sercos)
        reason = "Sercos Drive";
    auto placeholder = MakePlaceholder(tarvik::kBrokenDriveType, Format("%d - %s!", node, reason.c_str()));
    placeholder->SetSercos(sercos);
    if (powerUp != 0 && powerUp != kUserMemoryError) {
        message = platform::core::Format("The drive experienced the following powerup error:\n %s",
                                         ZROnLineStorage::GetFaultText(static_cast<int>(powerUp)).c_str());
        status = PowerUpFault;
    }
    placeholder->Attach(device.get(), 1);
    drive = AddOnLineDrive(std::move(placeholder), std::move(device), std::move(storage), true);
    return status;
}

int ZROnLine::IdentifyFenwa(int node, ZRObject*& drive, std::string& message) {
    auto storage = std::make_unique<FenwaStorage>(FenwaComm::Instance(), static_cast<uint8_t>(node));
    auto device = std::make_unique<FenwaDevice>();
    device->SetOffLine(false);
    device->SetStorage(storage.get());
    auto fenwaDrive = std::make_unique<FenwaDrive>();
    drive = fenwaDrive.get();

    uint32_t version = 0;
    if (!storage->GetVersion(0, 0, version))
        version = 0;
    const int status = CompareVersion(version, kFenwaWindow, node, message);
    if (status == FirmwareTooNew) {
        // Not attached, yet the caller learns that a drive answered here.
        m_pUnattached = std::move(fenwaDrive);
        return status;
    }
    if (status == FirmwareTooOld) {
        fenwaDrive.reset();
        auto placeholder = MakePlaceholder<FenwaBrokenDrive>(fenwa::kBrokenDriveType,
                                                             Format("%d - Needs Firmware Upgrade!", node));
        placeholder->Attach(device.get(), 1);
        drive = AddOnLineDrive(std::move(placeholder), std::move(device), std::move(storage), true);
        return status;
    }
    fenwaDrive->Init();
    fenwaDrive->Attach(device.get(), 1);
    drive = AddOnLineDrive(std::move(fenwaDrive), std::move(device), std::move(storage), true);
    return status;
}

ZRObject* ZROnLine::MakeBrokenDrive(ZRObject* drive) {
    if (!drive)
        return nullptr;
    const int32_t type = drive->GetClass();
    if (IsPlaceholder(type))
        return drive;
    const int node = NodeOf(drive);
    if (node < 0)
        return nullptr;
    if (type == fenwa::kDriveType)
        return MakeFenwaBrokenDrive(drive, node);
    if (type != tarvik::kStandardDriveType && type != tarvik::kIndexingDriveType)
        return nullptr;
    auto storage = std::make_unique<TarvikStorage>(NoxelComm::Instance(), static_cast<uint8_t>(node));
    auto device = std::make_unique<ZRNoxelDevice>();
    device->SetOffLine(false);
    device->SetStorage(storage.get());
    std::string name = drive->GetName().GetValue();
    if (name.empty())
        name = Format("%d - <Unnamed Drive>", node);
    auto placeholder = MakePlaceholder(tarvik::kBrokenDriveType, name);

    DeleteDrive(drive);
    placeholder->SetDevice(device.get());
    placeholder->SetInstance(1);
    return AddOnLineDrive(std::move(placeholder), std::move(device), std::move(storage), true);
}

ZRObject* ZROnLine::MakeFenwaBrokenDrive(ZRObject* drive, int node) {
    auto storage = std::make_unique<FenwaStorage>(FenwaComm::Instance(), static_cast<uint8_t>(node));
    auto device = std::make_unique<FenwaDevice>();
    device->SetOffLine(false);
    device->SetStorage(storage.get());
    std::string name = drive->GetName().GetValue();
    if (name.empty())
        name = Format("%d - <Unnamed Drive>", node);
    auto placeholder = MakePlaceholder<FenwaBrokenDrive>(fenwa::kBrokenDriveType, name);

    DeleteDrive(drive);
    placeholder->Attach(device.get(), 1);
    return AddOnLineDrive(std::move(placeholder), std::move(device), std::move(storage), true);
}
