#include "quorvance/fenwa/FenwaBrokenDrive.h"

#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "platform/core/HexDigit.h"
#include "platform/core/Text.h"
#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaCommand.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaStorage.h"
#include "quorvance/online/ZRBrokenDrive.h"
#include "wirelink/WireClock.h"

#include <stdexcept>

namespace {

constexpr uint32_t kResetWaitMs = 3000;
// The boot loader takes five address digits.
constexpr uint32_t kLastAddress = 0xFFFFF;

// The value of the two digits at `at`; the line has been checked to be hexadecimal.
unsigned ByteAt(const std::string& line, size_t at) {
    return static_cast<unsigned>(platform::core::HexDigitValue(line[at]) * 16 +
                                 platform::core::HexDigitValue(line[at + 1]));
}

[[noreturn]] void InvalidFile() {
    throw ZRError(0, "Invalid File");
}

} // namespace

FenwaBrokenDrive::FenwaBrokenDrive() {
    SetClass(fenwa::kBrokenDriveType);
    SetVersion(fenwa::kObjectVersion);
    for (auto& command : m_Commands)
        command = std::make_unique<FenwaCommand>(GetDevice());
}

FenwaBrokenDrive::~FenwaBrokenDrive() = default;

void FenwaBrokenDrive::Init() {
    ZRObject::Init();
    GetName().Define(kNoAttribute);
    const struct {
        const char* command;
        const char* data;
        int mode;
    } commands[kCommandCount] = {
        {"HWR", "", FenwaStorage::Ack}, {"TMN", "09", FenwaStorage::UntilTok}, {"FU1", "", FenwaStorage::Ack},
        {"FU2", "", FenwaStorage::Ack}, {"TMN", "0B", FenwaStorage::UntilTok}, {"FU3", "", FenwaStorage::Ack},
    };
    for (int i = 0; i < kCommandCount; ++i) {
        m_Commands[i]->SetObject(this);
        m_Commands[i]->SetCommand(commands[i].command, commands[i].data, commands[i].mode);
    }
}

bool FenwaBrokenDrive::CheckLine(const std::string& line) {
    // A colon, then whole pairs of digits: at least count, address, type and checksum.
    if (line.size() < 11 || line[0] != ':' || (line.size() - 1) % 2 != 0)
        return false;
    for (size_t i = 1; i < line.size(); ++i)
        if (platform::core::HexDigitValue(line[i]) < 0)
            return false;
    unsigned sum = 0;
    for (size_t i = 1; i < line.size(); i += 2)
        sum += ByteAt(line, i);
    return (sum & 0xFF) == 0;
}

FenwaBrokenDrive::Record FenwaBrokenDrive::ParseRecord(const std::string& line, uint32_t& base) {
    if (line.size() > kMaxLine || !CheckLine(line))
        InvalidFile();
    const unsigned count = ByteAt(line, 1);
    const uint32_t address = ByteAt(line, 3) << 8 | ByteAt(line, 5);
    const unsigned type = ByteAt(line, 7);
    Record record;
    record.count = line.substr(1, 2);
    record.data = line.substr(9, line.size() - 11);
    if (record.data.size() != 2 * count)
        InvalidFile();
    switch (type) {
    case 0x00: {
        if (count == 0)
            return record;
        const uint32_t start = base + address;
        if (start + count - 1 > kLastAddress)
            InvalidFile();
        // Without an address base the address goes as the file has it.
        record.address = base == 0 ? "0" + line.substr(3, 4) : platform::core::Format("%05X", start);
        record.send = true;
        return record;
    }
    case 0x02: // segment base: the value times 16
    case 0x04: // linear base: the upper 16 bits
        if (count != 2)
            InvalidFile();
        base = (ByteAt(line, 9) << 8 | ByteAt(line, 11)) << (type == 0x02 ? 4 : 16);
        return record;
    case 0x01: // end of file
    case 0x03: // start addresses: nothing to write
    case 0x05:
        return record;
    default:
        InvalidFile();
    }
}

void FenwaBrokenDrive::CheckFile(std::istream& file) {
    file.clear();
    file.seekg(0);
    uint32_t base = 0;
    std::string line;
    while (ZRBrokenDrive::ReadLine(file, line))
        ParseRecord(line, base);
    file.clear();
    file.seekg(0);
    m_Base = 0;
}

bool FenwaBrokenDrive::ProcessLine(std::istream& file) {
    std::string line;
    // Blank lines are skipped: only the end of the stream ends the file.
    if (!ZRBrokenDrive::ReadLine(file, line))
        return true;
    const Record record = ParseRecord(line, m_Base);
    if (record.send)
        SendLine(record.address, record.count, record.data);
    return false;
}

void FenwaBrokenDrive::SendLine(const std::string& address, const std::string& count,
                                const std::string& data) {
    if (!m_Commands[kWriteRecord]->ExecuteWithArgument(address + count + data, false))
        Refused("Writing a line of firmware data failed.");
}

bool FenwaBrokenDrive::ResetDrive() {
    ZRDevice* device = GetDevice();
    if (!device || device->IsOffLine())
        return false;
    try {
        m_Commands[kReset]->Execute(true);
        WireClock::Get().Sleep(kResetWaitMs);
        return true;
    } catch (...) {
        return false;
    }
}

bool FenwaBrokenDrive::EraseFlash() {
    if (!m_Commands[kFlash]->Execute(false))
        Refused("Failed to erase the flash.");
    return true;
}

bool FenwaBrokenDrive::ValidateChecksum(int n) {
    if (m_Commands[kVerify]->ExecuteWithArgument(platform::core::Format("%02u", static_cast<unsigned>(n)),
                                                 false))
        return true;
    // A lost link is no verdict on the image.
    FenwaStorage* storage = GetFenwaStorage();
    if (!storage || storage->IsBroken())
        throw std::runtime_error("Comm Loss");
    return false;
}

FenwaStorage* FenwaBrokenDrive::GetFenwaStorage() {
    ZRDevice* device = GetDevice();
    return device && !device->IsOffLine() ? dynamic_cast<FenwaStorage*>(device->GetStorage()) : nullptr;
}

void FenwaBrokenDrive::Refused(const std::string& text) {
    FenwaStorage* storage = GetFenwaStorage();
    // The storage told the user about the lost link already.
    if (!storage || storage->IsBroken())
        throw std::runtime_error("Comm Loss");
    throw ZRError(0, text);
}
