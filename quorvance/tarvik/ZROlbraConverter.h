#pragma once

#include "quorvance/tarvik/ZROlbraItem.h"
#include "quorvance/tarvik/ZROlbraVal.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class ZROlbraArchive;

// A parameter file of the older drive families, read into a fixed table of typed values that the
// Tarvik drive and its blocks convert from, with the log of that conversion.
class ZROlbraConverter {
public:
    // Slots 0 to 6 hold two-value records, 7 to 329 typed values (file index + 7), 330 to 341 texts.
    static constexpr int kSlotCount = 342;
    static constexpr int kFirstTypedSlot = 7;
    static constexpr int kFirstTextSlot = 330;
    static constexpr int kHeaderCount = 12;

    ZROlbraConverter();
    ~ZROlbraConverter();
    ZROlbraConverter(const ZROlbraConverter&) = delete;
    ZROlbraConverter& operator=(const ZROlbraConverter&) = delete;

    // Reads the file. False when it cannot be opened, is damaged or of a version this program does
    // not read; the reason is then in the log ("Not supported" is also shown), and no conversion
    // may run on the table.
    bool OnOpenDocument(const std::string& path);
    // Reads a whole file from the archive; false for a version that is not read. A damaged file
    // throws the archive's read error.
    bool Serialize(ZROlbraArchive& archive);
    bool IsLoaded() const { return m_Loaded; }

    bool IsOlbraFile() const { return (m_Model & 1) != 0; }
    bool IsIndexingModel() const { return (m_Model & 2) != 0; }
    bool IsSercosModel() const { return m_Model >= 4 && m_Model <= 7; }
    bool IsDeviceNetModel() const { return m_Model >= 8 && m_Model <= 11; }
    int GetFormatVersion() const { return m_Version; }
    bool GetFlagBit() const { return m_Flag; }
    uint16_t GetModelWord() const { return m_Model; }

    // The value object of a slot; null before a successful read and outside the table.
    const ZROlbraItem* GetSlot(int slot) const;
    // The value of a typed slot and the first text of a text slot, as the conversions read them.
    // Asking a slot of another kind throws a ZRError.
    int32_t GetValue(int slot) const;
    const std::string& GetText(int slot) const;

    bool GetMotorName(uint16_t code, std::string& name) const;

    void AppendLog(const std::string& line) { m_Log += line + "\n"; }
    std::string GetLog() const { return m_Log; }

    // The class of a typed slot (7 to 329) for a file of either family.
    static ZROlbraType GetSlotType(int slot, bool olbraFile);

private:
    struct Header {
        uint32_t first = 0;
        uint32_t second = 0;
        std::string text;
    };

    void Clear();
    void BuildTable();
    // Reads count items into the slots from firstSlot on; a count beyond size is a damaged file.
    int ReadGroup(ZROlbraArchive& archive, int count, int firstSlot, int size);

    bool m_Flag = false;
    int m_Version = 0;
    uint16_t m_Model = 0;
    std::vector<Header> m_Headers;
    std::array<std::unique_ptr<ZROlbraItem>, kSlotCount> m_Slots;
    int m_TypedCount = 0;
    int m_TwoValCount = 0;
    int m_TextCount = 0;
    bool m_Loaded = false;
    std::unordered_map<uint16_t, std::string> m_MotorCodes;
    std::string m_Log;
};
