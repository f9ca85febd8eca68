#include "quorvance/online/ZRBrokenDrive.h"

#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "platform/core/HexDigit.h"
#include "platform/core/Text.h"
#include "platform/ui/Events.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikStorage.h"
#include "wirelink/NoxelComm.h"
#include "wirelink/WireClock.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <stdexcept>

using namespace tarvik;

namespace {

constexpr uint32_t kLastOldVersion = 0x12B00;  // 1.43.0
constexpr uint32_t kFirstNewVersion = 0x12B01; // 1.43.1
constexpr int32_t kUpgradeModeIndex = 0x200;
constexpr uint32_t kInitialUpgradeMode = 5;
constexpr unsigned long kUpperAreaStart = 0x4000;
constexpr unsigned long kEraseTimeout = 90000;
constexpr uint32_t kResetWait = 9000;
constexpr uint32_t kWaitSlice = 100;
constexpr size_t kMaxData = 128;
constexpr int kRefusedWrite = 6;

[[noreturn]] void InvalidFile() {
    throw ZRError(0, "Invalid File");
}

// Address digits of each record type; 0 for a digit that names no type.
size_t AddressDigits(char type) {
    switch (type) {
    case '0':
    case '1':
    case '5':
    case '9':
        return 4;
    case '2':
    case '6':
    case '8':
        return 6;
    case '3':
    case '7':
        return 8;
    default:
        return 0;
    }
}

// Sleeps on the link's clock (which tests run faster) and keeps the window alive meanwhile.
void WaitPumping(uint32_t ms) {
    for (uint32_t waited = 0; waited < ms; waited += kWaitSlice) {
        WireClock::Get().Sleep(std::min(kWaitSlice, ms - waited));
        platform::ui::PumpEvents(platform::ui::PumpMode::ExcludeUserInput);
    }
}

} // namespace

ZRBrokenDrive::ZRBrokenDrive() {
    SetClass(kBrokenDriveType);
    SetVersion(kBlockVersion);
    ZRDevice*& d = GetDevice();
    m_pOldUpgradeMode = std::make_unique<ZRUlongAttribute>(d, 1);
    m_pNewUpgradeMode = std::make_unique<ZRUlongAttribute>(d, 1);
    m_pUpaRevision = std::make_unique<ZRUlongAttribute>(d, 1);
}

ZRBrokenDrive::~ZRBrokenDrive() = default;

void ZRBrokenDrive::Init() {
    ZRObject::Init();
    GetName().Define(kNoAttribute);
    // No device yet: the values stay in the objects, nothing is written to the drive.
    BindNumber(*m_pOldUpgradeMode, this, AttributeId(param::kUpgradeModeOld, kUpgradeModeIndex),
               "Upgrade Mode", kInitialUpgradeMode);
    m_pOldUpgradeMode->SetLastVersion(kLastOldVersion);
    BindNumber(*m_pNewUpgradeMode, this, AttributeId(param::kUpgradeModeNew, kUpgradeModeIndex),
               "Upgrade Mode", kInitialUpgradeMode);
    m_pNewUpgradeMode->SetFirstVersion(kFirstNewVersion);
    BindNumber(*m_pUpaRevision, this, AttributeId(param::kUpaRevision), "uPA Revision", 0);
    m_pUpaRevision->SetFirstVersion(kFirstNewVersion);
    AddProperty(m_pUpaRevision.get());
}

bool ZRBrokenDrive::CheckRecord(const std::string& line) {
    if (line.size() < 2 || line[0] != 'S')
        return false;
    // Each type's shortest record: "S", type, count, its address and the checksum (an end record
    // has no data).
    const size_t digits = AddressDigits(line[1]);
    const size_t shortest = digits ? 4 + digits + 2 : 11;
    if (line.size() < shortest || line.size() % 2)
        return false;
    unsigned sum = 0;
    unsigned byte = 0;
    for (size_t i = 2; i < line.size(); i += 2) {
        const int high = platform::core::HexDigitValue(line[i]),
                  low = platform::core::HexDigitValue(line[i + 1]);
        if (high < 0 || low < 0)
            return false;
        byte = static_cast<unsigned>(high * 16 + low);
        if (i + 2 < line.size())
            sum += byte;
    }
    // The count covers what follows it; a line that lost or gained characters is not the record.
    const unsigned count = static_cast<unsigned>(platform::core::HexDigitValue(line[2]) * 16 +
                                                 platform::core::HexDigitValue(line[3]));
    if (count != (line.size() - 4) / 2)
        return false;
    return byte == (~sum & 0xFF);
}

ZRBrokenDrive::Record ZRBrokenDrive::ParseRecord(const std::string& line) {
    if (line.size() > kMaxLine || !CheckRecord(line))
        InvalidFile();
    Record record;
    record.type = line[1];
    switch (record.type) {
    case '1':
        record.address = "0000" + line.substr(4, 4);
        record.data = line.substr(8);
        break;
    case '2':
        if (line.size() < 13)
            InvalidFile();
        record.address = "000" + line.substr(5, 5);
        record.data = line.substr(10);
        break;
    case '3':
        if (line.size() < 15)
            InvalidFile();
        record.address = "000" + line.substr(7, 5);
        record.data = line.substr(12);
        break;
    default:
        return record; // header, counts, end records: nothing to program
    }
    record.data.resize(record.data.size() - 2);
    if (record.data.empty())
        return record;
    if (record.data.size() % 4 || record.data.size() > kMaxData)
        InvalidFile();
    // A 32-bit address does not fit the drive's flash: skipping it would load part of the image.
    if (record.type == '3')
        InvalidFile();
    record.program = true;
    return record;
}

