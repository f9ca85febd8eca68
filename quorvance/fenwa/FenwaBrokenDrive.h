#pragma once

#include "kitbase/model/ZRObject.h"

#include <cstdint>
#include <istream>
#include <memory>
#include <string>

class FenwaCommand;
class FenwaStorage;

// The placeholder of an on-line Fenwa drive whose firmware is missing, too old or about to be
// replaced: it stands under "On-Line Drives" with the drive's node in its name and talks to the
// drive's boot loader, which takes an Intel HEX image one data record at a time.
//
// Failures are ZRError (code 0) with the user's text; a lost link, which the storage has reported
// already, ends a transfer with the plain exception "Comm Loss" (std::runtime_error).
class FenwaBrokenDrive : public ZRObject {
public:
    // The longest line a firmware file may hold (line end not counted).
    static constexpr size_t kMaxLine = 127;

    FenwaBrokenDrive();
    ~FenwaBrokenDrive() override;

    // The name lives in the object only: nothing is read from a drive without usable firmware.
    void Init() override;

    // Syntax and checksum of one record.
    virtual bool CheckLine(const std::string& line);
    // Reads and handles the next line: true at the end of the file.
    virtual bool ProcessLine(std::istream& file);
    // Writes one data record: address (five digits), count and data texts as the file has them.
    virtual void SendLine(const std::string& address, const std::string& count, const std::string& data);

    // Never throws: false when the drive is off line; true once the reset was sent, refused or not.
    bool ResetDrive();
    // The flash step after a verified image; "Failed to erase the flash." when refused.
    bool EraseFlash();
    bool ValidateChecksum(int n);

    FenwaCommand& GetEnableUpgradeCommand() { return *m_Commands[kEnableUpgrade]; }
    FenwaCommand& GetDisableUpgradeCommand() { return *m_Commands[kDisableUpgrade]; }

    // Every line of the file from its start, as a transfer would take it: "Invalid File" on the
    // first one that would be refused, so a bad file is refused before the drive is touched. The
    // file is left at its start.
    void CheckFile(std::istream& file);
    // The placeholder's storage while it is on line, else null.
    FenwaStorage* GetFenwaStorage();
    // Throws for a command that failed: "Comm Loss" when the link is gone, else the text.
    [[noreturn]] void Refused(const std::string& text);

private:
    enum Command { kReset, kEnableUpgrade, kDisableUpgrade, kVerify, kFlash, kWriteRecord, kCommandCount };
    // One line taken apart; sent only when `send`.
    struct Record {
        std::string address; // five hexadecimal digits
        std::string count;
        std::string data;
        bool send = false;
    };
    // The record of the line, with the address base of the records before it; "Invalid File"
    // when a transfer must refuse it.
    Record ParseRecord(const std::string& line, uint32_t& base);

    std::unique_ptr<FenwaCommand> m_Commands[kCommandCount];
    // The address base that the file's extended-address records set, during a transfer.
    uint32_t m_Base = 0;
};
