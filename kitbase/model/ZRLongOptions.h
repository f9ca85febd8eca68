#pragma once

#include "kitbase/model/ZROptions.h"

// Options stored as signed numbers of 1, 2 or 4 bytes.
class ZRLongOptions : public ZROptions {
public:
    static constexpr int32_t InvalidValue = -99999;

    ZRLongOptions(ZRObject* owner, int dataSize);
    ~ZRLongOptions() override = default;

    void Add(int32_t value, const std::string& text, uint32_t firstVersion = 0, bool backup = false,
             int32_t backupValue = 0);

    void AddInvalid() override;
    bool ReadValue(ZRStorage* storage, int classId, int instance, int attribute, int& index) override;
    bool UseBackup(int& index) override;
    bool WriteValue(ZRStorage* storage, int classId, int instance, int attribute, int index) override;

    using ZROptions::GetIndex;
    // The first option with the value; the index is untouched when none has it.
    bool GetIndex(int32_t value, int& index) const;
    // The option's value; 0 for an index outside the list.
    int32_t GetData(int index) const;
    int GetDataSize() const { return m_dataSize; }

private:
    int m_dataSize;
    std::vector<int32_t> m_values;
    std::vector<int32_t> m_backupValues;
};
