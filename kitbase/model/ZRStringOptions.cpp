#include "kitbase/model/ZRStringOptions.h"

#include "kitbase/model/ZRStorage.h"

ZRStringOptions::ZRStringOptions(ZRObject* owner) : ZROptions(owner) {}

void ZRStringOptions::Add(const std::string& value, const std::string& text, uint32_t firstVersion,
                          bool backup, const std::string& backupValue) {
    AddOption(text, firstVersion, backup);
    m_values.push_back(value);
    m_backupValues.push_back(backupValue);
}

void ZRStringOptions::AddInvalid() {
    Add(InvalidText, InvalidText, 0, false, InvalidText);
}

bool ZRStringOptions::FindIndexByStrData(const std::string& value, int& index) const {
    for (size_t i = 0; i < m_values.size(); ++i) {
        if (m_values[i] == value) {
            index = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

std::string ZRStringOptions::GetData(int index) const {
    return IsValid(index) ? m_values[static_cast<size_t>(index)] : std::string();
}

bool ZRStringOptions::ReadValue(ZRStorage* storage, int classId, int instance, int attribute, int& index) {
    std::string value;
    if (!storage->ReadString(classId, instance, attribute, value))
        return false;
    return FindIndexByStrData(value, index);
}

bool ZRStringOptions::UseBackup(int& index) {
    if (!IsValid(index) || m_backups[static_cast<size_t>(index)] != 1)
        return false;
    FindIndexByStrData(m_backupValues[static_cast<size_t>(index)], index);
    return true;
}

bool ZRStringOptions::WriteValue(ZRStorage* storage, int classId, int instance, int attribute, int index) {
    if (!IsValid(index))
        return false;
    return storage->WriteString(classId, instance, attribute, m_values[static_cast<size_t>(index)]);
}
