#pragma once

#include "kitbase/model/ZRAttribute.h"

// An integer parameter whose bits are named flags: a table of (data code, text) entries.
class ZRLongBitField : public ZRAttribute {
public:
    ZRLongBitField(ZRDevice*& device, int entryCount, int dataSize);
    ~ZRLongBitField() override;

    bool Exists() override;
    std::string GetAsString() override;
    bool SetInternalAsFormattedString(const std::string& text, int format) override;
    std::string GetInternalAsString() override;
    bool Refresh(bool force) override;
    bool Save() override;
    bool SetAsString(const std::string& text) override;
    bool SetInternalAsString(const std::string& text) override;

    virtual const std::vector<std::string>& GetStrings() const { return m_Strings; }
    virtual bool IsValid(int32_t index) const { return index >= 0 && index < m_EntryCount; }

    // Entries beyond the entry count are ignored.
    void Add(int32_t dataCode, const std::string& text);
    bool Modify(int32_t dataCode, const std::string& text);
    // 0 and an empty text for an index outside the table.
    int32_t GetDataCode(int32_t index) const;
    std::string GetIndexedString(int32_t index) const;
    int GetSize() const { return m_EntryCount; }
    int32_t GetIndex(int32_t dataCode) const;
    static int32_t GetBitPosition(int32_t mask);

    int32_t GetValue() const { return m_Value; }
    bool SetValue(int32_t value);

    // The drive's integer to the check list's selection and back, as decimal texts.
    std::string DecodeCheckListBox(const std::string& valueText) const;
    std::string EncodeCheckListBox(const std::string& selectionText) const;

    using ZRAttribute::ReportInvalidValue;
    void SetHex(bool hex) { m_bHex = hex; }

private:
    int32_t m_Value = 0;
    bool m_bHex = true;
    int m_DataSize;
    int m_EntryCount;
    std::vector<std::string> m_Strings;
    std::vector<int32_t> m_DataCodes;
};