bool ZRBrokenDrive::ReadLine(std::istream& file, std::string& line) {
    while (std::getline(file, line)) {
        // Files written on Windows end their lines with CR LF.
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            return true;
    }
    return false;
}

void ZRBrokenDrive::CheckFile(std::istream& file) {
    file.clear();
    file.seekg(0);
    std::string line;
    while (ReadLine(file, line))
        ParseRecord(line);
    file.clear();
    file.seekg(0);
}

bool ZRBrokenDrive::DownloadRecord(std::istream& file) {
    if (!IsNodeActive())
        throw std::runtime_error("Comm Loss");
    std::string line;
    if (!ReadLine(file, line))
        return true;
    const Record record = ParseRecord(line);
    if (!record.program)
        return false;
    const unsigned long address = std::strtoul(record.address.c_str(), nullptr, 16);
    if (!m_bErased)
        EraseIfNeeded(address);
    ProgramFlash(record.address.c_str(), record.data.c_str());
    return false;
}

void ZRBrokenDrive::EraseIfNeeded(unsigned long address) {
    if (m_bErased)
        return;
    EraseFlash(address >= kUpperAreaStart);
    m_bErased = true;
}

void ZRBrokenDrive::EraseFlash(bool upperArea) {
    TarvikStorage* storage = GetTarvikStorage();
    bool erased = false;
    try {
        std::string reply;
        const ZRStorage::Bytes area{0x00, static_cast<uint8_t>(upperArea ? 0x01 : 0x00)};
        erased = storage && storage->SendMessage(TarvikStorage::Id(param::kEraseFlash), 1, area, reply, 0,
                                                 kEraseTimeout);
    } catch (const ZRError&) {
    }
    if (!erased)
        throw ZRError(0, "Failed to erase the flash.");
    if (!IsNodeActive())
        throw std::runtime_error("Comm Loss");
}

void ZRBrokenDrive::ProgramFlash(const char* address, const char* data) {
    const std::string digits(data);
    // Erased flash already holds 0xFF.
    if (std::all_of(digits.begin(), digits.end(), [](char c) { return c == 'F' || c == 'f'; }))
        return;
    const std::string text = std::string(address) +
                             platform::core::Format("%02X", static_cast<unsigned>(digits.size() / 2)) +
                             digits;
    TarvikStorage* storage = GetTarvikStorage();
    bool sent = false;
    try {
        std::optional<ZRStorage::Bytes> none;
        sent = storage && storage->InvokeService(0, 0, TarvikStorage::Id(param::kProgramFlash),
                                                 ZRStorage::Bytes(text.begin(), text.end()), none);
    } catch (const ZRError&) {
        throw;
    } catch (...) {
        throw ZRError(0, "Failed to program the flash.");
    }
    if (!sent)
        throw std::runtime_error("Comm Loss");
}

bool ZRBrokenDrive::ResetDrive() {
    TarvikStorage* storage = GetTarvikStorage();
    if (!storage)
        return false;
    try {
        std::optional<ZRStorage::Bytes> none;
        if (!storage->InvokeService(0, 0, TarvikStorage::Id(param::kResetDrive), {}, none))
            return false;
    } catch (...) {
        return false;
    }
    WaitPumping(kResetWait);
    const int32_t hostLink = TarvikStorage::Id(param::kHostLink, kUpgradeModeIndex);
    try {
        storage->WriteLong(0, 0, hostLink, 2, 1);
    } catch (const ZRError& error) {
        if (error.GetError() == kRefusedWrite) {
            try {
                storage->WriteLong(0, 0, hostLink, 1, 1);
            } catch (const ZRError&) {
            }
        }
    }
    return true;
}

ZRAttribute* ZRBrokenDrive::GetUpgradeModeAttribute() {
    if (m_pUpgradeMode)
        return m_pUpgradeMode;
    TarvikStorage* storage = GetTarvikStorage();
    if (!storage)
        return nullptr;
    ZRUlongAttribute* chosen = m_pOldUpgradeMode.get();
    if (CheckVersion()) {
        m_pOldUpgradeMode->CheckSupported();
        if (!m_pOldUpgradeMode->IsSupported())
            chosen = m_pNewUpgradeMode.get();
    } else {
        try {
            uint32_t value = 0;
            storage->ReadUlong(0, 0, TarvikStorage::Id(param::kUpgradeModeOld), value, 1);
        } catch (const ZRError&) {
            chosen = m_pNewUpgradeMode.get();
        }
    }
    m_pUpgradeMode = chosen;
    return chosen;
}

TarvikStorage* ZRBrokenDrive::GetTarvikStorage() {
    ZRDevice* device = GetDevice();
    if (!device || device->IsOffLine())
        return nullptr;
    return dynamic_cast<TarvikStorage*>(device->GetStorage());
}

bool ZRBrokenDrive::IsNodeActive() {
    TarvikStorage* storage = GetTarvikStorage();
    return storage && !storage->IsBroken() && storage->GetComm() &&
           storage->GetComm()->IsNodeActive(storage->GetNode());
}
