#pragma once

#include "kitbase/model/ZROptions.h"

#include <cstdint>
#include <string>

class ZRMotorRS;

// The motors of the catalogue that pass a filter, sorted by model name: one option per motor, its
// value the MotorID, its text the Model. Filled once, when made; every motor is offered whatever
// the firmware.
class ZRMotorOptions : public ZROptions {
public:
    static constexpr int32_t InvalidValue = 99999;

    // The recordset is not owned; it is left closed, with the filter and the sort "Model" set.
    // Database errors pass through.
    ZRMotorOptions(ZRObject* owner, ZRMotorRS* recordset, const std::string& filter);
    ~ZRMotorOptions() override = default;

    const std::vector<std::string>& GetStrings() override;
    void AddInvalid() override;
    bool ReadValue(ZRStorage* storage, int classId, int instance, int attribute, int& index) override;
    bool UseBackup(int& index) override;
    bool WriteValue(ZRStorage* storage, int classId, int instance, int attribute, int index) override;

    using ZROptions::GetIndex;
    // The first option with the motor id; the index is untouched when none has it.
    bool GetIndex(int32_t id, int& index) const;
    // The option's motor id; 0 for an index outside the list.
    int32_t GetData(int index) const;
    ZRMotorRS* GetRecordset() const { return m_pRecordset; }

private:
    void Add(int32_t id, const std::string& text);

    ZRMotorRS* m_pRecordset; // not owned
    std::vector<int32_t> m_ids;
};
