#pragma once

#include "kitbase/model/ZRObject.h"

#include <cstdint>
#include <istream>
#include <memory>
#include <string>

class TarvikStorage;
class ZRUlongAttribute;

// The placeholder of an on-line Tarvik drive whose firmware is missing, too old or reports a
// power-up error: it stands under "On-Line Drives" with the drive's node in its name, and firmware
// is loaded into it one S-record at a time through the drive's ordinary parameter messages.
//
// Failures are ZRError (code 0) with the user's text; a lost link ends a transfer with the plain
// exception "Comm Loss" (std::runtime_error).
class ZRBrokenDrive : public ZRObject {
public:
    // One line of a firmware file, taken apart.
    struct Record {
        char type = 0;
        std::string address;  // 8 hexadecimal digits, the low 20 bits of the record's address
        std::string data;     // hexadecimal digits as they stand in the file, checksum dropped
        bool program = false; // a data record that goes into the flash
    };
    // The longest line a firmware file may hold (line end not counted).
    static constexpr size_t kMaxLine = 127;

    ZRBrokenDrive();
    ~ZRBrokenDrive() override;

    // The name lives in the object only: nothing is read from a drive without usable firmware.
    void Init() override;

    // Syntax and checksum of one S-record.
    virtual bool CheckRecord(const std::string& line);
    // Reads and handles the next line: true at the end of the file.
    virtual bool DownloadRecord(std::istream& file);
    virtual void EraseFlash(bool upperArea);
    // Erases once in the placeholder's life, before the first data record.
    virtual void EraseIfNeeded(unsigned long address);
    virtual void ProgramFlash(const char* address, const char* data);

    // Never throws: false when the drive is off line or refuses the reset.
    bool ResetDrive();
    // Parameter 212 on firmware up to 1.43.0, 471 from 1.43.1 on; chosen once.
    ZRAttribute* GetUpgradeModeAttribute();

    // Every line of the file from its start, as a transfer would take it: "Invalid File" on the
    // first one that would be refused, so a bad file is refused before the drive is touched. The
    // file is left at its start.
    void CheckFile(std::istream& file);
    // The next line without its line end, blank lines skipped; false at the end of the file.
    static bool ReadLine(std::istream& file, std::string& line);

    bool IsSercos() const { return m_bSercos; }
    void SetSercos(bool sercos) { m_bSercos = sercos; }
    bool IsErased() const { return m_bErased; }
    ZRUlongAttribute* GetUpaRevision() const { return m_pUpaRevision.get(); }
    // Whether the drive's version could be read (it is then the object's version).
    bool ReadVersion() { return CheckVersion(); }
    // The placeholder's storage while it is on line, else null.
    TarvikStorage* GetTarvikStorage();
    // Whether the link still marks the placeholder's node as answering.
    bool IsNodeActive();

private:
    // The record of the line; "Invalid File" when a transfer must refuse it.
    Record ParseRecord(const std::string& line);

    bool m_bSercos = false;
    bool m_bErased = false;
    std::unique_ptr<ZRUlongAttribute> m_pOldUpgradeMode;
    std::unique_ptr<ZRUlongAttribute> m_pNewUpgradeMode;
    std::unique_ptr<ZRUlongAttribute> m_pUpaRevision;
    ZRUlongAttribute* m_pUpgradeMode = nullptr; // one of the two above
};
