#pragma once

#include "kitbase/model/ZROptions.h"

// Options stored as unsigned numbers; every option is offered whatever the firmware.
class ZRUlongOptions : public ZROptions {
public:
    static constexpr uint32_t InvalidValue = 99999;

    ZRUlongOptions(ZRObject* owner, int dataSize);
    ~ZRUlongOptions() override = default;

    void Add(uint32_t value, const std::string& text, uint32_t firstVersion = 0, bool backup = false,
             uint32_t backupValue = 0);

    const std::vector<std::string>& GetStrings() override;
    bool IsValid(int index) const override;
    void AddInvalid() override;
    bool ReadValue(ZRStorage* storage, int classId, int instance, int attribute, int& index) override;
    bool UseBackup(int& index) override;
    bool WriteValue(ZRStorage* storage, int classId, int instance, int attribute, int index) override;

    using ZROptions::GetIndex;
    bool GetIndex(uint32_t value, int& index) const;
    // The option's value; 0 for an index outside the list.
    uint32_t GetData(int index) const;
    int GetDataSize() const { return m_dataSize; }

private:
    int m_dataSize;
    std::vector<uint32_t> m_values;
    std::vector<uint32_t> m_backupValues;
};
