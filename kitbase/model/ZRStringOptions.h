#pragma once

#include "kitbase/model/ZROptions.h"

// Options stored as texts.
class ZRStringOptions : public ZROptions {
public:
    explicit ZRStringOptions(ZRObject* owner);
    ~ZRStringOptions() override = default;

    void Add(const std::string& value, const std::string& text, uint32_t firstVersion = 0,
             bool backup = false, const std::string& backupValue = {});

    void AddInvalid() override;
    bool ReadValue(ZRStorage* storage, int classId, int instance, int attribute, int& index) override;
    bool UseBackup(int& index) override;
    bool WriteValue(ZRStorage* storage, int classId, int instance, int attribute, int index) override;

    // The first option with the stored text (exact); the index is untouched when none has it.
    bool FindIndexByStrData(const std::string& value, int& index) const;
    // The option's stored text; empty for an index outside the list.
    std::string GetData(int index) const;

private:
    std::vector<std::string> m_values;
    std::vector<std::string> m_backupValues;
};
